#include "cli/windows/windows_platform.h"

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
    SetOutOfMemoryCause("the profile " + options.Profile + " does not fit in memory");
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
    return TFileIdentity{
        information.dwVolumeSerialNumber,
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
  }

  bool Exists(const std::string& path) override {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool SameEntryName(const std::string& a, const std::string& b) override {
    return UpperCase(WideFromUtf8(a)) == UpperCase(WideFromUtf8(b));
  }

  std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) override {
    // MoveFileW never replaces an existing file.
    if (MoveFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str())) return std::nullopt;
    return SkipOfSystemError(GetLastError(), NameOf(to));
  }

  TResult<std::string> StateFolder() override {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TError{"", "LOCALAPPDATA is not set"};
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
  return std::make_unique<TWindowsPlatform>();
}
