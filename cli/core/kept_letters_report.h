// The closing line of a run about the Cyrillic letters it left
// (cli/core/kept_letters.h), naming a profile of the profile folder that
// covers them, found by reading the installed profiles' rules.
#pragma once

#include <string>

#include "cli/core/command_options.h"
#include "cli/core/kept_letters.h"
#include "cli/core/platform.h"

// The line for a run by the profile at profilePath, or "" when there is
// nothing to say: no name or line kept a letter, the run went in reverse,
// or the profile's find terms hold no Cyrillic letter (it is not a profile
// from Cyrillic). The profile named is the first, by file name, of the
// others in the folder whose find terms cover every letter kept.
std::string KeptLettersReport(TCommandPlatform& platform, const std::string& profilePath,
                              const TCommandOptions& options, const TKeptLetters& kept,
                              const std::string& noun);
