// The profile format read the plain way, from a whole file image in memory:
// the reference that the fuzzers hold TProfileReader, ReadProfile and
// SplitRuleLine to. It shares no code with the reader; the "/s" escape goes
// through the literal engine.
//
// The format, as read here:
//  - every CR that does not end a line is dropped as if it were not in the
//    image, and a CR LF ends a line like a lone LF, so the lines are those of
//    the image without its CRs, split at LF; a final LF starts no further line;
//  - Ctrl-Z as the first byte, or at the start of a rule line (line 4 on), ends
//    the data; anywhere else it ends the text of its line;
//  - lines 1 to 3 are the header, missing lines are empty;
//  - a rule line splits at its first space, each term with "/s" (any case)
//    turned into a space; a line without a space maps itself, verbatim.
#pragma once

#include <string_view>

#include "engine/profile.h"

namespace reference {

TRule SplitRuleLine(std::string_view line);
TProfile ReadProfile(std::string_view image);

}  // namespace reference
