// The engine's edge cases, run on the fast engine and on the literal oracle
// alike (so that a wrong oracle fails too), and the fast engine's own corners.
#include "engine/replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/oracle/literal_engine.h"
#include "engine/testing/cp1251.h"

namespace {

using std::string_literals::operator""s;

// The two engines behind one face.
struct FastEngine {
  using Pair = TReplacePair;
  static void Start(Pair& pair, const std::string& input) { pair.Start(input); }
  static std::string Search(const Pair& pair) { return pair.SearchText(); }
  static std::string Result(const Pair& pair) { return pair.ResultText(); }
  static void Masked(Pair& pair, const std::string& find, const std::string& replacement,
                     bool caseSensitive) {
    MaskedReplaceAll(pair, find, replacement, caseSensitive);
  }
  static void InString(std::string& text, const std::string& find, const std::string& replacement,
                       bool caseSensitive) {
    ReplaceAllInString(text, find, replacement, caseSensitive);
  }
  static std::string Run(const std::string& input, const std::vector<TRule>& rules,
                         bool caseSensitiveOption, TDirection direction, TSelfMapping selfMapping) {
    TReplacePair pair;
    TRunOptions options;
    options.CaseSensitive = caseSensitiveOption;
    options.Direction = direction;
    options.SelfMapping = selfMapping;
    EXPECT_TRUE(RunReplacement(pair, input, rules, options));
    return pair.ResultText();
  }
};

struct LiteralEngine {
  using Pair = oracle::TLiteralPair;
  static void Start(Pair& pair, const std::string& input) {
    pair.SearchText = input;
    pair.ResultText = input;
  }
  static std::string Search(const Pair& pair) { return pair.SearchText; }
  static std::string Result(const Pair& pair) { return pair.ResultText; }
  static void Masked(Pair& pair, const std::string& find, const std::string& replacement,
                     bool caseSensitive) {
    oracle::MaskedReplaceAll(pair, find, replacement, caseSensitive);
  }
  static void InString(std::string& text, const std::string& find, const std::string& replacement,
                       bool caseSensitive) {
    oracle::ReplaceAllInString(text, find, replacement, caseSensitive);
  }
  static std::string Run(const std::string& input, const std::vector<TRule>& rules,
                         bool caseSensitiveOption, TDirection direction, TSelfMapping selfMapping) {
    Pair pair;
    oracle::RunReplacement(pair, input, rules, caseSensitiveOption, direction, selfMapping);
    return pair.ResultText;
  }
};

TRule Rule(const std::string& left, const std::string& right) { return TRule{left, right, false}; }
TRule SelfRule(const std::string& line) { return TRule{line, line, true}; }

template <typename Engine>
class EngineTest : public ::testing::Test {
 protected:
  // A text-window run, forward unless said otherwise.
  static std::string Text(const std::string& input, const std::vector<TRule>& rules,
                          bool caseSensitive, TDirection direction = TDirection::kForward) {
    return Engine::Run(input, rules, caseSensitive, direction, TSelfMapping::kLikeEveryRule);
  }
};

using Engines = ::testing::Types<FastEngine, LiteralEngine>;
class EngineNames {
 public:
  template <typename T>
  static std::string GetName(int) {
    return std::is_same_v<T, FastEngine> ? "Fast" : "Literal";
  }
};
TYPED_TEST_SUITE(EngineTest, Engines, EngineNames);

// --- masking, passes, case modes --------------------------------------------

TYPED_TEST(EngineTest, EarlierRulesWin) {
  for (bool caseSensitive : {true, false}) {
    EXPECT_EQ(this->Text("aab", {Rule("ab", "x"), Rule("a", "y")}, caseSensitive), "yx");
    EXPECT_EQ(this->Text("aab", {Rule("a", "y"), Rule("ab", "x")}, caseSensitive), "yyb");
  }
}

TYPED_TEST(EngineTest, OutputIsNeverInput) {
  EXPECT_EQ(this->Text("a", {Rule("a", "b"), Rule("b", "c")}, true), "b");
  EXPECT_EQ(this->Text("a", {Rule("a", "b"), Rule("b", "c")}, false), "b");
}

TYPED_TEST(EngineTest, EmptyReplacementClosesUpAndSearchesAgain) {
  EXPECT_EQ(this->Text("aabb", {Rule("ab", "")}, true), "");
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "aabb");
  TypeParam::Masked(pair, "ab", "", true);
  EXPECT_EQ(TypeParam::Search(pair), "");
  EXPECT_EQ(TypeParam::Result(pair), "");
}

