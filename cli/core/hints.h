// Hints for what a user most likely meant: the profile name nearest to a
// misspelt one, and a --from0 list written with line breaks instead of NUL
// bytes.
//
//   NearestName("gost-7.79b", {"gost-7.79-b.pch", "ala-lc.pch"}) == "gost-7.79-b.pch"
//   NearestName("xyz", {"gost-7.79-b.pch"}) == ""      (nothing near enough)
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/core/outcome.h"

// The name of names nearest to wanted by edit distance (letter case
// ignored, ".pch" optional on wanted): within a third of the name's length,
// and at most 4 edits. Empty when none is that near.
std::string NearestName(std::string_view wanted, const std::vector<std::string>& names);

// A --from0 list read from source (a path or "-") that holds no NUL byte but
// line breaks: the error that says so, as `ls` or `find` without -print0
// write it. Nothing for a list of NUL-separated paths, or of one path.
TMaybeError NewlineListError(const std::string& source, std::string_view bytes);
