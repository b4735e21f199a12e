// State that lives from loading the library to unloading it, shared by the
// entry points. It is touched only on the host's user-interface thread.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One catalogue slot: a NUL-terminated profile file name of at most 49 characters.
using ProfileSlot = std::array<char, 50>;

// The profile files found by initialize, in the order the directory search
// delivered them. Only the first Count slots are valid.
struct TProfileCatalogue {
  std::vector<ProfileSlot> Slots;
  std::int32_t Count = 0;
};

extern HINSTANCE PluginModule;  // this DLL, for its resources and controls
extern std::string PluginDir;   // the host's directory, ending with a separator
extern HWND HostWindow;         // the host's main window, owner of ours
extern TProfileCatalogue ProfileCatalogue;

// Rebuilds ProfileCatalogue from PluginDir + "Plugins\rep_profiles\*.pch".
void ScanProfileCatalogue();