TYPED_TEST(EngineTest, ReplacementContainingFindStops) {
  EXPECT_EQ(this->Text("xx", {Rule("x", "xx")}, true), "xxxx");
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "xx");
  TypeParam::Masked(pair, "x", "xx", true);
  EXPECT_EQ(TypeParam::Search(pair), std::string(4, '\0'));
  EXPECT_EQ(TypeParam::Result(pair), "xxxx");
}

TYPED_TEST(EngineTest, CaseSensitiveOptionOnePass) {
  EXPECT_EQ(this->Text(W("Жж"), {Rule(W("Ж"), "Zh")}, true), W("Zhж"));
}

TYPED_TEST(EngineTest, SecondPassWritesLowerCasedReplacement) {
  EXPECT_EQ(this->Text(W("Жж"), {Rule(W("Ж"), "Zh")}, false), "Zhzh");
}

TYPED_TEST(EngineTest, SecondPassReplacesCapitalInLowerCase) {
  EXPECT_EQ(this->Text(W("Жж"), {Rule(W("ж"), "zh")}, false), "zhzh");
  EXPECT_EQ(this->Text(W("Жж"), {Rule(W("ж"), "Zh")}, false), "zhZh");
}

TYPED_TEST(EngineTest, CaseIgnoringCallOfAbsentTermLowerCasesSearchText) {
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, W("ЖжAbЁ"));
  TypeParam::Masked(pair, "q", "r", false);
  EXPECT_EQ(TypeParam::Search(pair), W("жжabё"));
  EXPECT_EQ(TypeParam::Result(pair), W("ЖжAbЁ"));
}

TYPED_TEST(EngineTest, ReplaceAllInStringKeepsReplacementAndRestOfText) {
  std::string text = "A/Sb";
  TypeParam::InString(text, "/s", " ", false);
  EXPECT_EQ(text, "A b");
  text = W("Ж/S/sЖ");
  TypeParam::InString(text, "/S", W("Я"), false);  // find lower-cased, replacement not
  EXPECT_EQ(text, W("ЖЯЯЖ"));
  text = "A/Sb";
  TypeParam::InString(text, "/s", " ", true);
  EXPECT_EQ(text, "A/Sb");
}

TYPED_TEST(EngineTest, SelfMappingRuleTextWindowVersusFileName) {
  const std::vector<TRule> rules = {SelfRule("x"), Rule(W("Ж"), "Zh")};
  EXPECT_EQ(
      TypeParam::Run(W("Жx"), rules, true, TDirection::kForward, TSelfMapping::kLikeEveryRule),
      W("Zhx"));
  EXPECT_EQ(
      TypeParam::Run(W("Жx"), rules, true, TDirection::kForward, TSelfMapping::kAlwaysIgnoreCase),
      W("Жx"));
}

// --- the pair and the run -----------------------------------------------------

TYPED_TEST(EngineTest, FileNameSelfMappingPutsMatchedTextInLowerCase) {
  const std::vector<TRule> rules = {SelfRule("ab")};
  EXPECT_EQ(
      TypeParam::Run("xABy", rules, true, TDirection::kForward, TSelfMapping::kAlwaysIgnoreCase),
      "xaby");
  EXPECT_EQ(TypeParam::Run("xABy", rules, true, TDirection::kForward, TSelfMapping::kLikeEveryRule),
            "xABy");
}

TYPED_TEST(EngineTest, ReverseDirectionSwapsTerms) {
  const std::vector<TRule> rules = {Rule(W("Ш"), "Sh"), Rule(W("а"), "a"), Rule(W("г"), "g")};
  EXPECT_EQ(this->Text(W("Шаг"), rules, false), "Shag");
  EXPECT_EQ(this->Text("Shag", rules, false, TDirection::kReverse), W("Шаг"));
}

TYPED_TEST(EngineTest, PassOneReplacementsStayMaskedInPassTwo) {
  // Pass 1 writes "A" for "b"; pass 2 must not turn it into "c".
  EXPECT_EQ(this->Text("b", {Rule("b", "A"), Rule("a", "c")}, false), "A");
}

TYPED_TEST(EngineTest, CharactersOutsideReplacementsKeepTheirCase) {
  EXPECT_EQ(this->Text(W("ЖИЗНЬ"), {Rule(W("ж"), "zh")}, false), W("zhИЗНЬ"));
}

TYPED_TEST(EngineTest, NoErrorCases) {
  EXPECT_EQ(this->Text("", {Rule("a", "b")}, false), "");
  EXPECT_EQ(this->Text("abc", {}, false), "abc");
  EXPECT_EQ(this->Text("abc", {Rule("", "x")}, true), "abc");  // empty find never matches
  EXPECT_EQ(this->Text("abc", {Rule("abcd", "x")}, true), "abc");
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "ABC");
  TypeParam::Masked(pair, "", "x", false);  // still lower-cases SearchText
  EXPECT_EQ(TypeParam::Search(pair), "abc");
  EXPECT_EQ(TypeParam::Result(pair), "ABC");
}

