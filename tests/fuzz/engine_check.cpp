#include "engine_check.h"

#include <algorithm>
#include <array>

#include "engine/lower_case.h"
#include "engine/oracle/literal_engine.h"
#include "fuzz_report.h"

namespace fuzz {

namespace {

// Rough count of byte comparisons the literal engine may make in one pass.
constexpr std::size_t kComparisonBudget = std::size_t{1} << 20;
// Longest text the literal engine is given.
constexpr std::size_t kMaxText = std::size_t{1} << 16;

const char* Name(TDirection direction) {
  return direction == TDirection::kForward ? "forward" : "reverse";
}

const char* Name(TSelfMapping selfMapping) {
  return selfMapping == TSelfMapping::kLikeEveryRule ? "self-mapping like every rule"
                                                     : "self-mapping always ignoring case";
}

std::string DescribeMode(bool caseSensitiveOption, TDirection direction, TSelfMapping selfMapping) {
  return std::string(caseSensitiveOption ? "CaseSensitive set" : "CaseSensitive clear") + ", " +
         Name(direction) + ", " + Name(selfMapping);
}

std::string DescribeCase(const std::string& text, const std::vector<TRule>& rules) {
  return "text \"" + Show(text) + "\", rules " + DescribeRules(rules);
}

bool IgnoresCase(const TRule& rule, bool passCaseSensitive, TSelfMapping selfMapping) {
  return !passCaseSensitive || (rule.SelfMapping && selfMapping == TSelfMapping::kAlwaysIgnoreCase);
}

// The pair's invariant: equal lengths; at each position the filler, or the
// result's own character (lower-cased once the run has ignored case), and
// nothing but lower-case letters after that.
void CheckInvariant(const std::string& search, const std::string& result, bool lowered,
                    const TDescription& where) {
  if (search.size() != result.size()) {
    Fail(where() + ": SearchText has " + std::to_string(search.size()) + " bytes, ResultText " +
         std::to_string(result.size()));
  }
  const unsigned char* lower = LowerCaseTable();
  for (std::size_t i = 0; i < search.size(); ++i) {
    const auto s = static_cast<unsigned char>(search[i]);
    const auto r = static_cast<unsigned char>(result[i]);
    const bool matches = s == 0 || s == (lowered ? lower[r] : r);
    if (!matches || (lowered && lower[s] != s)) {
      Fail(where() + ": position " + std::to_string(i) + " has SearchText \"" +
           Show(search.substr(i, 1)) + "\" against ResultText \"" + Show(result.substr(i, 1)) +
           "\"" + (lowered ? " after case was ignored" : ""));
    }
  }
}

// Rule by rule through both passes, then the same as one RunReplacement.
void CheckMode(const std::string& text, const std::vector<TRule>& rules, bool caseSensitiveOption,
               TDirection direction, TSelfMapping selfMapping) {
  const std::string mode = DescribeMode(caseSensitiveOption, direction, selfMapping);
  TReplacePair fast(text);
  oracle::TLiteralPair literal{text, text};
  bool lowered = false;
  for (int pass = 0; pass < PassCount(caseSensitiveOption); ++pass) {
    const bool passCaseSensitive = PassIsCaseSensitive(pass);
    for (std::size_t i = 0; i < rules.size(); ++i) {
      ApplyRule(fast, rules[i], passCaseSensitive, direction, selfMapping);
      oracle::ApplyRule(literal, rules[i], passCaseSensitive, direction, selfMapping);
      lowered = lowered || IgnoresCase(rules[i], passCaseSensitive, selfMapping);
      const auto where = [&] {
        return "ApplyRule, " + mode + ", pass " + std::to_string(pass + 1) + ", after rule " +
               std::to_string(i + 1) + "; " + DescribeCase(text, rules);
      };
      ExpectSame(where, "SearchText", fast.SearchText(), "literal", literal.SearchText);
      ExpectSame(where, "ResultText", fast.ResultText(), "literal", literal.ResultText);
      CheckInvariant(fast.SearchText(), fast.ResultText(), lowered, where);
    }
  }

  TRunOptions options;
  options.CaseSensitive = caseSensitiveOption;
  options.Direction = direction;
  options.SelfMapping = selfMapping;
  TReplacePair run;
  const auto where = [&] { return "RunReplacement, " + mode + "; " + DescribeCase(text, rules); };
  if (!RunReplacement(run, text, rules, options)) Fail(where() + ": reported a cancellation");
  ExpectSame(where, "SearchText", run.SearchText(), "literal", literal.SearchText);
  ExpectSame(where, "ResultText", run.ResultText(), "literal", literal.ResultText);
}

// One RunReplacement whose hook may abandon the run, in the direction the
// plan picks; the pair must hold what the rules before the abandoning
// question gave.
void CheckHookedRun(const std::string& text, const std::vector<TRule>& rules,
                    bool caseSensitiveOption, TSelfMapping selfMapping, const THookPlan& hooks) {
  const TDirection direction =
      (hooks.ReverseBits & 1) != 0 ? TDirection::kReverse : TDirection::kForward;
  std::size_t cancelAsked = 0;
  TRunOptions options;
  options.CaseSensitive = caseSensitiveOption;
  options.Direction = direction;
  options.SelfMapping = selfMapping;
  options.Cancelled = [&] { return ++cancelAsked == hooks.CancelAt; };
  TReplacePair fast;
  const bool finished = RunReplacement(fast, text, rules, options);

  const int passes = PassCount(caseSensitiveOption);
  const std::size_t total = static_cast<std::size_t>(passes) * rules.size();
  const bool cancels = hooks.CancelAt != 0 && hooks.CancelAt <= total;
  const std::size_t applied = cancels ? hooks.CancelAt - 1 : total;
  oracle::TLiteralPair literal{text, text};
  for (std::size_t k = 0; k < applied; ++k) {
    oracle::ApplyRule(literal, rules[k % rules.size()],
                      PassIsCaseSensitive(static_cast<int>(k / rules.size())), direction,
                      selfMapping);
  }

  const auto where = [&] {
    return std::string("RunReplacement with hooks (") +
           (caseSensitiveOption ? "CaseSensitive set" : "CaseSensitive clear") + ", " +
           Name(selfMapping) + ", reverse bits " + std::to_string(hooks.ReverseBits) +
           ", cancel at question " + std::to_string(hooks.CancelAt) + "); " +
           DescribeCase(text, rules);
  };
  if (finished == cancels) Fail(where() + (cancels ? ": did not stop" : ": stopped"));
  if (cancelAsked != (cancels ? hooks.CancelAt : total)) {
    Fail(where() + ": Cancelled asked " + std::to_string(cancelAsked) + " times");
  }
  ExpectSame(where, "SearchText", fast.SearchText(), "literal", literal.SearchText);
  ExpectSame(where, "ResultText", fast.ResultText(), "literal", literal.ResultText);
}

void CheckReplaceAllInString(const std::string& text, const std::vector<TRule>& rules) {
  for (const TRule& rule : rules) {
    for (const bool caseSensitive : {true, false}) {
      std::string fast = text;
      std::string literal = text;
      ReplaceAllInString(fast, rule.Left, rule.Right, caseSensitive);
      oracle::ReplaceAllInString(literal, rule.Left, rule.Right, caseSensitive);
      const auto where = [&] {
        return "ReplaceAllInString(\"" + Show(text) + "\", \"" + Show(rule.Left) + "\", \"" +
               Show(rule.Right) + "\", " + (caseSensitive ? "exact" : "ignoring case") + ")";
      };
      ExpectSame(where, "fast", fast, "literal", literal);
    }
  }
}

}  // namespace

std::string DescribeRules(const std::vector<TRule>& rules) {
  std::string described = "[";
  for (std::size_t i = 0; i < rules.size(); ++i) {
    if (i > 0) described += ", ";
    described += "\"" + Show(rules[i].Left) + "\" -> \"" + Show(rules[i].Right) + "\"";
    if (rules[i].SelfMapping) described += " (self-mapping)";
  }
  return described + "]";
}

void CheckLongRun(const std::string& text, const std::vector<TRule>& rules) {
  if (text.empty() || rules.empty()) return;
  std::vector<TRule> many;
  std::size_t searching = 0;
  std::size_t longestTerm = 1;
  for (std::size_t i = 0; searching < 16 && i < 64 * rules.size(); ++i) {
    const TRule& rule = rules[i % rules.size()];
    many.push_back(rule);
    searching += rule.Left.size() != 1;  // forward, a find term of one byte is swept
    longestTerm = std::max({longestTerm, rule.Left.size(), rule.Right.size()});
  }
  // Without a byte that no term holds there is nothing to cut at, and the
  // run is the one that CheckEngine checks.
  std::array<bool, 256> held{};
  for (const TRule& rule : many) {
    for (const char c : rule.Left + rule.Right)
      held[LowerCaseTable()[static_cast<unsigned char>(c)]] = true;
  }
  const bool cuts = std::any_of(text.begin(), text.end(), [&](char c) {
    return !held[LowerCaseTable()[static_cast<unsigned char>(c)]];
  });
  std::string input;
  while (input.size() <= (std::size_t{80} << 10)) input += text;
  if (searching < 16 || !cuts || input.size() * longestTerm > (std::size_t{8} << 20)) return;
  // Case ignored and self-mapping rules always so: both passes, and series
  // of either case mode in the first.
  TRunOptions options;
  options.CaseSensitive = false;
  options.SelfMapping = TSelfMapping::kAlwaysIgnoreCase;
  TReplacePair run;
  RunReplacement(run, input, many, options);
  TReplacePair steps(input);
  for (int pass = 0; pass < PassCount(options.CaseSensitive); ++pass) {
    for (const TRule& rule : many) {
      ApplyRule(steps, rule, PassIsCaseSensitive(pass), options.Direction, options.SelfMapping);
    }
  }
  if (run.SearchText() != steps.SearchText() || run.ResultText() != steps.ResultText()) {
    Fail("RunReplacement of " + std::to_string(input.size()) + " bytes (the text repeated), " +
         DescribeMode(options.CaseSensitive, options.Direction, options.SelfMapping) + "; " +
         DescribeCase(text, many) + ": differs from ApplyRule rule after rule");
  }
}

std::vector<TRule> WithNul(std::vector<TRule> rules, char byte) {
  for (TRule& rule : rules) {
    std::replace(rule.Left.begin(), rule.Left.end(), byte, '\0');
    std::replace(rule.Right.begin(), rule.Right.end(), byte, '\0');
  }
  return rules;
}

std::size_t AffordableRules(std::string_view text, const std::vector<TRule>& rules) {
  std::size_t longestTerm = 1;
  std::size_t comparisons = 0;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    longestTerm = std::max({longestTerm, rules[i].Left.size(), rules[i].Right.size()});
    // Every replacement that makes the text longer uses up a byte of the
    // input, so no text grows past this.
    const std::size_t longestText = text.size() * longestTerm + 1;
    comparisons += longestText * (1 + longestTerm);
    if (longestText > kMaxText || comparisons > kComparisonBudget) return i;
  }
  return rules.size();
}

void CheckEngine(const std::string& text, const std::vector<TRule>& rules, const THookPlan& hooks) {
  for (const bool caseSensitiveOption : {true, false}) {
    for (const TSelfMapping selfMapping :
         {TSelfMapping::kLikeEveryRule, TSelfMapping::kAlwaysIgnoreCase}) {
      for (const TDirection direction : {TDirection::kForward, TDirection::kReverse}) {
        CheckMode(text, rules, caseSensitiveOption, direction, selfMapping);
      }
      if (!rules.empty()) CheckHookedRun(text, rules, caseSensitiveOption, selfMapping, hooks);
    }
  }
  CheckReplaceAllInString(text, rules);
}

}  // namespace fuzz
