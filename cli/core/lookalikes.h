// Characters that stand for one a profile writes: the Ukrainian apostrophe
// U+02BC and the right single quotation mark U+2019 for the apostrophe "'",
// and the hyphens U+2010 and U+2011 for "-". A name typed on a phone or
// copied from a web page holds them where the profile means its own
// character, and U+02BC, outside Windows-1251, would even cut the word in
// two ("Марʼїне" would start a new word at "ї").
//
// A lookalike is read as the character meant when the profile's find terms
// (in the run's direction) hold that character and do not hold the
// lookalike itself (U+2019 is in Windows-1251, and a profile may have rules
// of its own for it). So with a profile that has a rule for "'" and none
// for "’":
//   PrepareForRun("Мар\u02bcїне", lookalikes) == "Мар'їне"
// and with a profile that has no rule for "'", nothing changes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

struct TLookalike {
  char32_t Character;
  char Meant;  // the ASCII character it stands for
};

inline constexpr TLookalike kLookalikes[] = {
    {0x02BC, '\''},
    {0x2019, '\''},
    {0x2010, '-'},
    {0x2011, '-'},
};

// The lookalikes a run by rules in direction reads as the character meant.
std::vector<TLookalike> ActiveLookalikes(const std::vector<TRule>& rules, TDirection direction);

// Whether text holds any of the lookalikes at all (whatever the profile).
bool HoldsLookalike(std::string_view utf8);

// text as a run reads it: in NFC (cli/core/normal_form.h), with the active
// lookalikes replaced by the characters meant.
std::string PrepareForRun(std::string_view utf8, const std::vector<TLookalike>& active);
