#include "tests/wine/support/plugin_library.h"

#include <stdexcept>

std::string PluginDllPath() { return TRANSLIT_TEST_DLL_PATH; }

namespace {

template <typename Fn>
Fn Resolve(HMODULE module, const char* name) {
  FARPROC address = GetProcAddress(module, name);
  if (!address) throw std::runtime_error(std::string("translit.dll does not export ") + name);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
  if (!module_) throw std::runtime_error("LoadLibraryA failed for " + path);
  setDir = Resolve<SetDirFn>(module_, "setDir");
  freeOpt = Resolve<FreeOptFn>(module_, "freeOpt");
  newOpt = Resolve<NewOptFn>(module_, "newOpt");
  clickBtn = Resolve<ClickBtnFn>(module_, "clickBtn");
  exportBtns = Resolve<ExportBtnsFn>(module_, "exportBtns");
  showOptions = Resolve<ShowOptionsFn>(module_, "showOptions");
  initialize = Resolve<InitializeFn>(module_, "initialize");
  process = Resolve<ProcessFn>(module_, "process");
  getInfo = Resolve<GetInfoFn>(module_, "getInfo");
}

PluginLibrary::~PluginLibrary() { FreeLibrary(module_); }
