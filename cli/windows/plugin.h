// Plugins\translit.dll, loaded and started the way the host application
// does it: getInfo, setDir with the host's folder, initialize with a window
// of the host's, an option block from newOpt; then process for every file.
#pragma once

#include <optional>
#include <string>

#include "engine/unique_handles.h"
#include "translit/plugin_api.h"

struct TProcessOptions {
  std::string ProfileName;  // Windows-1251, at most 49 bytes
  bool CaseSensitive = false;
  bool Extension = false;
  bool Reverse = false;
};

class TPlugin {
 public:
  // Loads dll (a full path). Check Loaded() before anything else.
  explicit TPlugin(const std::wstring& dll);
  ~TPlugin();
  TPlugin(const TPlugin&) = delete;
  TPlugin& operator=(const TPlugin&) = delete;

  bool Loaded() const;
  // setDir(hostDir), initialize, and an option block holding options.
  // hostDir is Windows-1251 and ends with a backslash.
  void Start(const std::string& hostDir, const TProcessOptions& options);

  // The identity record getInfo fills.
  TPluginInfo Identity() const;

  // process on one Windows-1251 path: the new path, or nothing when the
  // plug-in left the host's pointer alone (the file keeps its name).
  std::optional<std::string> Process(const std::string& path1251, bool previewOnly);

 private:
  template <typename Fn>
  Fn Entry(const char* name) const;

  TUniqueModule module_;
  TUniqueWindow window_;
  TReplOptions* options_ = nullptr;
  GetInfoFn getInfo_;
  SetDirFn setDir_;
  InitializeFn initialize_;
  NewOptFn newOpt_;
  FreeOptFn freeOpt_;
  ProcessFn process_;
};
