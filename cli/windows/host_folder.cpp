#include "cli/windows/host_folder.h"

#include <windows.h>

#include "cli/core/messages.h"
#include "cli/windows/system_error.h"
#include "cli/windows/text.h"
#include "engine/profile_file.h"
#include "engine/unique_handles.h"

namespace {

// The options block holds a profile name of at most 49 bytes and a NUL.
constexpr std::size_t kMaxProfileName = 49;

TTemporaryHostFolder* ActiveFolder = nullptr;

// A profile opened as the plug-in opens it: read access, others may read.
TMaybeError Readable(const std::wstring& path) {
  TUniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ErrorOfSystemError(Utf8FromWide(path), GetLastError());
  return std::nullopt;
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

bool PluginsFolderExists() {
  const DWORD attributes = GetFileAttributesW((OwnFolder() + L"Plugins").c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ProfileFolderOf(const std::wstring& hostFolder) {
  return hostFolder + L"Plugins\\rep_profiles\\";
}

TTemporaryHostFolder::~TTemporaryHostFolder() { Remove(); }

TMaybeError TTemporaryHostFolder::MakeFolders() {
  std::wstring temp(MAX_PATH + 1, L'\0');
  temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
  host_dir_ = temp + L"translit-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount()) + L"\\";
  for (const std::wstring& folder :
       {host_dir_, host_dir_ + L"Plugins\\", ProfileFolderOf(host_dir_)}) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
      return ErrorOfSystemError(Utf8FromWide(folder), GetLastError());
    }
    made_.push_back(folder);
  }
  ActiveFolder = this;
  return std::nullopt;
}

TMaybeError TTemporaryHostFolder::Create(const std::wstring& profile, const std::wstring& name) {
  if (TMaybeError error = MakeFolders()) return error;
  const std::wstring copy = ProfileFolderOf(host_dir_) + name;
  // A second name of the same file where the volume allows, else a copy.
  if (!CreateHardLinkW(copy.c_str(), profile.c_str(), nullptr) &&
      !CopyFileW(profile.c_str(), copy.c_str(), TRUE)) {
    return ErrorOfSystemError(Utf8FromWide(profile), GetLastError());
  }
  made_.push_back(copy);
  return std::nullopt;
}

TMaybeError TTemporaryHostFolder::CreateHolding(const std::string& bytes,
                                                const std::wstring& name) {
  if (TMaybeError error = MakeFolders()) return error;
  const std::wstring path = ProfileFolderOf(host_dir_) + name;
  TUniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ErrorOfSystemError(Utf8FromWide(path), GetLastError());
  made_.push_back(path);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    return ErrorOfSystemError(Utf8FromWide(path), GetLastError());
  }
  return std::nullopt;
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

TResult<TProfileSetup> SetUpProfile(const std::wstring& path, const std::string& value,
                                    bool inProfileFolder, const std::string* converted1251,
                                    TTemporaryHostFolder* temporary) {
  std::wstring host_dir = OwnFolder();
  std::wstring name = WideFromUtf8(value);
  std::wstring plugin_path = path;
  if (!inProfileFolder || converted1251) {
    // A profile of one's own: the plug-in reads profiles by name from its
    // folder only, so a copy goes into a temporary one. A name the option
    // block cannot hold is replaced; the profile's contents are what count.
    std::string name1251;
    name = std::wstring(LastComponent(path));
    if (!To1251(name, &name1251) || name1251.size() > kMaxProfileName) name = L"profile.pch";
    if (TMaybeError error = Readable(path)) return *error;
    TMaybeError made = converted1251 ? temporary->CreateHolding(*converted1251, name)
                                     : temporary->Create(FullPath(path), name);
    if (made) return *made;
    host_dir = temporary->HostDir();
    plugin_path = ProfileFolderOf(host_dir) + name;
  }
  TProfileSetup setup;
  if (!To1251(host_dir, &setup.HostDir) || !To1251(name, &setup.Name) ||
      !To1251(plugin_path, &setup.Path)) {
    return TError{Utf8FromWide(plugin_path),
                  _("the plug-in cannot open a path with characters outside Windows-1251")};
  }
  if (setup.Name.size() > kMaxProfileName) {
    return TError{value, _("the plug-in takes profile names of at most 49 characters")};
  }
  if (setup.Path.size() > kMaxProfilePath) {
    return TError{Utf8FromWide(plugin_path),
                  _("the plug-in cannot open a path over 259 characters")};
  }
  if (TMaybeError error = Readable(plugin_path)) return *error;
  return setup;
}