TYPED_TEST(EngineTest, SameLengthShorterAndLongerReplacements) {
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "xabyabz");
  TypeParam::Masked(pair, "ab", "CD", true);
  EXPECT_EQ(TypeParam::Search(pair), "x\0\0y\0\0z"s);
  EXPECT_EQ(TypeParam::Result(pair), "xCDyCDz");
  TypeParam::Start(pair, "xabyabz");
  TypeParam::Masked(pair, "ab", "C", true);
  EXPECT_EQ(TypeParam::Search(pair), "x\0y\0z"s);
  EXPECT_EQ(TypeParam::Result(pair), "xCyCz");
  TypeParam::Start(pair, "xabyabz");
  TypeParam::Masked(pair, "ab", "CDE", true);
  EXPECT_EQ(TypeParam::Search(pair), "x\0\0\0y\0\0\0z"s);
  EXPECT_EQ(TypeParam::Result(pair), "xCDEyCDEz");
}

TYPED_TEST(EngineTest, OccurrencesDoNotOverlap) {
  EXPECT_EQ(this->Text("aaaa", {Rule("aa", "b")}, true), "bb");
  EXPECT_EQ(this->Text("aaa", {Rule("aa", "b")}, true), "ba");
}

TYPED_TEST(EngineTest, EmptyReplacementNestedAndRepeated) {
  EXPECT_EQ(this->Text("aaabbbc", {Rule("ab", "")}, true), "c");
  EXPECT_EQ(this->Text("abaabbab", {Rule("ab", "")}, true), "");
  EXPECT_EQ(this->Text("aabab", {Rule("aab", "")}, true), "ab");
  EXPECT_EQ(this->Text("xaaabbby", {Rule("aabb", "")}, true), "xaby");
  EXPECT_EQ(this->Text("abcabc", {Rule("abc", "")}, true), "");
  EXPECT_EQ(this->Text("aXbXc", {Rule("X", "")}, true), "abc");
}

TYPED_TEST(EngineTest, EmptyReplacementAfterMaskedStretch) {
  // The filler of an earlier rule keeps the two sides apart.
  EXPECT_EQ(this->Text("aqb", {Rule("q", "Q"), Rule("ab", "")}, true), "aQb");
  // A removal joins the two sides.
  EXPECT_EQ(this->Text("aqb", {Rule("q", ""), Rule("ab", "Z")}, true), "Z");
}

TYPED_TEST(EngineTest, TermsWithNulMatchTheFiller) {
  // A profile line can hold a NUL byte; the literal steps then match filler.
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "aab");
  TypeParam::Masked(pair, "b", "c", true);  // Search "aa\0", Result "aac"
  TypeParam::Masked(pair, "a\0"s, "x", true);
  EXPECT_EQ(TypeParam::Search(pair), "\0"s);
  EXPECT_EQ(TypeParam::Result(pair), "x");

  TypeParam::Start(pair, "ab");
  TypeParam::Masked(pair, "b", "cc", true);   // Search "a\0\0", Result "acc"
  TypeParam::Masked(pair, "\0a"s, "", true);  // no match: "\0" follows "a"
  TypeParam::Masked(pair, "\0"s, "", true);   // removes the filler and the "cc"
  EXPECT_EQ(TypeParam::Search(pair), "a");
  EXPECT_EQ(TypeParam::Result(pair), "a");
}

TYPED_TEST(EngineTest, NulOnlyFindThatWouldNeverEndChangesNothing) {
  typename TypeParam::Pair pair;
  TypeParam::Start(pair, "Ab");
  TypeParam::Masked(pair, "b", "c", true);  // Search "A\0", Result "Ac"
  TypeParam::Masked(pair, "\0"s, "y", true);
  EXPECT_EQ(TypeParam::Search(pair), "A\0"s);
  EXPECT_EQ(TypeParam::Result(pair), "Ac");
  TypeParam::Masked(pair, "\0"s, "yy", false);  // still lower-cases
  EXPECT_EQ(TypeParam::Search(pair), "a\0"s);
  EXPECT_EQ(TypeParam::Result(pair), "Ac");
  // A shorter replacement ends: "\0\0" -> "z" on "\0\0\0\0".
  TypeParam::Start(pair, "bbbb");
  TypeParam::Masked(pair, "b", "c", true);
  TypeParam::Masked(pair, "\0\0"s, "z", true);
  EXPECT_EQ(TypeParam::Search(pair), "\0"s);
  EXPECT_EQ(TypeParam::Result(pair), "z");
}

