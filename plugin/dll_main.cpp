#include <windows.h>

#include "plugin/library_state.h"

// Loading does nothing but remember the module: the host drives everything
// else through the entry points.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    PluginModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
