#include "tools/host/profile_folder.h"

#include <windows.h>

#include "engine/profile.h"
#include "engine/profile_check.h"
#include "tools/common/run_report.h"
#include "tools/host/console.h"
#include "tools/host/file_io.h"
#include "tools/host/handles.h"
#include "tools/host/text.h"

namespace {

// The options block holds a profile name of at most 49 bytes and a NUL.
constexpr std::size_t kMaxProfileName = 49;

TTemporaryHostFolder* ActiveFolder = nullptr;

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

// A profile opened as the plug-in opens it: read access, others may read.
bool Readable(const std::wstring& path, std::string* error) {
  TUniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) *error = Utf8FromWide(path) + ": " + SystemMessage(GetLastError());
  return static_cast<bool>(file);
}

}  // namespace

std::wstring OwnFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring ProfileFolder() { return OwnFolder() + L"Plugins\\rep_profiles\\"; }

TTemporaryHostFolder::~TTemporaryHostFolder() { Remove(); }

bool TTemporaryHostFolder::Create(const std::wstring& profile, const std::wstring& name,
                                  std::string* error) {
  std::wstring temp(MAX_PATH + 1, L'\0');
  temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
  host_dir_ = temp + L"translit-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount()) + L"\\";
  for (const std::wstring& folder :
       {host_dir_, host_dir_ + L"Plugins\\", host_dir_ + L"Plugins\\rep_profiles\\"}) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
      *error = Utf8FromWide(folder) + ": " + SystemMessage(GetLastError());
      return false;
    }
    made_.push_back(folder);
  }
  const std::wstring copy = host_dir_ + L"Plugins\\rep_profiles\\" + name;
  // A second name of the same file where the volume allows, else a copy.
  if (!CreateHardLinkW(copy.c_str(), profile.c_str(), nullptr) &&
      !CopyFileW(profile.c_str(), copy.c_str(), TRUE)) {
    *error = Utf8FromWide(profile) + ": " + SystemMessage(GetLastError());
    return false;
  }
  made_.push_back(copy);
  ActiveFolder = this;
  return true;
}

void TTemporaryHostFolder::Remove() noexcept {
  for (auto made = made_.rbegin(); made != made_.rend(); ++made) {
    if (!DeleteFileW(made->c_str())) RemoveDirectoryW(made->c_str());
  }
  made_.clear();
  if (ActiveFolder == this) ActiveFolder = nullptr;
}

void TTemporaryHostFolder::RemoveActive() noexcept {
  if (ActiveFolder) ActiveFolder->Remove();
}

// The profile that value names, and whether it is in the profile folder;
// empty when there is none.
std::wstring FindProfile(const std::string& value, bool* inFolder, std::string* error) {
  std::wstring wide = WideFromUtf8(value);
  const bool is_path = value.find_first_of("\\/") != std::string::npos;
  *inFolder = !is_path && !value.empty() && IsFile(ProfileFolder() + wide);
  if (*inFolder) return ProfileFolder() + wide;
  if (!value.empty() && IsFile(wide)) return wide;
  *error = "no profile " + value + " in " + Utf8FromWide(ProfileFolder()) +
           (is_path ? "" : " nor in the current folder");
  return {};
}

bool SetUpProfile(const std::string& value, TTemporaryHostFolder* temporary, TProfileSetup* setup,
                  std::string* error) {
  bool in_folder = false;
  std::wstring path = FindProfile(value, &in_folder, error);
  if (path.empty()) return false;
  std::wstring host_dir = OwnFolder();
  std::wstring name = WideFromUtf8(value);
  if (!in_folder) {
    // A profile of one's own: the plug-in reads profiles by name from its
    // folder only, so a copy goes into a temporary one. A name the option
    // block cannot hold is replaced; the profile's contents are what count.
    std::string name1251;
    name = std::wstring(LastComponent(path));
    if (!To1251(name, &name1251) || name1251.size() > kMaxProfileName) name = L"profile.pch";
    if (!Readable(path, error) || !temporary->Create(FullPath(path), name, error)) return false;
    host_dir = temporary->HostDir();
    path = host_dir + L"Plugins\\rep_profiles\\" + name;
  }
  if (!To1251(host_dir, &setup->HostDir) || !To1251(name, &setup->Name) ||
      !To1251(path, &setup->Path)) {
    *error = Utf8FromWide(path) + ": the plug-in cannot open a path with characters outside " +
             "Windows-1251";
    return false;
  }
  if (setup->Name.size() > kMaxProfileName) {
    *error = value + ": the plug-in takes profile names of at most 49 characters";
    return false;
  }
  if (setup->Path.size() > kMaxProfilePath) {
    *error = Utf8FromWide(path) + ": the plug-in cannot open a path over 259 characters";
    return false;
  }
  return Readable(path, error);
}

int ListProfiles(const std::string& program) {
  const std::wstring folder = ProfileFolder();
  WIN32_FIND_DATAW entry;
  TUniqueFind search(FindFirst(folder + L"*.pch", &entry));
  if (!search) {
    Err(program + ": no profiles in " + Utf8FromWide(folder) + "\n");
    return 1;
  }
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string path1251, information;
    const bool read = To1251(folder + entry.cFileName, &path1251) &&
                      ReadProfileInformation(path1251, &information);
    Out(Utf8FromWide(entry.cFileName) + "\n    " +
        (read ? Utf8From1251(CaretControlBytes(information)) : std::string("(cannot be read)")) +
        "\n");
  } while (FindNextFileW(search.get(), &entry));
  return 0;
}

int RunProfileCheck(const std::string& program, const std::string& value, bool quiet) {
  std::string error;
  bool in_folder = false;
  const std::wstring path = FindProfile(value, &in_folder, &error);
  std::string bytes;
  DWORD failure = ERROR_SUCCESS;
  const bool read = !path.empty() && ReadWholeFile(path, &bytes, &failure);
  if (!read) {
    if (!path.empty()) error = value + ": " + SystemMessage(failure);
    Err(program + ": " + error + "\n");
    return 2;
  }
  const std::vector<TProfileFinding> findings = CheckProfile(bytes);
  for (const TProfileFinding& finding : findings) {
    Out(value + ": " + Utf8From1251(FormatProfileFinding(finding)) + "\n");
  }
  if (findings.empty() && !quiet) Err(value + ": no findings\n");
  return findings.empty() ? 0 : 1;
}
