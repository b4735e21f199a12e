// Replacing every occurrence of one find term in a search/result pair of
// strings, in time linear in the text: the engine's steps 2 and 3 (see
// engine/replace.h). Internal to the engine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/term_search.h"

namespace engine_detail {

// Steps 2 and 3 of MaskedReplaceAll on a search copy and a result copy of the
// same length; search and find are already lower-cased where that is asked.
// Returns the number of replacements: each took find's bytes out of search
// and put replacement.size() NULs in.
// positions and borders are scratch space reused between calls; counts, when
// given, are search's byte counts and only steer the search. check is asked
// as the sweep goes on; when it says stop, both strings are left of equal
// length with some of the occurrences replaced.
std::size_t ReplaceAllCore(std::string& search, std::string& result, std::string_view find,
                           std::string_view replacement, std::vector<std::size_t>& positions,
                           std::vector<std::size_t>& borders, const TByteCounts* counts,
                           TSweepCheck& check);

}  // namespace engine_detail
