// The Linux command's platform (cli/core/platform.h): UTF-8 paths as the
// kernel takes them, the profile folder beside the program
// (<program folder>/../Plugins/rep_profiles/, the layout of dist/), journals
// in $XDG_STATE_HOME/translit/ (~/.local/state/translit/ without the
// variable), renames by the engine (cli/linux/rename_run.h).
#pragma once

#include <memory>

#include "cli/core/platform.h"

std::unique_ptr<TCommandPlatform> MakeLinuxPlatform();
