// The profiles of the Linux command: the profile folder beside the program
// (<program folder>/../Plugins/rep_profiles/, the layout of dist/), a
// profile chosen by name or path, and --list.
#pragma once

#include <ostream>
#include <string>

#include "engine/profile.h"

// The profile folder, ending with "/".
std::string ProfileFolder();

// The file that --profile VALUE names: a value holding a "/" is a path; a
// bare name is looked for in the profile folder, then in the current
// folder. Empty when there is no such file.
std::string FindProfile(const std::string& value);

// Reads the profile at path as the plug-in reads it. False, with the reason
// in *error, when it is not a readable file or is too large for memory.
bool LoadProfile(const std::string& path, TProfile* profile, std::string* error);

// --list: every profile of the folder with its whole information line,
// control bytes shown as ^X. Returns the exit status.
int ListProfiles(std::ostream& out, std::ostream& err);

// --check VALUE: the findings of the profile check for the profile that
// VALUE names (as --profile does), one line each. Returns the exit status:
// 0 clean, 1 with findings, 2 when there is no such profile or it cannot be
// read.
int CheckProfileFile(const std::string& value, bool quiet, std::ostream& out, std::ostream& err);
