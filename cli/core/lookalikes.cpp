#include "cli/core/lookalikes.h"

#include <algorithm>

#include "cli/core/code_page.h"
#include "cli/core/normal_form.h"

namespace {

// Whether a find term of the rules in direction holds byte.
bool FindTermsHold(const std::vector<TRule>& rules, TDirection direction, char byte) {
  return std::any_of(rules.begin(), rules.end(), [&](const TRule& rule) {
    const std::string& find =
        direction == TDirection::kForward || rule.SelfMapping ? rule.Left : rule.Right;
    return find.find(byte) != std::string::npos;
  });
}

std::string Utf8Of(char32_t character) {
  std::string utf8;
  AppendUtf8(character, &utf8);
  return utf8;
}

}  // namespace

std::vector<TLookalike> ActiveLookalikes(const std::vector<TRule>& rules, TDirection direction) {
  std::vector<TLookalike> active;
  for (const TLookalike& lookalike : kLookalikes) {
    const int own = Cp1251ByteOf(lookalike.Character);
    if (FindTermsHold(rules, direction, lookalike.Meant) &&
        (own < 0 || !FindTermsHold(rules, direction, static_cast<char>(own)))) {
      active.push_back(lookalike);
    }
  }
  return active;
}

bool HoldsLookalike(std::string_view utf8) {
  return std::any_of(std::begin(kLookalikes), std::end(kLookalikes), [&](const TLookalike& l) {
    return utf8.find(Utf8Of(l.Character)) != std::string_view::npos;
  });
}

std::string PrepareForRun(std::string_view utf8, const std::vector<TLookalike>& active) {
  std::string text = ToNfc(utf8);
  if (active.empty() || !HoldsLookalike(text)) return text;
  std::string prepared;
  prepared.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    char32_t character = 0;
    const std::size_t length = std::max<std::size_t>(DecodeUtf8(text, at, &character), 1);
    const auto lookalike = std::find_if(active.begin(), active.end(), [&](const TLookalike& l) {
      return length > 1 && l.Character == character;
    });
    if (lookalike != active.end()) {
      prepared += lookalike->Meant;
    } else {
      prepared.append(text, at, length);
    }
    at += length;
  }
  return prepared;
}
