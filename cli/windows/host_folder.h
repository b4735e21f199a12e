// The host's folder the plug-in is given: translit-host.exe's own, whose
// Plugins\rep_profiles\ the plug-in reads profiles from (by name only). A
// profile of one's own, given as a path, is copied into a temporary host
// folder of the same layout, and the plug-in is pointed there for the run.
#pragma once

#include <string>
#include <vector>

#include "cli/core/outcome.h"

// The folder of translit-host.exe, ending with a backslash.
std::wstring OwnFolder();
// Whether OwnFolder() holds a folder Plugins.
bool PluginsFolderExists();
// OwnFolder() + "Plugins\rep_profiles\".
std::wstring ProfileFolderOf(const std::wstring& hostFolder);

// <temp>\translit-host-<process id>-<ticks>\Plugins\rep_profiles\ holding a
// copy of one profile; removed with the object, or by RemoveActive when the
// process ends early.
class TTemporaryHostFolder {
 public:
  TTemporaryHostFolder() = default;
  ~TTemporaryHostFolder();
  TTemporaryHostFolder(const TTemporaryHostFolder&) = delete;
  TTemporaryHostFolder& operator=(const TTemporaryHostFolder&) = delete;

  // Makes the folders and copies profile into them as name.
  TMaybeError Create(const std::wstring& profile, const std::wstring& name);
  // Makes the folders and writes bytes into them as the profile name.
  TMaybeError CreateHolding(const std::string& bytes, const std::wstring& name);
  // The host folder, ending with a backslash.
  const std::wstring& HostDir() const { return host_dir_; }

  // Removes the folder of the run, if any. Makes no allocation.
  static void RemoveActive() noexcept;

 private:
  void Remove() noexcept;
  TMaybeError MakeFolders();

  std::wstring host_dir_;
  std::vector<std::wstring> made_;  // files and folders, in the order made
};

// What the plug-in is to be given: the host folder for setDir, the profile's
// name in the option block, and the profile's full path (all Windows-1251).
struct TProfileSetup {
  std::string HostDir;
  std::string Name;
  std::string Path;
};

// Points the plug-in at the profile at path, which --profile value named: a
// profile of the profile folder by its name, any other through a copy in
// temporary, and a UTF-8 profile through its bytes converted to
// Windows-1251 (converted1251, null for a profile in Windows-1251). The
// error when the plug-in cannot be given it (a name or path it cannot hold,
// an unreadable file).
TResult<TProfileSetup> SetUpProfile(const std::wstring& path, const std::string& value,
                                    bool inProfileFolder, const std::string* converted1251,
                                    TTemporaryHostFolder* temporary);
