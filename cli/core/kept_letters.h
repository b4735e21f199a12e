// Cyrillic letters a forward run leaves in a name or a text: letters the
// profile does not cover (Serbian "Ђорђе" gives "Ђorђe" with the default
// profile), counted and named in the run's summary with a shipped profile
// that covers them where one does:
//   "3 names keep letters the profile does not cover: Ђ Ћ Љ"
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

// Whether character is a Cyrillic letter (U+0400 to U+0481, U+048A to
// U+052F), and its capital.
bool IsCyrillicLetter(char32_t character);
char32_t CyrillicCapital(char32_t letter);

class TKeptLetters {
 public:
  // Notes the Cyrillic letters of a UTF-8 name or line; true when it holds
  // any, which Count() then counts.
  bool Add(std::string_view utf8);
  // The texts added that held Cyrillic letters.
  std::size_t Count() const { return count_; }
  // Their letters as capitals, each once, in the order first met.
  const std::vector<char32_t>& Letters() const { return letters_; }

 private:
  std::size_t count_ = 0;
  std::vector<char32_t> letters_;
};

// Whether the rules' find terms in direction hold a Cyrillic letter: a
// profile from Cyrillic, whose results should hold none.
bool FindTermsHoldCyrillic(const std::vector<TRule>& rules, TDirection direction);

// Whether the rules' find terms in direction hold every one of letters
// (capitals), in either case unless caseSensitive. A letter Windows-1251
// lacks is covered by no profile.
bool ProfileCovers(const std::vector<TRule>& rules, const std::vector<char32_t>& letters,
                   TDirection direction, bool caseSensitive);

// "N NOUNs keep letters the profile does not cover: Ђ Ћ Љ\n", with
// " (COVERING covers them)" before the line break when covering is not
// empty; noun is "name" or "line" ("1 name keeps ...").
std::string KeptLettersLine(std::size_t count, const std::string& noun,
                            const std::vector<char32_t>& letters, const std::string& covering);
