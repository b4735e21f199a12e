// The replacement algorithm in its literal, quadratic form (search again from
// the first character after every replacement, erase and insert in place), as
// the oracle that the fast engine (engine/replace.h) is checked against. Use
// it on small texts only (tests, fuzzers).
//
// One deliberate departure from the literal text, shared with the fast engine:
// a find made only of NUL bytes with a replacement at least as long never ends
// there (the filler recreates the match), so it is defined to change nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

namespace oracle {

// The engine pair as two plain strings.
struct TLiteralPair {
  std::string SearchText;
  std::string ResultText;
};

// Occurrence: the leftmost 0-based position of find in text, or
// std::string::npos; an empty find or one longer than the text has none.
std::size_t Occurrence(const std::string& find, const std::string& text);

void MaskedReplaceAll(TLiteralPair& pair, std::string find, std::string replacement,
                      bool caseSensitive);
void ReplaceAllInString(std::string& text, std::string find, std::string replacement,
                        bool caseSensitive);
void ApplyRule(TLiteralPair& pair, const TRule& rule, bool passCaseSensitive,
               TDirection direction, TSelfMapping selfMapping);
// RunReplacement with a fixed direction and no cancellation.
void RunReplacement(TLiteralPair& pair, const std::string& input, const std::vector<TRule>& rules,
                    bool caseSensitiveOption, TDirection direction, TSelfMapping selfMapping);

}  // namespace oracle