// --- the fast engine's interface ---------------------------------------------

TEST(ReplacePairTest, StartSetsBothStringsAndTakeEmpties) {
  TReplacePair pair(W("Жж"));
  EXPECT_EQ(pair.SearchText(), W("Жж"));
  EXPECT_EQ(pair.ResultText(), W("Жж"));
  MaskedReplaceAll(pair, W("Ж"), "Zh", false);
  EXPECT_EQ(pair.TakeResultText(), "zhzh");
  EXPECT_EQ(pair.SearchText(), "");
  EXPECT_EQ(pair.ResultText(), "");
}

TEST(ReplacePairTest, StartForgetsThatSearchTextWasLowerCased) {
  TReplacePair pair("AB");
  MaskedReplaceAll(pair, "q", "", false);
  EXPECT_EQ(pair.SearchText(), "ab");
  pair.Start("AB");
  MaskedReplaceAll(pair, "A", "x", true);
  EXPECT_EQ(pair.ResultText(), "xB");
  MaskedReplaceAll(pair, "b", "y", false);
  EXPECT_EQ(pair.SearchText(), "\0\0"s);
  EXPECT_EQ(pair.ResultText(), "xy");
}

TEST(RunReplacementTest, CancelledIsAskedBeforeEachRule) {
  const std::vector<TRule> rules = {Rule("a", "b"), Rule("c", "d"), Rule("e", "f")};
  TReplacePair pair;
  TRunOptions options;
  int asked = 0;
  options.Cancelled = [&] { return ++asked == 3; };
  EXPECT_FALSE(RunReplacement(pair, "ace", rules, options));
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(pair.ResultText(), "bde");  // abandoned before the third rule

  asked = 0;
  options.Cancelled = [&] { return ++asked > 100; };
  EXPECT_TRUE(RunReplacement(pair, "ace", rules, options));
  EXPECT_EQ(asked, 6);  // two passes of three rules
  EXPECT_EQ(pair.ResultText(), "bdf");
}

TEST(RunReplacementTest, TheDirectionHoldsForEveryRule) {
  const std::vector<TRule> rules = {Rule("a", "b"), Rule("c", "d")};
  TReplacePair pair;
  TRunOptions options;
  options.CaseSensitive = true;
  options.Direction = TDirection::kReverse;
  EXPECT_TRUE(RunReplacement(pair, "abcd", rules, options));
  EXPECT_EQ(pair.ResultText(), "aacc");
}

TEST(RunReplacementTest, ApplyRuleIsOneStepOfTheRun) {
  const std::vector<TRule> rules = {SelfRule("x"), Rule(W("Ж"), "Zh"), Rule("q", "")};
  for (bool caseSensitive : {true, false}) {
    for (TSelfMapping selfMapping :
         {TSelfMapping::kLikeEveryRule, TSelfMapping::kAlwaysIgnoreCase}) {
      TReplacePair run;
      TRunOptions options;
      options.CaseSensitive = caseSensitive;
      options.SelfMapping = selfMapping;
      RunReplacement(run, W("ЖxжqX"), rules, options);
      TReplacePair steps(W("ЖxжqX"));
      for (int pass = 0; pass < PassCount(caseSensitive); ++pass) {
        for (const TRule& rule : rules) {
          ApplyRule(steps, rule, PassIsCaseSensitive(pass), TDirection::kForward, selfMapping);
        }
      }
      EXPECT_EQ(steps.SearchText(), run.SearchText());
      EXPECT_EQ(steps.ResultText(), run.ResultText());
    }
  }
}

