// The readers that open a profile file themselves: ReadProfile and
// ReadProfileInformation against the reference reader, and the file-name run
// (RunProfileFile) against the literal engine over the reference's rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/profile.h"

namespace fuzz {

// Reads the profile file at path, which holds image, whole and its
// information line alone.
void CheckFileReaders(const std::string& path, std::string_view image, const TProfile& expected);

// Runs the profile file at path, which holds image, over text with each case
// option and direction.
void CheckFileRun(const std::string& path, std::string_view image, const std::string& text,
                  const std::vector<TRule>& expectedRules);

}  // namespace fuzz
