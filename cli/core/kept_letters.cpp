#include "cli/core/kept_letters.h"

#include <algorithm>

#include "cli/core/code_page.h"
#include "cli/core/messages.h"
#include "engine/lower_case.h"

namespace {

const std::string& FindTerm(const TRule& rule, TDirection direction) {
  return direction == TDirection::kForward || rule.SelfMapping ? rule.Left : rule.Right;
}

}  // namespace

bool IsCyrillicLetter(char32_t c) {
  return (c >= 0x400 && c <= 0x481) || (c >= 0x48A && c <= 0x52F);
}

char32_t CyrillicCapital(char32_t c) {
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c < 0x460) return c;
  if (c == 0x4CF) return 0x4C0;
  if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
  if (c == 0x4C0) return c;
  return c & ~char32_t{1};  // pairs of a capital at an even code point and its small letter
}

bool TKeptLetters::Add(std::string_view utf8) {
  bool any = false;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    // Every Cyrillic letter starts with a byte from 0xD0 to 0xD4.
    const auto lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0xD0 || lead > 0xD4) continue;
    char32_t character = 0;
    if (DecodeUtf8(utf8, at, &character) != 2 || !IsCyrillicLetter(character)) continue;
    any = true;
    const char32_t capital = CyrillicCapital(character);
    if (std::find(letters_.begin(), letters_.end(), capital) == letters_.end()) {
      letters_.push_back(capital);
    }
  }
  if (any) ++count_;
  return any;
}

bool FindTermsHoldCyrillic(const std::vector<TRule>& rules, TDirection direction) {
  return std::any_of(rules.begin(), rules.end(), [direction](const TRule& rule) {
    const std::string& find = FindTerm(rule, direction);
    return std::any_of(find.begin(), find.end(), [](char byte) {
      const std::string utf8 = Utf8From1251(std::string_view(&byte, 1));
      char32_t character = 0;
      return DecodeUtf8(utf8, 0, &character) > 0 && IsCyrillicLetter(character);
    });
  });
}

bool ProfileCovers(const std::vector<TRule>& rules, const std::vector<char32_t>& letters,
                   TDirection direction, bool caseSensitive) {
  bool held[256] = {};
  for (const TRule& rule : rules) {
    for (char byte : FindTerm(rule, direction)) {
      const auto b = static_cast<unsigned char>(byte);
      held[caseSensitive ? b : kLower1251[b]] = true;
    }
  }
  return std::all_of(letters.begin(), letters.end(), [&](char32_t letter) {
    const int byte = Cp1251ByteOf(letter);
    if (byte < 0) return false;
    const auto b = static_cast<unsigned char>(byte);
    return caseSensitive ? held[b] : held[kLower1251[b]];
  });
}

std::string KeptLettersLine(std::size_t count, const std::string& noun,
                            const std::vector<char32_t>& letters, const std::string& covering) {
  const bool lines = noun == "line";
  const char* pattern = count == 1
                            ? (lines ? _("%s line keeps letters the profile does not cover:")
                                     : _("%s name keeps letters the profile does not cover:"))
                            : (lines ? _("%s lines keep letters the profile does not cover:")
                                     : _("%s names keep letters the profile does not cover:"));
  std::string line = Format(pattern, std::to_string(count));
  for (char32_t letter : letters) {
    line += ' ';
    AppendUtf8(letter, &line);
  }
  if (!covering.empty()) line += " " + Format(_("(%s covers them)"), covering);
  return line + "\n";
}
