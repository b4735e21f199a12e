// What the windows need from the plug-in that hosts them, handed to each
// run: the module whose resources and controls they use, the host's folder,
// the host's window and the catalogue of profiles. ui/ reads nothing else of
// the plug-in's.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One catalogue slot: a NUL-terminated profile file name of at most 49 characters.
using ProfileSlot = std::array<char, 50>;

// The profile files found in the host's profile folder, in the order the
// directory search delivered them. Only the first Count slots are valid.
struct TProfileCatalogue {
  std::vector<ProfileSlot> Slots;
  std::int32_t Count = 0;
};

struct TUiHost {
  HINSTANCE Module = nullptr;  // the plug-in: its resources, and the module of every control
  std::string PluginDir;       // the host's folder, ending with a separator
  HWND Window = nullptr;       // the host's main window: owner of ours, disabled while one runs
  const TProfileCatalogue* Catalogue = nullptr;  // listed in the profile boxes
  std::string Version;                           // shown in the options dialog's header
};
