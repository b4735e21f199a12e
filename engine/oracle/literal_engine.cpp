// The literal steps, one for one.
#include "engine/oracle/literal_engine.h"

#include "engine/lower_case.h"

namespace oracle {

namespace {

// A find made only of NULs whose replacement is not shorter: the literal steps
// never end on it once it occurs (see literal_engine.h).
bool NeverEnds(const std::string& find, const std::string& replacement) {
  if (find.empty() || replacement.size() < find.size()) return false;
  for (char c : find) {
    if (c != '\0') return false;
  }
  return true;
}

// Steps 2 and 3 of MaskedReplaceAll.
void ReplaceLoop(std::string& searchCopy, std::string& resultCopy, const std::string& find,
                 const std::string& replacement) {
  if (NeverEnds(find, replacement)) return;
  while (true) {
    const std::size_t i = Occurrence(find, searchCopy);  // always from the first character
    if (i == std::string::npos) return;
    searchCopy.erase(i, find.size());
    searchCopy.insert(i, std::string(replacement.size(), '\0'));  // MaskFiller
    resultCopy.erase(i, find.size());
    resultCopy.insert(i, replacement);
  }
}

}  // namespace

std::size_t Occurrence(const std::string& find, const std::string& text) {
  if (find.empty() || find.size() > text.size()) return std::string::npos;
  for (std::size_t i = 0; i + find.size() <= text.size(); ++i) {
    bool equal = true;
    for (std::size_t j = 0; j < find.size(); ++j) {
      if (text[i + j] != find[j]) {
        equal = false;
        break;
      }
    }
    if (equal) return i;
  }
  return std::string::npos;
}

void MaskedReplaceAll(TLiteralPair& pair, std::string find, std::string replacement,
                      bool caseSensitive) {
  if (!caseSensitive) {
    LowerCaseInPlace(find);
    LowerCaseInPlace(replacement);
    LowerCaseInPlace(pair.SearchText);
  }
  ReplaceLoop(pair.SearchText, pair.ResultText, find, replacement);
}

void ReplaceAllInString(std::string& text, std::string find, std::string replacement,
                        bool caseSensitive) {
  std::string resultCopy = text;
  std::string& searchCopy = text;
  if (!caseSensitive) {
    LowerCaseInPlace(find);
    LowerCaseInPlace(searchCopy);
  }
  ReplaceLoop(searchCopy, resultCopy, find, replacement);
  text = resultCopy;
}

void ApplyRule(TLiteralPair& pair, const TRule& rule, bool passCaseSensitive,
               TDirection direction, TSelfMapping selfMapping) {
  if (rule.SelfMapping && selfMapping == TSelfMapping::kAlwaysIgnoreCase) {
    MaskedReplaceAll(pair, rule.Left, rule.Left, false);
  } else if (direction == TDirection::kForward) {
    MaskedReplaceAll(pair, rule.Left, rule.Right, passCaseSensitive);
  } else {
    MaskedReplaceAll(pair, rule.Right, rule.Left, passCaseSensitive);
  }
}

void RunReplacement(TLiteralPair& pair, const std::string& input, const std::vector<TRule>& rules,
                    bool caseSensitiveOption, TDirection direction, TSelfMapping selfMapping) {
  pair.SearchText = input;
  pair.ResultText = input;
  const int passes = caseSensitiveOption ? 1 : 2;
  for (int pass = 1; pass <= passes; ++pass) {
    const bool passCaseSensitive = pass == 1;  // pass 1 exact, pass 2 ignores case
    for (const TRule& rule : rules) {
      ApplyRule(pair, rule, passCaseSensitive, direction, selfMapping);
    }
  }
}

}  // namespace oracle
