// The end of --help: where this command looks for profiles and keeps its
// undo journals, as the platform answers them on this machine.
//
//   Profiles (--profile NAME, --list), looked for in this order:
//     /home/u/.local/share/translit/profiles/
//     /usr/share/translit/profiles/
//   Undo journals: /home/u/.local/state/translit/
#pragma once

#include <string>

#include "cli/core/platform.h"

std::string HelpPlaces(TCommandPlatform& platform);
