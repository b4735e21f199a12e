// Names and text as they really come, before and after a run: NFC, the
// lookalikes, Windows-1251 names, UTF-8 profiles, the letters a run keeps,
// and the text filter's pieces. Literals are bytes: u8"" is UTF-8, plain
// "\x.." escapes are Windows-1251 (rules, profiles).
#include <gtest/gtest.h>
#include <utf8proc.h>

#include <string>
#include <vector>

#include "cli/core/code_page.h"
#include "cli/core/kept_letters.h"
#include "cli/core/linux_name.h"
#include "cli/core/lookalikes.h"
#include "cli/core/normal_form.h"
#include "cli/core/profile_encoding.h"
#include "cli/core/text_filter.h"
#include "cli/core/utf8_run.h"

namespace {

std::string Utf8(char32_t character) {
  std::string utf8;
  utf8proc_uint8_t bytes[4];
  const auto length = utf8proc_encode_char(static_cast<utf8proc_int32_t>(character), bytes);
  utf8.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
  return utf8;
}

// The plain characters (IsPlainCharacter) are what ToNfc may skip: each has
// no combining class, stays itself under NFC and is never the second part
// of a canonical decomposition (so nothing before it combines with it).
TEST(NormalForm, PlainCharactersAreSafeForEveryCodePoint) {
  std::size_t plain = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    utf8proc_int32_t parts[32];
    int last = 0;
    const auto length = utf8proc_decompose_char(static_cast<utf8proc_int32_t>(c), parts, 32,
                                                UTF8PROC_DECOMPOSE, &last);
    for (utf8proc_ssize_t i = 1; i < length; ++i) {
      ASSERT_FALSE(IsPlainCharacter(static_cast<char32_t>(parts[i])))
          << std::hex << parts[i] << " follows in the decomposition of " << c;
    }
    if (!IsPlainCharacter(c)) continue;
    ++plain;
    ASSERT_EQ(utf8proc_get_property(static_cast<utf8proc_int32_t>(c))->combining_class, 0)
        << std::hex << c;
    ASSERT_EQ(NfcOfWellFormedUtf8(Utf8(c)), Utf8(c)) << std::hex << c;
  }
  EXPECT_GT(plain, 1000u);
  // Every character of Windows-1251 is plain, so a run's stretches are.
  for (int byte = 0; byte < 256; ++byte) {
    char32_t character = 0;
    DecodeUtf8(Utf8From1251(std::string(1, static_cast<char>(byte))), 0, &character);
    EXPECT_TRUE(IsPlainCharacter(character)) << byte;
  }
}

TEST(NormalForm, ComposesOnlyWhatNeedsItAndKeepsBytesThatAreNotUtf8) {
  struct {
    std::string text, nfc;
  } const cases[] = {
      {u8"\u0418\u0306\u043e\u0448\u043a\u0430\u0440", u8"\u0419\u043e\u0448\u043a\u0430\u0440"},
      {u8"\u0435\u0308\u043b\u043a\u0430.txt", u8"\u0451\u043b\u043a\u0430.txt"},
      {u8"\u0415\u0301", u8"\u0415\u0301"},   // no composed form: stays
      {u8"a\u0307\u0323", u8"\u1ea1\u0307"},  // reordered, then composed
      {"\xff" + std::string(u8"\u0435\u0308"), "\xff" + std::string(u8"\u0451")},
      {u8"\u0435\xff\u0308",
       u8"\u0435\xff\u0308"},                  // a mark after a stray byte combines with nothing
      {u8"\u212b \u0416", u8"\u00c5 \u0416"},  // a singleton among plain letters
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToNfc(c.text), c.nfc) << c.text;
  }
}

TEST(Lookalikes, ReadAsTheCharacterMeantOnlyWhereTheProfileMeansIt) {
  const std::vector<TRule> apostrophe = {{"'", ""}, {"\xe0", "a"}};  // ' and a
  const std::vector<TRule> both = {{"'", ""}, {"\x92", "q"}};        // ' and the ’ of 1251
  const std::vector<TRule> hyphen_right = {{"\xe0", "-"}};           // "-" written, not read
  const std::string marine = u8"\u041c\u0430\u0440\u02bc\u0457\u043d\u0435";  // Марʼїне
  const std::string quoted = u8"\u0430\u2019\u0430 \u0430\u2010\u0430";       // а’а а‐а
  struct {
    const std::vector<TRule>* rules;
    TDirection direction;
    std::string text, prepared;
  } const cases[] = {
      {&apostrophe, TDirection::kForward, marine, u8"\u041c\u0430\u0440'\u0457\u043d\u0435"},
      {&apostrophe, TDirection::kForward, quoted, u8"\u0430'\u0430 \u0430\u2010\u0430"},
      {&both, TDirection::kForward, quoted, quoted},
      {&both, TDirection::kForward, marine, u8"\u041c\u0430\u0440'\u0457\u043d\u0435"},
      {&hyphen_right, TDirection::kForward, quoted, quoted},
      {&hyphen_right, TDirection::kReverse, quoted, u8"\u0430\u2019\u0430 \u0430-\u0430"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrepareForRun(c.text, ActiveLookalikes(*c.rules, c.direction)), c.prepared) << c.text;
  }
}