TEST(RunReplacementTest, LargeTextsTakeLinearTime) {
  // Quadratic code would take minutes here (a million replacements in a
  // two-megabyte text, per rule); the sweep takes milliseconds.
  std::string text;
  for (int i = 0; i < 500000; ++i) text += "abAB";
  const std::vector<TRule> rules = {Rule("a", "1"), Rule("b", ""), Rule("ab", "xyz"),
                                    Rule("B", "22")};
  TReplacePair pair;
  TRunOptions options;
  RunReplacement(pair, text, rules, options);
  EXPECT_EQ(pair.ResultText().size(), 500000u * 4);
  EXPECT_EQ(pair.ResultText().substr(0, 8),
            "1122"
            "1122");
  TReplacePair removal;
  std::string nested = std::string(1000000, 'a') + std::string(1000000, 'b');
  removal.Start(nested);
  MaskedReplaceAll(removal, "ab", "", true);
  EXPECT_EQ(removal.ResultText(), "");
  // A long term in a periodic text: every candidate compares far before it
  // fails, so the search goes on by Knuth-Morris-Pratt.
  std::string periodic;
  for (int i = 0; i < 500000; ++i) periodic += "ab";
  std::string term;
  for (int i = 0; i < 1000; ++i) term += "ab";
  pair.Start(periodic + "c" + term + "aa");
  MaskedReplaceAll(pair, term + "aa", "", true);
  EXPECT_TRUE(pair.ResultText() == periodic + "c");
  // A find term holding NUL meets the filler of the rule before it, and each
  // of its replacements makes the next occurrence: "abbb" -> "\0bbb" -> "y".
  std::string cascades;
  for (int i = 0; i < 250000; ++i) cascades += "abbb";
  RunReplacement(pair, cascades, {Rule("a", "x"), Rule("\0b"s, "y")}, options);
  EXPECT_EQ(pair.ResultText(), std::string(250000, 'y'));
}

TEST(RunReplacementTest, CancelledIsAskedInsideARuleAsItSweepsALongText) {
  // One rule of each kind over a megabyte (read, or written by a long
  // replacement): the hook is asked before the rule and again every 64 KB
  // the rule sweeps; a yes there stops the rule.
  struct Case {
    const char* kind;
    std::string text;
    TRule rule;
  };
  const auto times = [](const std::string& piece, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += piece;
    return text;
  };
  const std::size_t size = std::size_t{1} << 20;
  const Case cases[] = {
      {"one character, same length", times("ab", size), Rule("a", "x")},
      {"one character, longer", times("ab", size), Rule("a", "xyz")},
      {"shorter", times("abc", size), Rule("ab", "x")},
      {"same length", times("abc", size), Rule("ab", "xy")},
      {"longer", times("abc", size), Rule("ab", "xyz")},
      {"longer, rare", times("abc", size) + "qq", Rule("qq", "xyz")},
      {"one character, long replacement", times("ab", size / 64), Rule("a", std::string(300, 'x'))},
      {"longer, long replacement", times("abc", size / 64), Rule("ab", std::string(300, 'x'))},
      {"removal", times("aabb", size), Rule("ab", "")},
      {"long removal", times("abcdefghijk-", size), Rule("abcdefghijk", "")},
      {"find with NUL", times("\0bb"s, size), Rule("\0b"s, "y")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TRunOptions options;
    options.CaseSensitive = true;  // one pass, one rule
    int asked = 0;
    options.Cancelled = [&] {
      ++asked;
      return false;
    };
    TReplacePair whole;
    ASSERT_TRUE(RunReplacement(whole, c.text, {c.rule}, options));
    EXPECT_GE(asked, static_cast<int>(c.text.size() / (64 << 10)));
    TRunOptions exact;
    exact.CaseSensitive = true;
    TReplacePair unhooked;
    RunReplacement(unhooked, c.text, {c.rule}, exact);
    // (no EXPECT_EQ: a megabyte in a failure message helps nobody)
    EXPECT_TRUE(whole.ResultText() == unhooked.ResultText());
    EXPECT_TRUE(whole.SearchText() == unhooked.SearchText());

    asked = 0;
    options.Cancelled = [&] { return ++asked == 2; };
    TReplacePair stopped;
    EXPECT_FALSE(RunReplacement(stopped, c.text, {c.rule}, options));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(stopped.SearchText().size(), stopped.ResultText().size());
    EXPECT_TRUE(stopped.ResultText() != unhooked.ResultText()) << "stopped inside the rule";
  }

  // Many rules go through a long text block by block: all twenty are asked
  // for first, then the hook is asked between the blocks.
  std::vector<TRule> many;
  for (char c = 'a'; c < 'a' + 20; ++c) many.push_back(Rule(std::string(2, c), "x"));
  const std::string words =
      times("aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp qq rr ss tt ", size);
  TRunOptions options;
  options.CaseSensitive = true;
  int asked = 0;
  options.Cancelled = [&] { return ++asked == 22; };
  TReplacePair stopped;
  EXPECT_FALSE(RunReplacement(stopped, words, many, options));
  EXPECT_EQ(asked, 22);
  EXPECT_EQ(stopped.SearchText().size(), stopped.ResultText().size());
  const std::size_t replaced = stopped.ResultText().find("aa");
  EXPECT_GT(replaced, std::size_t{64 << 10}) << "the first blocks went through every rule";
  EXPECT_NE(replaced, std::string::npos) << "the last blocks were left as they were";
}

}  // namespace
