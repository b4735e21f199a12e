// State that lives from loading the library to unloading it, shared by the
// entry points. It is touched only on the host's user-interface thread.
#pragma once

#include <windows.h>

#include <string>

#include "ui/host.h"

extern HINSTANCE PluginModule;              // this DLL, for its resources and controls
extern std::string PluginDir;               // the host's directory, ending with a separator
extern HWND HostWindow;                     // the host's main window, owner of ours
extern TProfileCatalogue ProfileCatalogue;  // built by initialize

// What the windows are given of this state when one opens.
TUiHost UiHost();

// Rebuilds ProfileCatalogue from PluginDir + "Plugins\rep_profiles\*.pch".
void ScanProfileCatalogue();
