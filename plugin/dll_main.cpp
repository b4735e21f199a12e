#include <windows.h>

#include "plugin/library_state.h"
#include "ui/window_classes.h"

// Loading does nothing but remember the module: the host drives everything
// else through the entry points.
//
// Unloading by FreeLibrary (reserved is null) unregisters the window classes:
// they belong to the process and would outlive this image, their window
// procedures pointing into freed memory. At process exit (reserved set)
// nothing is left to protect.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    PluginModule = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    UnregisterWindowClasses();
  }
  return TRUE;
}
