// A profile file for the fuzzers, in a folder of this process's own under the
// system's temporary folder; the folder goes when the process exits.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// Writes image to the profile file, replacing what it held, and returns its
// path. Aborts when the file cannot be written.
const std::string& WriteTempProfile(std::string_view image);

}  // namespace fuzz
