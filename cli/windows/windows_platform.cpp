#include "cli/windows/windows_platform.h"

#include "cli/core/messages.h"
#include "cli/windows/host_folder.h"
#include "cli/windows/out_of_memory.h"
#include "cli/windows/rename_run.h"
#include "cli/windows/system_error.h"
#include "cli/windows/text.h"
#include "cli/windows/text_stream.h"
#include "engine/profile.h"

namespace {

bool IsDots(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/' || path.back() == ':');
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

volatile LONG InterruptedByControlC = 0;

// Ctrl-C or Ctrl-Break: the run ends between two files, with its summary;
// a second one ends the process at once.
BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  return InterlockedExchange(&InterruptedByControlC, 1) == 0;
}

// Nanoseconds since 1970 of a FILETIME (100-nanosecond intervals since 1601).
std::int64_t Nanoseconds(const FILETIME& time) {
  constexpr std::int64_t kTicksTo1970 = 116444736000000000;
  const std::uint64_t ticks = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  return (static_cast<std::int64_t>(ticks) - kTicksTo1970) * 100;
}

// A lock of LockFileEx, held while the file is open.
class TWindowsLock : public TLock {
 public:
  explicit TWindowsLock(TUniqueFile file) : file_(std::move(file)) {}

 private:
  TUniqueFile file_;
};

// A journal being written: appended to, and forced to disk at the end.
class TWindowsJournalFile : public TJournalFile {
 public:
  TWindowsJournalFile(TUniqueFile file, std::string path)
      : file_(std::move(file)), path_(std::move(path)) {}
  TMaybeError Append(const std::string& bytes) override {
    if (WriteAll(file_.get(), bytes)) return std::nullopt;
    return ErrorOfSystemError(path_, GetLastError());
  }
  TMaybeError Flush() override {
    if (FlushFileBuffers(file_.get())) return std::nullopt;
    return ErrorOfSystemError(path_, GetLastError());
  }

 private:
  TUniqueFile file_;
  std::string path_;
};

class TWindowsPlatform : public TCommandPlatform {
 public:
  std::string ProfileFolder() override { return Utf8FromWide(ProfileFolderOf(OwnFolder())); }

  bool IsPath(const std::string& value) override {
    return value.find_first_of("\\/") != std::string::npos;
  }