TEST(LinuxName, NewNamesFromDecomposedWindows1251AndLookalikeNames) {
  // Й Ш Щ у к а ' ї е in Windows-1251.
  const std::vector<TRule> rules = {{"\xc9", "Y"},    {"\xee", "o"}, {"\xf8", "sh"},
                                    {"\xd9", "Shch"}, {"\xf3", "u"}, {"\xea", "k"},
                                    {"\xe0", "a"},    {"'", ""},     {"\xbf", "i"}};
  const TFileNameOptions options;
  struct {
    std::string name;
    bool from1251;
    std::string renamed;  // "" for a skip
  } const cases[] = {
      {u8"\u0418\u0306\u043e\u0448.txt", false, "Yosh.txt"},  // decomposed Й
      {"\xd9\xf3\xea\xe0.txt", true, "Shchuka.txt"},          // Windows-1251 bytes
      {"\xd9\xf3\xea\xe0.txt", false, ""},
      {"\xdf.txt", true, u8"\u042f.txt"},  // nothing to transliterate: still UTF-8 now
      {u8"\u0430\u02bc\u0457", false, "ai"},
      {u8"\u0416\u0306.txt", false, u8"\u0416\u0306.txt"},  // no rule: the name as it is
      {u8"\u0415\u0308\u0436.txt", false, u8"\u0415\u0308\u0436.txt"},
  };
  const std::vector<TLookalike> lookalikes = ActiveLookalikes(rules, TDirection::kForward);
  for (const auto& c : cases) {
    const std::variant<std::string, TSkip> got =
        NewLinuxName(c.name, rules, lookalikes, options, c.from1251);
    if (c.renamed.empty()) {
      ASSERT_TRUE(std::holds_alternative<TSkip>(got)) << c.name;
      EXPECT_EQ(std::get<TSkip>(got).Reason, TSkipReason::kNotUtf8);
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(got)) << c.name;
      EXPECT_EQ(std::get<std::string>(got), c.renamed) << c.name;
    }
  }
}

