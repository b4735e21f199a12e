// The profile check: the file read as the readers read it, then each rule
// looked at in both directions.
#include "engine/profile_check.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "engine/lower_case.h"
#include "engine/profile.h"
#include "engine/profile_file.h"
#include "engine/replace.h"

namespace {

constexpr char kCtrlZ = 26;
constexpr std::size_t kFirstRuleLine = 4;

struct TNumberedRule {
  std::size_t Line;
  TRule Rule;
};

// The rules as the file-name run reads them, each with its line: a line ends
// at LF (a CR is dropped), so the reader's n-th line is the file's n-th line.
std::vector<TNumberedRule> ReadRules(std::string_view bytes) {
  TProfileReader reader;
  std::size_t offset = 0;
  reader.OpenFrom([bytes, &offset](char* buffer, std::size_t size) -> std::ptrdiff_t {
    const std::size_t count = std::min(size, bytes.size() - offset);
    if (count > 0) std::memcpy(buffer, bytes.data() + offset, count);
    offset += count;
    return static_cast<std::ptrdiff_t>(count);
  });
  std::vector<TNumberedRule> rules;
  for (int header = 0; header < 3; ++header) reader.ReadLine();
  while (!reader.AtEnd()) {
    rules.push_back({kFirstRuleLine + rules.size(), SplitRuleLine(reader.ReadLine())});
  }
  return rules;
}

// Bare CR, Ctrl-Z and NUL, at most one finding of each per line, up to where
// the reader stops.
void FindSpecialBytes(std::string_view bytes, std::vector<TProfileFinding>* findings) {
  std::size_t line = 1;
  bool at_line_start = true;
  bool cr_seen = false;
  bool nul_seen = false;
  auto add = [&](char byte, bool ends_data) {
    TProfileFinding finding;
    finding.Line = line;
    finding.Direction = TCheckDirection::kBoth;
    finding.Kind = TFindingKind::kSpecialByte;
    finding.Other = std::string(1, byte);
    finding.EndsData = ends_data;
    findings->push_back(std::move(finding));
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      ++line;
      at_line_start = true;
      cr_seen = false;
      nul_seen = false;
    } else if (c == '\r') {
      if ((i + 1 == bytes.size() || bytes[i + 1] != '\n') && !cr_seen) {
        add(c, false);
        cr_seen = true;
      }
    } else if (c == kCtrlZ) {
      // Opening the file and asking for the end before a rule line both look
      // past dropped CRs.
      const bool ends_data = at_line_start && (line == 1 || line >= kFirstRuleLine);
      add(c, ends_data);
      if (ends_data) return;
      const std::size_t next = bytes.find('\n', i);  // the rest of the line is skipped
      if (next == std::string_view::npos) return;
      i = next - 1;
      at_line_start = false;
    } else {
      if (c == '\0' && !nul_seen) {
        add(c, false);
        nul_seen = true;
      }
      at_line_start = false;
    }
  }
}

// The term a rule looks for, and the one it writes, in a direction. A
// self-mapping rule looks for its line and writes it.
const std::string& FindTerm(const TRule& rule, TDirection direction) {
  return direction == TDirection::kForward || rule.SelfMapping ? rule.Left : rule.Right;
}
const std::string& WrittenTerm(const TRule& rule, TDirection direction) {
  return direction == TDirection::kForward || rule.SelfMapping ? rule.Right : rule.Left;
}

TCheckDirection CheckDirection(TDirection direction) {
  return direction == TDirection::kForward ? TCheckDirection::kForward : TCheckDirection::kReverse;
}

// Whether text holds no letter with case (a sign written as marks).
bool Caseless(std::string_view text) {
  const unsigned char* lower = LowerCaseTable();
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (lower[u] != u) return false;
    for (int b = 0; b < 256; ++b) {
      if (b != u && lower[b] == u) return false;
    }
  }
  return true;
}

