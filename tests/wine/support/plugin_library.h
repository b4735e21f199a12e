// Loads translit.dll the way the host does and hands out its entry points.
#pragma once

#include <windows.h>

#include <string>

#include "translit/plugin_api.h"

// Path of the freshly built DLL, set by the build.
std::string PluginDllPath();

class PluginLibrary {
 public:
  explicit PluginLibrary(const std::string& path = PluginDllPath());
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  HMODULE module() const { return module_; }
  FARPROC ByName(const char* name) const { return GetProcAddress(module_, name); }
  FARPROC ByOrdinal(WORD ordinal) const {
    return GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
  }

  SetDirFn setDir;
  FreeOptFn freeOpt;
  NewOptFn newOpt;
  ClickBtnFn clickBtn;
  ExportBtnsFn exportBtns;
  ShowOptionsFn showOptions;
  InitializeFn initialize;
  ProcessFn process;
  GetInfoFn getInfo;

 private:
  HMODULE module_;
};
