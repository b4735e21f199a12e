// The fast engine against the literal oracle on random profiles and texts,
// with a fixed seed: SearchText and ResultText must agree byte for byte after
// every single rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/oracle/literal_engine.h"
#include "engine/profile.h"
#include "engine/replace.h"

namespace {

// Capital and small Cyrillic letters (Windows-1251 Ж ж Я я Ё ё) and Latin
// letters, spaces and the pieces of "/s".
const std::string kAlphabet = "aAbBs/S  \xC6\xE6\xDF\xFF\xA8\xB8";
const std::string kAlphabetWithNul = std::string("aAb/s \xC6\xE6", 8) + std::string(2, '\0');

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
  bool Coin() { return Below(2) == 0; }
  std::string Text(const std::string& alphabet, std::size_t maxLength) {
    std::string text(Below(maxLength + 1), ' ');
    for (char& c : text) c = alphabet[Below(alphabet.size())];
    return text;
  }

 private:
  std::mt19937 engine_;  // the same sequence on every platform
};

std::string Show(const std::string& bytes);

// Compares the fast engine's bytes with the oracle's; on a difference, shows
// both readably.
::testing::AssertionResult SameBytes(const char* fast_expression, const char* literal_expression,
                                     const std::string& fast, const std::string& literal) {
  if (fast == literal) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fast_expression << " is \"" << Show(fast) << "\", "
                                       << literal_expression << " is \"" << Show(literal) << "\"";
}
#define ASSERT_SAME_BYTES(fast, literal) ASSERT_PRED_FORMAT2(SameBytes, fast, literal)

std::string Show(const std::string& bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      shown.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      shown += hex;
    }
  }
  return shown;
}

// Random rule lines split as a profile reader splits them: "/s" escapes,
// empty terms, self-mapping lines and empty lines all come up.
std::vector<TRule> RandomRules(Random& random, const std::string& alphabet, std::size_t maxLine) {
  std::vector<TRule> rules(1 + random.Below(6));
  for (TRule& rule : rules) rule = SplitRuleLine(random.Text(alphabet, maxLine));
  return rules;
}

std::string Describe(const std::string& input, const std::vector<TRule>& rules) {
  std::string text = "input \"" + Show(input) + "\", rules:";
  for (const TRule& rule : rules) {
    text += " [\"" + Show(rule.Left) + "\" -> \"" + Show(rule.Right) + "\"" +
            (rule.SelfMapping ? " self" : "") + "]";
  }
  return text;
}

// Runs both engines rule by rule in every combination of the options.
void CheckRun(const std::string& input, const std::vector<TRule>& rules) {
  for (bool caseSensitive : {true, false}) {
    for (TDirection direction : {TDirection::kForward, TDirection::kReverse}) {
      for (TSelfMapping selfMapping :
           {TSelfMapping::kLikeEveryRule, TSelfMapping::kAlwaysIgnoreCase}) {
        TReplacePair fast(input);
        oracle::TLiteralPair literal{input, input};
        for (int pass = 0; pass < PassCount(caseSensitive); ++pass) {
          for (std::size_t i = 0; i < rules.size(); ++i) {
            ApplyRule(fast, rules[i], PassIsCaseSensitive(pass), direction, selfMapping);
            oracle::ApplyRule(literal, rules[i], PassIsCaseSensitive(pass), direction, selfMapping);
            ASSERT_SAME_BYTES(fast.SearchText(), literal.SearchText)
                << Describe(input, rules) << " pass " << pass << " rule " << i;
            ASSERT_SAME_BYTES(fast.ResultText(), literal.ResultText)
                << Describe(input, rules) << " pass " << pass << " rule " << i;
          }
        }
        TRunOptions options;
        options.CaseSensitive = caseSensitive;
        options.Direction = direction;
        options.SelfMapping = selfMapping;
        TReplacePair run;
        ASSERT_TRUE(RunReplacement(run, input, rules, options));
        oracle::TLiteralPair literalRun;
        oracle::RunReplacement(literalRun, input, rules, caseSensitive, direction, selfMapping);
        ASSERT_SAME_BYTES(run.ResultText(), literalRun.ResultText) << Describe(input, rules);
        ASSERT_SAME_BYTES(run.SearchText(), literalRun.SearchText) << Describe(input, rules);
      }
    }
  }
}