  bool IsRegularFile(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::optional<std::string> OtherKindAt(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return _("a folder");
    if (attributes & FILE_ATTRIBUTE_DEVICE) return _("a device");
    return std::nullopt;
  }

  std::optional<std::string> ProfileInformation(const std::string& path) override {
    std::string path1251, information;
    if (!To1251(WideFromUtf8(path), &path1251) || !ReadProfileInformation(path1251, &information)) {
      return std::nullopt;
    }
    return information;
  }

  TResult<std::string> ReadWholeFile(const std::string& path) override {
    TUniqueFile owned;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (path != "-") {
      owned = TUniqueFile(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!owned) return ErrorOfSystemError(path, GetLastError());
      input = owned.get();
    }
    std::string bytes;
    char buffer[1 << 16];
    DWORD read = 0;
    for (;;) {
      if (!ReadFile(input, buffer, sizeof buffer, &read, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_BROKEN_PIPE) return bytes;  // the writer has finished
        return ErrorOfSystemError(path, error);
      }
      if (read == 0) return bytes;
      bytes.append(buffer, read);
    }
  }

  bool IsFolderArgument(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  TResult<std::vector<TFolderEntry>> ReadFolder(const std::string& path) override {
    std::vector<TFolderEntry> entries;
    WIN32_FIND_DATAW entry;
    TUniqueFind search(FindFirst(WideFromUtf8(JoinPath(path, "*")), &entry));
    if (!search) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return entries;
      return ErrorOfSystemError(path, error);
    }
    do {
      if (IsDots(entry.cFileName)) continue;
      // A link to a folder is renamed as the link it is, never entered.
      const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                             !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
      entries.push_back({Utf8FromWide(entry.cFileName), is_folder});
    } while (FindNextFileW(search.get(), &entry));
    return entries;
  }

  std::string JoinPath(const std::string& folder, const std::string& name) override {
    if (EndsWithSeparator(folder)) return folder + name;
    // The user's own separator, where the folder's path shows one.
    const bool slashes =
        folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    return folder + (slashes ? '/' : '\\') + name;
  }

  std::string NameOf(const std::string& path) override {
    return Utf8FromWide(LastComponent(WideFromUtf8(path)));
  }

  TResult<std::unique_ptr<TRenamer>> StartRenames(const std::string& profilePath,
                                                  const TCommandOptions& options) override {
    TFileNameOptions name_options;
    name_options.CaseSensitive = options.CaseSensitive;
    name_options.ReplaceInExtension = options.Extension;
    name_options.Direction = options.Reverse ? TDirection::kReverse : TDirection::kForward;
    const bool in_profile_folder =
        !IsPath(options.Profile) && profilePath == ProfileFolder() + options.Profile;
    TResult<std::unique_ptr<TRenamer>> renamer = StartWindowsRenamer(
        *this, WideFromUtf8(profilePath), options.Profile, in_profile_folder, name_options);
    SetOutOfMemoryCause(Format(_("the profile %s does not fit in memory"), options.Profile));
    return renamer;
  }

  std::optional<TFileIdentity> IdentityAt(const std::string& path) override {
    // Attributes only, sharing everything: a rename that follows must not
    // be hindered. Folders need backup semantics; a link is opened itself.
    TUniqueFile file(
        CreateFileW(WideFromUtf8(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    TFileIdentity identity;
    identity.Device = information.dwVolumeSerialNumber;
    identity.FileId = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    identity.IsFolder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A folder's creation time is not kept by every file system that Windows
    // programs meet (wine on a Linux disk changes it with the folder's
    // contents): a folder is known by its number alone.
    identity.Birth = identity.IsFolder ? 0 : Nanoseconds(information.ftCreationTime);
    identity.Change = Nanoseconds(information.ftLastWriteTime);
    identity.Size = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    return identity;
  }

  bool Exists(const std::string& path) override {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool SameEntryName(const std::string& a, const std::string& b) override {
    return UpperCase(WideFromUtf8(a)) == UpperCase(WideFromUtf8(b));
  }

  std::optional<TSkip> RenameRefusal(const std::string& path) override {
    // What a rename asks of the file first: to be opened for deletion, which
    // a read-only volume or the file's access list refuses.
    TUniqueFile file(
        CreateFileW(WideFromUtf8(path).c_str(), DELETE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file) return std::nullopt;
    switch (GetLastError()) {
      case ERROR_WRITE_PROTECT:
        return TSkip{TSkipReason::kReadOnlyFileSystem, {}};
      case ERROR_ACCESS_DENIED:
        return TSkip{TSkipReason::kPermission, {}};
      default:
        return std::nullopt;  // the rename says why
    }
  }

  std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) override {
    // MoveFileW never replaces an existing file.
    if (MoveFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str())) return std::nullopt;
    return SkipOfSystemError(GetLastError(), NameOf(to));
  }

  TResult<std::string> StateFolder() override {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TError{"", _("LOCALAPPDATA is not set")};
    return Utf8FromWide(std::wstring(buffer, length) + L"\\Translit\\");
  }

  TMaybeError MakePrivateFolder(const std::string& path) override {
    // The user's own profile folder already keeps others out.
    if (!CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return ErrorOfSystemError(path, GetLastError());
    }
    return std::nullopt;
  }

  // The user's own %LOCALAPPDATA% keeps others out by its access list.
  TMaybeError CheckPrivateFolder(const std::string&) override { return std::nullopt; }

  TResult<std::unique_ptr<TLock>> LockFile(const std::string& path, bool wait) override {
    TUniqueFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ErrorOfSystemError(path, GetLastError());
    OVERLAPPED whole{};
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (!LockFileEx(file.get(), flags, 0, MAXDWORD, MAXDWORD, &whole)) {
      return ErrorOfSystemError(path, GetLastError());
    }
    return std::unique_ptr<TLock>(new TWindowsLock(std::move(file)));
  }

  TMaybeError AppendToFile(const std::string& path, const std::string& bytes) override {
    TUniqueFile file(CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
      return ErrorOfSystemError(path, GetLastError());
    }
    return std::nullopt;
  }

  TResult<std::unique_ptr<TJournalFile>> CreateNewFile(const std::string& path) override {
    TUniqueFile file(CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ErrorOfSystemError(path, GetLastError());
    return std::unique_ptr<TJournalFile>(new TWindowsJournalFile(std::move(file), path));
  }

  TMaybeError ReplaceFile(const std::string& path, const std::string& bytes) override {
    const std::wstring wide = WideFromUtf8(path);
    const std::wstring temporary = wide + L".new";
    {
      TUniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        return ErrorOfSystemError(Utf8FromWide(temporary), GetLastError());
      }
    }
    if (!MoveFileExW(temporary.c_str(), wide.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return ErrorOfSystemError(path, GetLastError());
    }
    return std::nullopt;
  }

  TMaybeError RemoveFile(const std::string& path) override {
    if (!DeleteFileW(WideFromUtf8(path).c_str())) return ErrorOfSystemError(path, GetLastError());
    return std::nullopt;
  }

  std::unique_ptr<TTextStream> OpenTextStream(bool from1251) override {
    return MakeWindowsTextStream(from1251);
  }

  unsigned long ProcessId() override { return GetCurrentProcessId(); }

  std::string CurrentFolder() override {
    std::wstring folder = FullPath(L".");
    return Utf8FromWide(folder.empty() ? L"." : folder);
  }

  std::optional<std::string> AbsolutePath(const std::string& path) override {
    const std::wstring full = FullPath(WideFromUtf8(path));
    if (full.empty() || GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
      return std::nullopt;
    }
    return Utf8FromWide(full);
  }

  bool IsInside(const std::string& path, const std::string& folder) override {
    const std::wstring upper_path = UpperCase(WideFromUtf8(path));
    std::wstring upper_folder = UpperCase(WideFromUtf8(folder));
    while (!upper_folder.empty() && upper_folder.back() == L'\\') upper_folder.pop_back();
    return upper_path.compare(0, upper_folder.size(), upper_folder) == 0 &&
           (upper_path.size() == upper_folder.size() || upper_path[upper_folder.size()] == L'\\');
  }

  std::string FolderOf(const std::string& path) override {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
  }

  bool IsTreeRoot(const std::string& path) override {
    const std::wstring full = FullPath(WideFromUtf8(path));
    wchar_t volume[MAX_PATH + 1];
    if (full.empty() || !GetVolumePathNameW(full.c_str(), volume, MAX_PATH + 1)) return false;
    std::wstring trimmed = full;
    if (trimmed.back() != L'\\') trimmed += L'\\';
    return UpperCase(trimmed) == UpperCase(volume);
  }

  bool Interrupted() override { return InterruptedByControlC != 0; }
};

}  // namespace

TUniqueFind FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* entry) {
  TUniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, entry,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search && GetLastError() == ERROR_INVALID_PARAMETER) {
    search = TUniqueFind(FindFirstFileW(pattern.c_str(), entry));
  }
  return search;
}

std::unique_ptr<TCommandPlatform> MakeWindowsPlatform() {
  SetConsoleCtrlHandler(OnControl, TRUE);
  return std::make_unique<TWindowsPlatform>();
}
