// The file-name run straight from a profile file (RunProfileFile) against the
// literal engine over the rules that the reference reader finds in the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

namespace fuzz {

// Writes image to a profile file and runs it over text with each case option
// and direction.
void CheckFileRun(std::string_view image, const std::string& text,
                  const std::vector<TRule>& expectedRules);

}  // namespace fuzz