// Whether rules a and b are one letter in its two cases written alike,
// without case (ъ '' and Ъ ''): reading back gives the first, as nothing
// can show a sign's case; the second is there for runs in which case counts.
bool OneSignInTwoCases(const TRule& a, const TRule& b) {
  const unsigned char* lower = LowerCaseTable();
  return !a.SelfMapping && !b.SelfMapping && a.Left.size() == 1 && b.Left.size() == 1 &&
         a.Left != b.Left &&
         lower[static_cast<unsigned char>(a.Left[0])] ==
             lower[static_cast<unsigned char>(b.Left[0])] &&
         a.Right == b.Right && Caseless(a.Right);
}

// Rules of a direction that never apply: index i never applies when its find
// term is empty, or when an earlier rule's find term is part of it with no
// rule in between that has an empty replacement (closing text up could make
// a new occurrence); the earliest such rule is named. Returns one flag per
// rule. Each part of a term is looked up among the find terms, so a profile
// of thousands of rules takes no time.
std::vector<bool> FindNeverApplies(const std::vector<TNumberedRule>& rules, TDirection direction,
                                   std::vector<TProfileFinding>* findings) {
  // The rules of each find term, in rule order.
  std::unordered_map<std::string_view, std::vector<std::size_t>> rules_finding;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string& term = FindTerm(rules[i].Rule, direction);
    if (!term.empty()) rules_finding[term].push_back(i);
  }
  std::vector<bool> never(rules.size(), false);
  std::size_t reach = 0;  // the first rule whose term can still take a later one's text
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string& term = FindTerm(rules[i].Rule, direction);
    std::size_t earliest = i;
    for (std::size_t start = 0; start < term.size(); ++start) {
      for (std::size_t length = 1; start + length <= term.size(); ++length) {
        const auto at = rules_finding.find(std::string_view(term).substr(start, length));
        if (at == rules_finding.end()) continue;
        const auto first = std::lower_bound(at->second.begin(), at->second.end(), reach);
        if (first != at->second.end() && *first < earliest) earliest = *first;
      }
    }
    const bool sign_case = direction == TDirection::kReverse && earliest < i &&
                           OneSignInTwoCases(rules[earliest].Rule, rules[i].Rule);
    if ((term.empty() || earliest < i) && !sign_case) {
      TProfileFinding finding;
      finding.Line = rules[i].Line;
      finding.Direction = CheckDirection(direction);
      finding.Kind = TFindingKind::kNeverApplies;
      finding.Term = term;
      if (earliest < i) {
        finding.Other = FindTerm(rules[earliest].Rule, direction);
        finding.OtherLine = rules[earliest].Line;
      }
      never[i] = true;
      findings->push_back(std::move(finding));
    }
    if (WrittenTerm(rules[i].Rule, direction).empty()) reach = i;
  }
  return never;
}

bool FileNameCanHold(unsigned char c) {
  return c >= 0x20 && std::strchr("\\/:*?\"<>|", c) == nullptr;
}

void FindNotInFileName(const std::vector<TNumberedRule>& rules, TDirection direction,
                       std::vector<TProfileFinding>* findings) {
  for (const TNumberedRule& numbered : rules) {
    if (numbered.Rule.SelfMapping) continue;
    const std::string& term = WrittenTerm(numbered.Rule, direction);
    for (char c : term) {
      if (FileNameCanHold(static_cast<unsigned char>(c))) continue;
      TProfileFinding finding;
      finding.Line = numbered.Line;
      finding.Direction = CheckDirection(direction);
      finding.Kind = TFindingKind::kNotInFileName;
      finding.Term = term;
      finding.Other = std::string(1, c);
      findings->push_back(std::move(finding));
      break;
    }
  }
}

std::string Run(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                TDirection direction, bool caseSensitive = false) {
  TRunOptions options;
  options.CaseSensitive = caseSensitive;
  options.Direction = direction;
  options.SelfMapping = TSelfMapping::kAlwaysIgnoreCase;
  RunReplacement(pair, input, rules, options);
  return pair.ResultText();
}