TEST(EquivalenceTest, RandomProfilesAndTexts) {
  Random random(20240601);
  for (int i = 0; i < 5000; ++i) {
    const std::vector<TRule> rules = RandomRules(random, kAlphabet, 7);
    const std::string input = random.Text(kAlphabet, 30);
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, LongerTextsOverTwoLetters) {
  // Few letters make many overlapping and nested occurrences: deep removals,
  // terms with borders ("aba", "aab").
  Random random(7);
  for (int i = 0; i < 600; ++i) {
    std::vector<TRule> rules(1 + random.Below(4));
    for (TRule& rule : rules) {
      rule.Left = random.Text("abA", 4);
      rule.Right = random.Below(3) == 0 ? std::string() : random.Text("abB", 5);
    }
    const std::string input = random.Text("aabbA", 300);
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, TextsThatLackMostBytePairs) {
  // Longer than a name, under enough rules that search, a text is searched
  // only for the rules whose byte pairs it holds. Texts made of a few words
  // hold few pairs; rules that delete their find bring bytes together into
  // pairs that were not there, which later rules must still find.
  const std::string letters = "abcdefgh\xC6\xE6\xDF\xFF";
  Random random(1251);
  for (int i = 0; i < 150; ++i) {
    std::vector<std::string> words(3);
    for (std::string& word : words) word = random.Text(letters, 5);
    std::string input;
    const std::size_t size = 300 + random.Below(1500);
    while (input.size() < size) input += words[random.Below(words.size())] + " ";
    std::vector<TRule> rules(16 + random.Below(30));
    for (TRule& rule : rules) {
      rule.Left = random.Text(letters, 3);
      rule.Right = random.Below(4) == 0 ? std::string() : random.Text("xyzB", 3);
    }
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, LongTermsAndReplacements) {
  // Terms longer than 8 characters take the Knuth-Morris-Pratt search, and
  // replacements longer than 8 characters the general sweep of a series of
  // one-character rules.
  Random random(31337);
  for (int i = 0; i < 300; ++i) {
    std::string input = random.Text("aabA", 60);
    for (int repeat = 0; repeat < 2; ++repeat) input += input;  // periodic stretches
    std::vector<TRule> rules(1 + random.Below(5));
    for (TRule& rule : rules) {
      const std::size_t kind = random.Below(3);
      if (kind == 0) {
        rule.Left = random.Text("abA", 1);
      } else if (kind == 1) {
        rule.Left = random.Text("aab", 14);
      } else {  // a piece of the text, often at its very end
        const std::size_t length = std::min<std::size_t>(input.size(), 9 + random.Below(6));
        const std::size_t start =
            random.Coin() ? input.size() - length : random.Below(input.size() - length + 1);
        rule.Left = input.substr(start, length);
      }
      if (rule.Left.empty()) rule.Left = "a";
      rule.Right = random.Below(4) == 0 ? std::string() : random.Text("xyzB", 14);
    }
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, TermsAndTextsWithNul) {
  Random random(99);
  for (int i = 0; i < 3000; ++i) {
    std::vector<TRule> rules(1 + random.Below(5));
    for (TRule& rule : rules) {
      rule.Left = random.Text(kAlphabetWithNul, 4);
      rule.Right = random.Text(kAlphabetWithNul, 4);
      rule.SelfMapping = random.Below(5) == 0;
      if (rule.SelfMapping) rule.Right = rule.Left;
    }
    const std::string input = random.Text(kAlphabetWithNul, 25);
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, FindTermsTakenFromMaskedText) {
  // Rules that leave filler, then finds cut out of the masked search text
  // (so they hold NULs and occur), with replacements of every length: the
  // filler of each replacement may complete a new occurrence, over and over.
  Random random(1612);
  for (int i = 0; i < 1500; ++i) {
    const std::string input = random.Text(random.Coin() ? "aab" : "aAbB \xC6\xE6", 200);
    std::vector<TRule> rules;
    for (std::size_t masking = random.Below(3); masking-- > 0;) {
      rules.push_back(TRule{random.Text("ab", 2), random.Text("xy", 3), false});
    }
    oracle::TLiteralPair masked;
    oracle::RunReplacement(masked, input, rules, true, TDirection::kForward,
                           TSelfMapping::kLikeEveryRule);
    const std::string& search = masked.SearchText;
    for (std::size_t cut = 1 + random.Below(3); cut-- > 0 && !search.empty();) {
      const std::size_t start = random.Below(search.size());
      std::string find = search.substr(start, 1 + random.Below(4));
      if (random.Below(4) == 0) find.insert(random.Below(find.size() + 1), 1, '\0');
      rules.push_back(TRule{find, random.Text(std::string("ab\0", 3), 4), false});
    }
    ASSERT_NO_FATAL_FAILURE(CheckRun(input, rules)) << "case " << i;
  }
}

TEST(EquivalenceTest, LongTextsGoThroughTheRulesBlockByBlock) {
  // Texts far longer than the blocks that a run cuts them into (too long for
  // the literal oracle): the run must equal ApplyRule rule after rule, which
  // the tests above hold to the oracle. Words over few letters, so that terms
  // span many cuts, and separators that some terms hold.
  Random random(77);
  for (int i = 0; i < 40; ++i) {
    const std::string letters = random.Coin() ? "abA" : std::string("ab\0\xC6\xE6", 5);
    std::string input;
    const std::size_t size = 40000 + random.Below(200000);
    while (input.size() < size) {
      input += random.Text(letters, 1 + random.Below(random.Below(8) == 0 ? 3000 : 12));
      input += random.Text(" .\r\n", 1);
    }
    // Enough rules that search the text for the run to take it block by
    // block, and a few profiles with fewer.
    std::vector<TRule> rules(random.Below(5) == 0 ? 1 + random.Below(8) : 16 + random.Below(30));
    for (TRule& rule : rules) {
      rule.Left = random.Text(letters + (random.Below(6) == 0 ? " " : ""), 4);
      rule.Right = random.Text(std::string("xyzB\0", 5), random.Below(5) == 0 ? 40 : 3);
      rule.SelfMapping = random.Below(6) == 0;
      if (rule.SelfMapping) rule.Right = rule.Left;
    }
    for (bool caseSensitive : {true, false}) {
      for (TSelfMapping selfMapping :
           {TSelfMapping::kLikeEveryRule, TSelfMapping::kAlwaysIgnoreCase}) {
        TRunOptions options;
        options.CaseSensitive = caseSensitive;
        options.SelfMapping = selfMapping;
        TReplacePair run;
        ASSERT_TRUE(RunReplacement(run, input, rules, options));
        TReplacePair steps(input);
        for (int pass = 0; pass < PassCount(caseSensitive); ++pass) {
          for (const TRule& rule : rules) {
            ApplyRule(steps, rule, PassIsCaseSensitive(pass), TDirection::kForward, selfMapping);
          }
        }
        // (no ASSERT_SAME_BYTES: these texts are too long to show)
        ASSERT_TRUE(run.SearchText() == steps.SearchText()) << "case " << i;
        ASSERT_TRUE(run.ResultText() == steps.ResultText()) << "case " << i;
      }
    }
  }
}

TEST(EquivalenceTest, MaskedReplaceAllWithAnyCaseFlags) {
  // Calls in any order of case modes, not only pass 1 then pass 2.
  Random random(12345);
  for (int i = 0; i < 3000; ++i) {
    const std::string input = random.Text(kAlphabet, 30);
    TReplacePair fast(input);
    oracle::TLiteralPair literal{input, input};
    const std::size_t calls = 1 + random.Below(8);
    for (std::size_t call = 0; call < calls; ++call) {
      const std::string find = random.Text(kAlphabet, 3);
      const std::string replacement = random.Text(kAlphabet, 4);
      const bool caseSensitive = random.Coin();
      MaskedReplaceAll(fast, find, replacement, caseSensitive);
      oracle::MaskedReplaceAll(literal, find, replacement, caseSensitive);
      ASSERT_SAME_BYTES(fast.SearchText(), literal.SearchText)
          << "case " << i << " call " << call << " input \"" << Show(input) << "\"";
      ASSERT_SAME_BYTES(fast.ResultText(), literal.ResultText)
          << "case " << i << " call " << call << " input \"" << Show(input) << "\"";
    }
  }
}

TEST(EquivalenceTest, ReplaceAllInString) {
  Random random(4242);
  for (int i = 0; i < 5000; ++i) {
    const std::string input = random.Text(kAlphabet, 30);
    const std::string find = random.Text(kAlphabet, 3);
    const std::string replacement = random.Text(kAlphabet, 4);
    const bool caseSensitive = random.Coin();
    std::string fast = input;
    std::string literal = input;
    ReplaceAllInString(fast, find, replacement, caseSensitive);
    oracle::ReplaceAllInString(literal, find, replacement, caseSensitive);
    ASSERT_SAME_BYTES(fast, literal) << "input \"" << Show(input) << "\" find \"" << Show(find)
                                     << "\" replacement \"" << Show(replacement) << "\"";
  }
}

}  // namespace
