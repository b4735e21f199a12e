// The profile check: the file read as the readers read it, then each rule
// looked at in both directions.
#include "engine/profile_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>
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

// Rules of a direction that never apply: index i never applies when its find
// term is empty, or when an earlier rule's find term is part of it with no
// rule in between that has an empty replacement (closing text up could make
// a new occurrence). Returns one flag per rule.
std::vector<bool> FindNeverApplies(const std::vector<TNumberedRule>& rules, TDirection direction,
                                   std::vector<TProfileFinding>* findings) {
  std::vector<bool> never(rules.size(), false);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string& term = FindTerm(rules[i].Rule, direction);
    TProfileFinding finding;
    finding.Line = rules[i].Line;
    finding.Direction = CheckDirection(direction);
    finding.Kind = TFindingKind::kNeverApplies;
    finding.Term = term;
    bool found = term.empty();
    for (std::size_t j = i; !found && j-- > 0;) {
      const std::string& part = FindTerm(rules[j].Rule, direction);
      if (!part.empty() && term.find(part) != std::string::npos) {
        finding.Other = part;
        finding.OtherLine = rules[j].Line;
      }
      if (WrittenTerm(rules[j].Rule, direction).empty()) break;
    }
    found = found || finding.OtherLine != 0;
    if (found) {
      never[i] = true;
      findings->push_back(std::move(finding));
    }
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

void FindNotReadBack(const std::vector<TNumberedRule>& numbered,
                     const std::vector<bool>& never_forward,
                     std::vector<TProfileFinding>* findings) {
  std::vector<TRule> rules;
  rules.reserve(numbered.size());
  for (const TNumberedRule& rule : numbered) rules.push_back(rule.Rule);
  TReplacePair pair;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (never_forward[i] || rules[i].SelfMapping) continue;
    const std::string there = Run(pair, rules[i].Left, rules, TDirection::kForward);
    std::string back = Run(pair, there, rules, TDirection::kReverse);
    if (back == rules[i].Left) continue;
    TProfileFinding finding;
    finding.Line = numbered[i].Line;
    finding.Direction = TCheckDirection::kReverse;
    finding.Kind = TFindingKind::kNotReadBack;
    finding.Term = rules[i].Left;
    finding.Other = there;
    finding.ReadBack = std::move(back);
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

// The rules of a direction that can take part in a run over text: a rule
// whose find term holds a byte that neither text nor its lower-cased form
// holds never matches, since a run only ever removes bytes from its search
// copy (filler is NUL, which no such term holds). Self-mapping rules stay:
// they lower-case the search copy whether they match or not. The run over
// the rules kept gives what the run over all of them gives, much faster.
std::vector<TRule> RulesThatCanMatch(const std::vector<TRule>& rules, std::string_view text,
                                     TDirection direction) {
  const unsigned char* lower = LowerCaseTable();
  std::array<bool, 256> held{};
  for (char c : text) {
    held[static_cast<unsigned char>(c)] = true;
    held[lower[static_cast<unsigned char>(c)]] = true;
  }
  std::vector<TRule> kept;
  for (const TRule& rule : rules) {
    const std::string& find = FindTerm(rule, direction);
    bool can = !find.empty() || rule.SelfMapping;
    for (std::size_t i = 0; can && i < find.size() && !rule.SelfMapping; ++i) {
      can = held[static_cast<unsigned char>(find[i])] ||
            held[lower[static_cast<unsigned char>(find[i])]];
    }
    if (can) kept.push_back(rule);
  }
  return kept;
}

// Forward, then back, over only the rules that can take part.
struct TRoundTrip {
  std::string There;
  std::string Back;
};
TRoundTrip RoundTrip(TReplacePair& pair, const std::vector<TRule>& rules, std::string_view text,
                     bool caseSensitive) {
  TRoundTrip trip;
  trip.There = Run(pair, text, RulesThatCanMatch(rules, text, TDirection::kForward),
                   TDirection::kForward, caseSensitive);
  trip.Back = Run(pair, trip.There, RulesThatCanMatch(rules, trip.There, TDirection::kReverse),
                  TDirection::kReverse, caseSensitive);
  return trip;
}

// The letters that the profile writes without case: the capital alone and the
// small letter alone are written alike, in characters that have no case (a
// sign written as a mark). Indexed by the small letter.
std::array<bool, 256> CaselessLetters(const std::vector<TRule>& rules, const std::string& letters,
                                      const std::array<unsigned char, 256>& capital) {
  std::array<bool, 256> caseless{};
  TReplacePair pair;
  for (char letter : letters) {
    const std::string small(1, letter);
    const std::string written = RoundTrip(pair, rules, small, false).There;
    if (RoundTrip(pair, rules,
                  std::string(1, static_cast<char>(capital[static_cast<unsigned char>(letter)])),
                  false)
            .There != written) {
      continue;
    }
    bool cased = false;
    for (char c : written)
      cased = cased || capital[LowerCaseTable()[static_cast<unsigned char>(c)]] != 0;
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
  const std::array<bool, 256> caseless = CaselessLetters(rules, letters, capital);
  const unsigned char* lower = LowerCaseTable();
  const std::vector<std::string> sequences = LetterSequences(letters, capital);
  // Whether b may stand for a when both are written alike.
  auto may_stand_for = [&](const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return true;
    bool other_letters = false;
    bool case_of_cased = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const unsigned char x = static_cast<unsigned char>(a[i]);
      const unsigned char y = static_cast<unsigned char>(b[i]);
      if (lower[x] != lower[y]) other_letters = true;
      if (x != y && lower[x] == lower[y] && !caseless[lower[x]]) case_of_cased = true;
    }
    return other_letters || !case_of_cased;
  };
  // Whether text is one of the sequences: one to three letters of the
  // profile, small, Capitalised or in CAPITALS.
  auto is_sequence = [&](const std::string& text) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text) {
      if (letters.find(static_cast<char>(lower[static_cast<unsigned char>(c)])) ==
          std::string::npos) {
        return false;
      }
    }
    std::string small = text;
    LowerCaseInPlace(small);
    for (const std::string& form : CaseForms(small, capital)) {
      if (form == text) return true;
    }
    return false;
  };
  TReplacePair pair;
  for (bool case_counts : {false, true}) {
    for (const std::string& sequence : sequences) {
      if (sequence.size() < 2) continue;
      const TRoundTrip trip = RoundTrip(pair, rules, sequence, case_counts);
      if (trip.Back == sequence) continue;
      // Read back as something the profile writes alike: another sequence,
      // or the same letters with a sign of another case.
      if (may_stand_for(sequence, trip.Back) &&
          (is_sequence(trip.Back) || trip.Back.size() == sequence.size()) &&
          RoundTrip(pair, rules, trip.Back, case_counts).There == trip.There) {
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
  if (!ProfilePresent(path)) return false;
  TProfileFile file;
  if (!file.Open(path)) return false;
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const std::ptrdiff_t read = file.Read(buffer, sizeof buffer);
    if (read < 0) return false;
    if (read == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(read));
  }
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