// The rules of one direction that can take part in a run over a text. A
// rule whose find term holds a byte whose small letter the text does not
// hold, in either case, never matches: a run only ever removes bytes from its
// search copy (filler is NUL, which no such term holds), and a byte matches
// only itself or, with case ignored, a byte of the same small letter.
// Self-mapping rules stay: they lower-case the search copy whether they match
// or not. A run over the rules kept gives what a run over all of them gives,
// much faster. The rules kept depend only on the set of small letters of the
// text, so they are kept by that set: a sweep over a hundred thousand letter
// sequences meets a few thousand sets.
class TRuleFilter {
 public:
  TRuleFilter(const std::vector<TRule>& rules, TDirection direction) : rules_(rules) {
    const unsigned char* lower = LowerCaseTable();
    needs_.resize(rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
      if (rules[i].SelfMapping) {
        always_.push_back(i);
        continue;
      }
      const std::string& find = FindTerm(rules[i], direction);
      if (find.empty()) continue;  // finds nothing
      for (char c : find) needs_[i].set(lower[static_cast<unsigned char>(c)]);
      std::size_t first = 0;
      while (!needs_[i].test(first)) ++first;
      by_first_need_[first].push_back(i);
    }
  }

  const std::vector<TRule>& For(std::string_view text) {
    const unsigned char* lower = LowerCaseTable();
    std::string key(text);
    for (char& c : key) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
    std::sort(key.begin(), key.end());
    key.erase(std::unique(key.begin(), key.end()), key.end());
    auto [at, added] = kept_.try_emplace(key);
    if (added) {
      std::bitset<256> held;
      for (char c : key) held.set(static_cast<unsigned char>(c));
      std::vector<std::size_t> kept = always_;
      for (char c : key) {
        for (std::size_t i : by_first_need_[static_cast<unsigned char>(c)]) {
          if ((needs_[i] & ~held).none()) kept.push_back(i);
        }
      }
      std::sort(kept.begin(), kept.end());
      at->second.reserve(kept.size());
      for (std::size_t i : kept) at->second.push_back(rules_[i]);
    }
    return at->second;
  }

 private:
  const std::vector<TRule>& rules_;
  std::vector<std::bitset<256>> needs_;  // by rule: the small letters of its find term
  // The rules by the first small letter their find term needs.
  std::array<std::vector<std::size_t>, 256> by_first_need_;
  std::vector<std::size_t> always_;  // the self-mapping rules
  std::unordered_map<std::string, std::vector<TRule>> kept_;
};

// A text forward through a profile and back, as a file name goes (two passes
// each, or one exact pass when letter case counts).
struct TRoundTrip {
  std::string There;
  std::string Back;
};
class TRoundTripper {
 public:
  explicit TRoundTripper(const std::vector<TRule>& rules)
      : forward_(rules, TDirection::kForward), reverse_(rules, TDirection::kReverse) {}

  std::string Forward(std::string_view text, bool caseSensitive) {
    return Run(pair_, text, forward_.For(text), TDirection::kForward, caseSensitive);
  }
  TRoundTrip Of(std::string_view text, bool caseSensitive) {
    TRoundTrip trip;
    trip.There = Forward(text, caseSensitive);
    trip.Back =
        Run(pair_, trip.There, reverse_.For(trip.There), TDirection::kReverse, caseSensitive);
    return trip;
  }

 private:
  TRuleFilter forward_;
  TRuleFilter reverse_;
  TReplacePair pair_;
};

