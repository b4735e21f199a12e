// Where the profiles are: Plugins\rep_profiles\ beside translit-host.exe,
// the folder the plug-in reads them from (by name only). A profile of one's
// own, given as a path, is copied into a temporary host folder of the same
// layout, and the plug-in is pointed there for the run.
#pragma once

#include <string>
#include <vector>

// The folder of translit-host.exe, ending with a backslash.
std::wstring OwnFolder();
// OwnFolder() + "Plugins\rep_profiles\".
std::wstring ProfileFolder();

// <temp>\translit-host-<process id>-<ticks>\Plugins\rep_profiles\ holding a copy of
// one profile; removed with the object, or by RemoveActive when the process
// ends early.
class TTemporaryHostFolder {
 public:
  TTemporaryHostFolder() = default;
  ~TTemporaryHostFolder();
  TTemporaryHostFolder(const TTemporaryHostFolder&) = delete;
  TTemporaryHostFolder& operator=(const TTemporaryHostFolder&) = delete;

  // Makes the folders and copies profile into them as name. False, with the
  // reason in *error, when that fails.
  bool Create(const std::wstring& profile, const std::wstring& name, std::string* error);
  // The host folder, ending with a backslash.
  const std::wstring& HostDir() const { return host_dir_; }

  // Removes the folder of the run, if any. Makes no allocation.
  static void RemoveActive() noexcept;

 private:
  void Remove() noexcept;

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

// Finds the profile that --profile names: a name in ProfileFolder(), or a
// path to a .pch file (any value holding '\' or '/', or a bare name not in
// the profile folder that is in the current folder), which is copied into
// temporary. False, with the message in *error, when there is no such
// profile or it cannot be read or handed to the plug-in.
bool SetUpProfile(const std::string& value, TTemporaryHostFolder* temporary, TProfileSetup* setup,
                  std::string* error);

// --list: the profiles with their whole information lines, control bytes
// shown as ^X. The exit status: 0, or 1 when the folder holds no profile.
int ListProfiles(const std::string& program);

// --check: every finding of engine/profile_check.h for the profile that
// value names (as --profile does), one line each on standard output,
// "VALUE: line 12, reverse: ...". The exit status: 0 without findings, 1
// with, 2 when there is no such profile or it cannot be read.
int RunProfileCheck(const std::string& program, const std::string& value, bool quiet);