TEST(ProfileEncoding, UnicodeProfilesAreToldFromWindows1251Ones) {
  struct {
    std::string bytes;
    TProfileEncoding encoding;
  } const cases[] = {
      {u8"info\r\nL\r\nR\r\n\u0429 Shch\r\n\u0449 shch\r\n", TProfileEncoding::kUtf8},
      {"info\r\nL\r\nR\r\n\xd9 Shch\r\n\xf9 shch\r\n", TProfileEncoding::kWindows1251},
      {"\xef\xbb\xbfi\r\nL\r\nR\r\na b\r\n", TProfileEncoding::kUtf8},  // a mark, ASCII after it
      {"i\r\nL\r\nR\r\na b\r\n", TProfileEncoding::kWindows1251},  // ASCII: either reads the same
      {"i\r\n\xd0\xa8\r\n", TProfileEncoding::kWindows1251},  // "РЁ", also UTF-8 "Ш": all letters
      {u8"i\r\n\u0448\u0438\u0442 shit\r\n", TProfileEncoding::kUtf8},
      {"i\r\n\xd0", TProfileEncoding::kWindows1251},  // cut short: not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(ProfileEncodingOf(c.bytes), c.encoding) << c.bytes;

  const TResult<std::string> converted =
      Utf8ProfileTo1251(u8"\ufeffi\r\nL\r\nR\r\n\u0429 Shch\r\n\u0418\u0306 Y\r\n");
  ASSERT_TRUE(converted);
  EXPECT_EQ(*converted, "i\r\nL\r\nR\r\n\xd9 Shch\r\n\xc9 Y\r\n");
  const TResult<std::string> lacking = Utf8ProfileTo1251(u8"i\r\nL\r\nR\r\na b\r\n\u0101 a\r\n");
  ASSERT_FALSE(lacking);
  EXPECT_EQ(lacking.Error().Reason, "line 5 holds U+0101, which Windows-1251 lacks");
}

TEST(KeptLetters, CountsNamesWithCyrillicLettersAndNamesTheLettersOnce) {
  TKeptLetters kept;
  EXPECT_TRUE(kept.Add(u8"\u0402or\u0452e.txt"));  // Ђorђe
  EXPECT_FALSE(kept.Add("Shchuka.txt"));
  EXPECT_TRUE(kept.Add(u8"\u040bupri\u0458a"));         // Ћuprijа with ј
  EXPECT_TRUE(kept.Add(u8"\u0409ub\u0459ana \u0402"));  // Љubљana Ђ
  EXPECT_FALSE(kept.Add(u8"\u0483 \u00e9"));            // a combining mark, a Latin letter
  EXPECT_EQ(kept.Count(), 3u);
  EXPECT_EQ(kept.Letters(), (std::vector<char32_t>{0x402, 0x40B, 0x408, 0x409}));
  EXPECT_EQ(KeptLettersLine(kept.Count(), "name", kept.Letters(), ""),
            u8"3 names keep letters the profile does not cover: \u0402 \u040b \u0408 \u0409\n");
  EXPECT_EQ(KeptLettersLine(1, "line", {0x407}, "ukrainian-2010.pch"),
            u8"1 line keeps letters the profile does not cover: \u0407 "
            u8"(ukrainian-2010.pch covers them)\n");

  struct {
    char32_t letter, capital;
  } const capitals[] = {{0x452, 0x402}, {0x44F, 0x42F}, {0x461, 0x460}, {0x4C2, 0x4C1},
                        {0x4CF, 0x4C0}, {0x4D1, 0x4D0}, {0x527, 0x526}, {0x416, 0x416}};
  for (const auto& c : capitals) EXPECT_EQ(CyrillicCapital(c.letter), c.capital) << c.letter;

  // ђ and ї in Windows-1251; "'" is no letter.
  const std::vector<TRule> serbian = {{"\x90", "dj"}, {"'", ""}};
  EXPECT_TRUE(ProfileCovers(serbian, {0x402}, TDirection::kForward, false));
  EXPECT_FALSE(ProfileCovers(serbian, {0x402}, TDirection::kForward, true));
  EXPECT_FALSE(ProfileCovers(serbian, {0x402}, TDirection::kReverse, false));
  EXPECT_FALSE(ProfileCovers(serbian, {0x402, 0x407}, TDirection::kForward, false));
  EXPECT_FALSE(ProfileCovers(serbian, {0x4D0}, TDirection::kForward, false));  // not in 1251
  EXPECT_TRUE(FindTermsHoldCyrillic(serbian, TDirection::kForward));
  EXPECT_FALSE(FindTermsHoldCyrillic(serbian, TDirection::kReverse));
}

// Standard input given in reads of a fixed size; standard output gathered.
class TFakeStream : public TTextStream {
 public:
  TFakeStream(std::string input, std::size_t readSize)
      : input_(std::move(input)), read_(readSize) {}
  TResult<std::size_t> Read(std::size_t atMost, std::string* utf8) override {
    const std::size_t n = std::min({atMost, read_, input_.size() - at_});
    utf8->append(input_, at_, n);
    at_ += n;
    return n;
  }
  TMaybeError Write(std::string_view utf8) override {
    output += utf8;
    ++writes;
    return std::nullopt;
  }
  std::string output;
  std::size_t writes = 0;

 private:
  std::string input_;
  std::size_t read_;
  std::size_t at_ = 0;
};

TEST(TextFilter, PiecesCutAtLineEndsGiveWhatOneRunGives) {
  // The profile matches across a line break if anything does: "а\n" is no
  // term, but "аа" is, and a piece cut inside a line would split it.
  const std::vector<TRule> rules = {{"\xe0\xe0", "X"}, {"\xe0", "a"}, {"\xd9", "Shch"}};
  TTextRun whole_run(rules, false, TDirection::kForward);
  std::string text;
  for (int i = 0; i < 300; ++i) {
    text += std::string(static_cast<std::size_t>(i % 7), 'z') + u8"\u0430\u0430\u0430\u0429\n";
  }
  text += std::string(5000, 'z') + u8"\u0430\u0430 \u0418\u0306";  // longer than any piece, unended
  const std::string expected = whole_run.Run(text);
  ASSERT_NE(expected.find("Xa"), std::string::npos);
  for (std::size_t piece : {1, 7, 64, 1000, 100000}) {
    for (std::size_t read : {1, 3, 4096}) {
      TTextRun run(rules, false, TDirection::kForward);
      TFakeStream stream(text, read);
      std::size_t longest = 0;
      ASSERT_FALSE(FilterText(
          stream,
          [&](std::string_view p) {
            longest = std::max(longest, p.size());
            EXPECT_TRUE(p.size() > 5000 || p.back() == '\n');
            return run.Run(p);
          },
          piece));
      EXPECT_EQ(stream.output, expected) << piece << " " << read;
      // A piece is whole lines of about the piece size, or one long line.
      EXPECT_LE(longest, std::max<std::size_t>(piece, 5008) + 2 * std::max(piece, read));
    }
  }
  EXPECT_EQ(LinesFrom1251("\xd9\xf3\xea\xe0\n" + std::string(u8"\u0429\n") + "\xc0"),
            u8"\u0429\u0443\u043a\u0430\n\u0429\n\u0410");
}

}  // namespace