void FindNotReadBack(const std::vector<TNumberedRule>& numbered,
                     const std::vector<bool>& never_forward,
                     std::vector<TProfileFinding>* findings) {
  std::vector<TRule> rules;
  rules.reserve(numbered.size());
  for (const TNumberedRule& rule : numbered) rules.push_back(rule.Rule);
  TRoundTripper trips(rules);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (never_forward[i] || rules[i].SelfMapping) continue;
    TRoundTrip trip = trips.Of(rules[i].Left, false);
    if (trip.Back == rules[i].Left) continue;
    if (OneSignInTwoCases({trip.Back, trip.There, false}, rules[i])) continue;
    TProfileFinding finding;
    finding.Line = numbered[i].Line;
    finding.Direction = TCheckDirection::kReverse;
    finding.Kind = TFindingKind::kNotReadBack;
    finding.Term = rules[i].Left;
    finding.Other = std::move(trip.There);
    finding.ReadBack = std::move(trip.Back);
    findings->push_back(std::move(finding));
  }
}

// Capitals by small letter: the first byte that lower-cases to it, or 0.
std::array<unsigned char, 256> CapitalsBySmallLetter() {
  const unsigned char* lower = LowerCaseTable();
  std::array<unsigned char, 256> capital{};
  for (int c = 255; c >= 1; --c) {
    if (lower[c] != c) capital[lower[c]] = static_cast<unsigned char>(c);
  }
  return capital;
}

// The three case forms of a sequence of small letters, in the order they are
// tried: small, Capitalised, CAPITALS.
std::array<std::string, 3> CaseForms(const std::string& small,
                                     const std::array<unsigned char, 256>& capital) {
  std::array<std::string, 3> forms = {small, small, small};
  for (std::size_t i = 0; i < small.size(); ++i) {
    const char upper = static_cast<char>(capital[static_cast<unsigned char>(small[i])]);
    if (i == 0) forms[1][i] = upper;
    forms[2][i] = upper;
  }
  return forms;
}

// The letters that the profile writes without case: the capital alone and the
// small letter alone are written alike, in characters that have no case (a
// sign written as a mark). Indexed by the small letter.
std::array<bool, 256> CaselessLetters(TRoundTripper& trips, const std::string& letters,
                                      const std::array<unsigned char, 256>& capital) {
  const unsigned char* lower = LowerCaseTable();
  std::array<bool, 256> caseless{};
  for (char letter : letters) {
    const std::string written = trips.Forward(std::string(1, letter), false);
    const char upper = static_cast<char>(capital[static_cast<unsigned char>(letter)]);
    if (trips.Forward(std::string(1, upper), false) != written) continue;
    bool cased = false;
    for (char c : written) cased = cased || capital[lower[static_cast<unsigned char>(c)]] != 0;
    caseless[static_cast<unsigned char>(letter)] = !cased;
  }
  return caseless;
}

// Every sequence of one to three of the letters in its three case forms,
// shorter first, the last letter counting fastest.
std::vector<std::string> LetterSequences(const std::string& letters,
                                         const std::array<unsigned char, 256>& capital) {
  std::vector<std::string> sequences;
  for (std::size_t length = 1; length <= 3 && !letters.empty(); ++length) {
    std::vector<std::size_t> index(length, 0);
    for (;;) {
      std::string sequence;
      for (std::size_t i : index) sequence += letters[i];
      for (std::string& form : CaseForms(sequence, capital)) sequences.push_back(std::move(form));
      std::size_t digit = length;
      while (digit > 0 && ++index[digit - 1] == letters.size()) index[--digit] = 0;
      if (digit == 0) break;
    }
  }
  return sequences;
}

// The first sequence of two, then three, of the letters that does not come
// back, in the order described in the header. A sequence comes back when
// reading back gives it, or another sequence of one to three letters that the
// profile writes alike: other letters (the scheme's own ambiguity, as "Э" and
// "Е" both written "E"), or the same letters in another case form that differs
// only in letters written without case. False when every one comes back.
bool FindSequenceNotReadBack(const std::vector<TRule>& rules, TProfileFinding* finding) {
  const std::string letters = ProfileLetters(rules);
  const std::array<unsigned char, 256> capital = CapitalsBySmallLetter();
  TRoundTripper trips(rules);
  const std::array<bool, 256> caseless = CaselessLetters(trips, letters, capital);
  const std::vector<std::string> sequences = LetterSequences(letters, capital);
  // Whether back, which the profile writes as it writes a sequence in case
  // form `form` (0 small, 1 Capitalised, 2 CAPITALS), stands for it: one to
  // three of the profile's letters in that case form, except that a letter
  // written without case may have either case where the letters with case
  // beside it do not tell: "СЪ" is "Съ" as well, but in "Вью" the ю shows
  // that the Ь is small.
  auto stands_for = [&](const std::string& back, std::size_t form) {
    if (back.empty() || back.size() > 3) return false;
    std::string small = back;
    LowerCaseInPlace(small);
    for (char c : small) {
      if (letters.find(c) == std::string::npos) return false;
    }
    const std::array<std::string, 3> forms = CaseForms(small, capital);
    for (std::size_t i = 0; i < back.size(); ++i) {
      if (back[i] == forms[form][i]) continue;
      if (!caseless[static_cast<unsigned char>(small[i])]) return false;
      // Another form that the letters with case beside it show alike.
      bool fits = false;
      for (std::size_t k = 0; k < forms.size(); ++k) {
        bool alike = forms[k][i] == back[i];
        for (std::size_t j = i == 0 ? 0 : i - 1; j <= i + 1 && j < back.size(); ++j) {
          if (j != i && !caseless[static_cast<unsigned char>(small[j])]) {
            alike = alike && forms[k][j] == forms[form][j];
          }
        }
        fits = fits || alike;
      }
      if (!fits) return false;
    }
    return true;
  };
  for (bool case_counts : {false, true}) {
    for (const std::string& sequence : sequences) {
      if (sequence.size() < 2) continue;
      const TRoundTrip trip = trips.Of(sequence, case_counts);
      if (trip.Back == sequence) continue;
      // Read back as something the profile writes alike: other letters (the
      // scheme's own ambiguity), or the same letters with a sign of a case
      // that nothing beside it shows.
      std::string small = sequence;
      LowerCaseInPlace(small);
      const std::array<std::string, 3> forms = CaseForms(small, capital);
      const std::size_t form =
          static_cast<std::size_t>(std::find(forms.begin(), forms.end(), sequence) - forms.begin());
      if (stands_for(trip.Back, form) && trips.Forward(trip.Back, case_counts) == trip.There) {
        continue;
      }
      finding->Line = 0;
      finding->Direction = TCheckDirection::kReverse;
      finding->Kind = TFindingKind::kSequenceNotReadBack;
      finding->Term = sequence;
      finding->Other = trip.There;
      finding->ReadBack = trip.Back;
      finding->CaseCounts = case_counts;
      return true;
    }
  }
  return false;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string ProfileLetters(const std::vector<TRule>& rules) {
  const unsigned char* lower = LowerCaseTable();
  const std::array<unsigned char, 256> capital = CapitalsBySmallLetter();
  std::array<bool, 256> seen{};
  for (const TRule& rule : rules) {
    if (rule.SelfMapping) continue;
    for (char c : rule.Left) {
      const unsigned char small = lower[static_cast<unsigned char>(c)];
      if (capital[small] != 0) seen[small] = true;
    }
  }
  std::string letters;
  for (int c = 1; c < 256; ++c) {
    if (seen[c]) letters += static_cast<char>(c);
  }
  return letters;
}

std::vector<TProfileFinding> CheckProfile(std::string_view fileBytes, TCheckScope scope) {
  const bool reverse = scope == TCheckScope::kForwardAndReverse;
  std::vector<TProfileFinding> findings;
  FindSpecialBytes(fileBytes, &findings);
  const std::vector<TNumberedRule> rules = ReadRules(fileBytes);
  for (const TNumberedRule& numbered : rules) {
    if (!numbered.Rule.SelfMapping) continue;
    TProfileFinding finding;
    finding.Line = numbered.Line;
    finding.Direction = TCheckDirection::kBoth;
    finding.Kind = TFindingKind::kMapsItself;
    finding.Term = numbered.Rule.Left;
    findings.push_back(std::move(finding));
  }
  const std::vector<bool> never_forward = FindNeverApplies(rules, TDirection::kForward, &findings);
  FindNotInFileName(rules, TDirection::kForward, &findings);
  if (reverse) {
    FindNeverApplies(rules, TDirection::kReverse, &findings);
    FindNotInFileName(rules, TDirection::kReverse, &findings);
    FindNotReadBack(rules, never_forward, &findings);
  }
  std::stable_sort(
      findings.begin(), findings.end(), [](const TProfileFinding& a, const TProfileFinding& b) {
        return std::tie(a.Line, a.Direction, a.Kind) < std::tie(b.Line, b.Direction, b.Kind);
      });
  if (reverse) {
    std::vector<TRule> plain;
    plain.reserve(rules.size());
    for (const TNumberedRule& numbered : rules) plain.push_back(numbered.Rule);
    TProfileFinding sequence;
    if (FindSequenceNotReadBack(plain, &sequence)) findings.push_back(std::move(sequence));
  }
  return findings;
}

bool CheckProfileFile(const std::string& path, std::vector<TProfileFinding>* findings,
                      TCheckScope scope) {
  std::string bytes;
  if (!ReadProfileFile(path, &bytes)) return false;
  *findings = CheckProfile(bytes, scope);
  return true;
}

std::string FormatProfileFinding(const TProfileFinding& finding) {
  static const char* const kDirections[] = {"forward", "reverse", "both"};
  const bool forward = finding.Direction == TCheckDirection::kForward;
  std::string text =
      std::string(finding.Line == 0 ? "" : "line " + std::to_string(finding.Line) + ", ") +
      kDirections[static_cast<int>(finding.Direction)] + ": ";
  const char* const find_side = forward ? "left term" : "right term";
  switch (finding.Kind) {
    case TFindingKind::kNeverApplies:
      if (finding.OtherLine == 0) {
        return text + "never applies: its " + find_side + " is empty";
      }
      return text + "never applies: line " + std::to_string(finding.OtherLine) + "'s " + find_side +
             " " + Quoted(finding.Other) + " is part of " + Quoted(finding.Term) +
             " and is replaced first";
    case TFindingKind::kMapsItself:
      return text + "no space: the line maps " + Quoted(finding.Term) +
             " onto itself and, in file names, lower-cases what it matches";
    case TFindingKind::kNotReadBack:
      return text + "cannot be read back: " + Quoted(finding.Term) + " goes forward to " +
             Quoted(finding.Other) + ", which reads back as " + Quoted(finding.ReadBack);
    case TFindingKind::kSpecialByte:
      switch (finding.Other.empty() ? '\0' : finding.Other[0]) {
        case '\r':
          return text +
                 "a carriage return without a line feed: the reader drops it and the "
                 "line goes on";
        case kCtrlZ:
          return text + (finding.EndsData
                             ? "Ctrl-Z: the reader stops here and reads nothing after it"
                             : "Ctrl-Z: the reader ends the line's text here and skips the rest "
                               "of the line");
        default:
          return text +
                 "a NUL byte: the engine writes NULs over replaced text, so a term "
                 "holding one can match it, and no file name can hold it";
      }
    case TFindingKind::kSequenceNotReadBack:
      return text + "the letters " + Quoted(finding.Term) + " go forward to " +
             Quoted(finding.Other) + ", which reads back as " + Quoted(finding.ReadBack) +
             (finding.CaseCounts ? " (letter case counts)" : "");
    case TFindingKind::kNotInFileName:
      return text + "the " + (forward ? "right term " : "left term ") + Quoted(finding.Term) +
             " holds " + Quoted(finding.Other) + ", which no Windows file name can hold";
  }
  return text;
}
