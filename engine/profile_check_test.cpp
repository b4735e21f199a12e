// The profile check: a small profile made for each kind of finding, the text
// of each finding, and the shipped profiles.
#include "engine/profile_check.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/testing/cp1251.h"

namespace {

using std::string_literals::operator""s;

const std::string kHeader = "info\r\nLeft\r\nRight\r\n";

// The findings of single rules as formatted lines: what a user sees.
// Sequences are looked at on their own below.
std::vector<std::string> Check(const std::string& bytes,
                               TCheckScope scope = TCheckScope::kForwardAndReverse) {
  std::vector<std::string> lines;
  for (const TProfileFinding& finding : CheckProfile(bytes, scope)) {
    if (finding.Kind == TFindingKind::kSequenceNotReadBack) continue;
    lines.push_back(FormatProfileFinding(finding));
  }
  return lines;
}

struct Case {
  const char* what;
  std::string rules;  // after the three header lines
  std::vector<std::string> findings;
};

TEST(CheckProfile, FindsEachKindOnAProfileMadeForIt) {
  const Case cases[] = {
      {"clean, and reads back", "sh ш\r\ns с\r\nh х\r\n", {}},
      {"an earlier left term is part of a later one",
       "ab x\r\nabc y\r\n",
       {"line 5, forward: never applies: line 4's left term \"ab\" is part of \"abc\" and is "
        "replaced first"}},
      {"the same left term twice: the second never applies forward",
       "a x\r\na y\r\n",
       {"line 5, forward: never applies: line 4's left term \"a\" is part of \"a\" and is "
        "replaced first"}},
      {"two rules write the same term: the second cannot be read back",
       "e E\r\nf E\r\n",
       {"line 5, reverse: never applies: line 4's right term \"E\" is part of \"E\" and is "
        "replaced first",
        "line 5, reverse: cannot be read back: \"f\" goes forward to \"E\", which reads back as "
        "\"e\""}},
      {"a part written before the whole on the right side",
       "x S\r\ny SH\r\n",
       {"line 5, reverse: never applies: line 4's right term \"S\" is part of \"SH\" and is "
        "replaced first",
        "line 5, reverse: cannot be read back: \"y\" goes forward to \"SH\", which reads back "
        "as \"xH\""}},
      {"empty terms",
       " x\r\ny \r\n",
       {"line 4, forward: never applies: its left term is empty",
        "line 5, reverse: never applies: its right term is empty",
        "line 5, reverse: cannot be read back: \"y\" goes forward to \"\", which reads back as "
        "\"\""}},
      {"an empty replacement in between can make new occurrences",
       "ab x\r\nc \r\nzabz y\r\n",
       {"line 5, reverse: never applies: its right term is empty",
        "line 5, reverse: cannot be read back: \"c\" goes forward to \"\", which reads back as "
        "\"\""}},
      {"a sign's capital written as the sign: read back small, which is no finding",
       W("ъ ''\r\nЪ ''\r\n"),
       {}},
      {"a letter's capital written as the small letter is",
       "b x\r\nB x\r\n",
       {"line 5, reverse: never applies: line 4's right term \"x\" is part of \"x\" and is "
        "replaced first",
        "line 5, reverse: cannot be read back: \"B\" goes forward to \"x\", which reads back as "
        "\"b\""}},
      {"a line without a space",
       "q\r\n",
       {"line 4, both: no space: the line maps \"q\" onto itself and, in file names, "
        "lower-cases what it matches"}},
      {"a term no file name can hold",
       "a b:c\r\nd/e f\r\n",
       {"line 4, forward: the right term \"b:c\" holds \":\", which no Windows file name can "
        "hold",
        "line 5, reverse: the left term \"d/e\" holds \"/\", which no Windows file name can "
        "hold"}},
      {"a term holding a space through /s is fine", "a/sb x/sy\r\n", {}},
      {"a bare carriage return",
       "a x\rb y\r\n",
       {"line 4, both: a carriage return without a line feed: the reader drops it and the line "
        "goes on"}},
      {"Ctrl-Z at the start of a rule line",
       "a x\r\n\x1A"
       "b y\r\n",
       {"line 5, both: Ctrl-Z: the reader stops here and reads nothing after it"}},
      {"Ctrl-Z inside a line",
       "a x\x1Ay\r\nb z\r\n",
       {"line 4, both: Ctrl-Z: the reader ends the line's text here and skips the rest of the "
        "line"}},
      {"a NUL byte",
       "a\0 x\r\n"s,
       {"line 4, reverse: the left term \"a\\x00\" holds \"\\x00\", which no Windows file name "
        "can hold",
        "line 4, both: a NUL byte: the engine writes NULs over replaced text, so a term holding "
        "one can match it, and no file name can hold it"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Check(kHeader + c.rules), c.findings) << c.what;
  }
}

TEST(CheckProfile, ForwardCheckLeavesOutEveryReverseFinding) {
  // The default: what concerns forward and both directions, nothing of
  // reading back, on a profile with findings of every direction.
  const std::string profile = kHeader + "ab x\r\nabc y\r\ne E\r\nf E\r\nq\r\ng/h f\r\n";
  EXPECT_EQ(
      Check(profile, TCheckScope::kForward),
      (std::vector<std::string>{
          "line 5, forward: never applies: line 4's left term \"ab\" is part of \"abc\" and is "
          "replaced first",
          "line 8, both: no space: the line maps \"q\" onto itself and, in file names, "
          "lower-cases what it matches"}));
  std::size_t reverse = 0;
  for (const TProfileFinding& finding : CheckProfile(profile, TCheckScope::kForwardAndReverse)) {
    reverse += finding.Direction == TCheckDirection::kReverse;
  }
  EXPECT_EQ(reverse, 4u);                       // never applies, not read back, the "/", a sequence
  EXPECT_EQ(CheckProfile(profile).size(), 2u);  // forward is the default
}

// Reading back letter sequences: what a rule-by-rule look cannot see.
TEST(CheckProfile, NamesTheFirstLetterSequenceThatDoesNotComeBack) {
  const Case cases[] = {
      {"every rule reads back, but tsh is ts and h",
       W("Ц Ts\r\nц ts\r\nТ T\r\nт t\r\nШ Sh\r\nш sh\r\n"),
       {W("reverse: the letters \"тш\" go forward to \"tsh\", which reads back as \"цh\"")}},
      {"the pair read back first fixes it",
       W("тш tsh\r\nТш Tsh\r\nЦ Ts\r\nц ts\r\nТ T\r\nт t\r\nШ Sh\r\nш sh\r\n"),
       {}},
      {"no rule of its own for the capital: pass 2 writes it small, and it is lost",
       W("щ shch\r\n"),
       {W("reverse: the letters \"Щщ\" go forward to \"shchshch\", which reads back as "
          "\"щщ\"")}},
      {"the capital alone reads back, a capital next to another too",
       W("ЩЩ SHCHSHCH\r\nЩ Shch\r\nщ shch\r\n"),
       {}},
      {"a mark without case: either form may come back", W("ъ ''\r\n"), {}},
      {"a sign in capitals that only its neighbours show: every form comes back",
       W("ЬВЬ 'V'\r\nВВЬ VV'\r\nЬВ 'V\r\nВ V\r\nв v\r\nь '\r\n"),
       {}},
      {"ВЬ in capitals writes what Вь writes, and takes it back: the в shows the small sign",
       W("ЬВЬ 'V'\r\nВВЬ VV'\r\nВЬ V'\r\nЬВ 'V\r\nВ V\r\nв v\r\nь '\r\n"),
       {W("reverse: the letters \"Вьв\" go forward to \"V'v\", which reads back as \"ВЬв\"")}},
      {"a Latin letter left over: JJOA meets JOA first",
       W("ЁА JOA\r\nЙО JJO\r\nЙ Jj\r\nй jj\r\nЁ Jo\r\nё jo\r\nО O\r\nо o\r\nА A\r\nа a\r\n"),
       {W("reverse: the letters \"ЙОА\" go forward to \"JJOA\", which reads back as \"JЁА\"")}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> sequences;
    for (const TProfileFinding& finding :
         CheckProfile(kHeader + c.rules, TCheckScope::kForwardAndReverse)) {
      if (finding.Kind == TFindingKind::kSequenceNotReadBack) {
        EXPECT_EQ(finding.Line, 0u);
        sequences.push_back(FormatProfileFinding(finding));
      }
    }
    EXPECT_EQ(sequences, c.findings) << c.what;
  }
}

TEST(ProfileLetters, AreTheSmallLettersOfTheLeftTermsInByteOrder) {
  const std::vector<TRule> rules = {
      {W("Щу"), "x", false}, {"b", "y", false}, {"7-", "z", false}, {W("Ёq"), W("Ёq"), true}};
  EXPECT_EQ(ProfileLetters(rules), std::string("b") + W("ущ"));
}

TEST(CheckProfile, ReportsTheLineOfTheFileWhateverTheLineEnds) {
  // LF and CR LF lines count alike; a Ctrl-Z in a header line only ends it.
  const std::vector<TProfileFinding> findings = CheckProfile(
      "in\x1A"
      "fo\nLeft\r\nRight\nab x\nabc y\r\n");
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].Line, 1u);
  EXPECT_EQ(findings[0].Kind, TFindingKind::kSpecialByte);
  EXPECT_FALSE(findings[0].EndsData);
  EXPECT_EQ(findings[1].Line, 5u);
  EXPECT_EQ(findings[1].Direction, TCheckDirection::kForward);
  EXPECT_EQ(findings[1].Kind, TFindingKind::kNeverApplies);
  EXPECT_EQ(findings[1].OtherLine, 4u);
  // Ctrl-Z as the very first byte (a CR before it is dropped) ends the file.
  EXPECT_EQ(Check("\r\x1A"
                  "ab x\r\nabc y\r\n"),
            (std::vector<std::string>{
                "line 1, both: a carriage return without a line feed: the reader drops it and "
                "the line goes on",
                "line 1, both: Ctrl-Z: the reader stops here and reads nothing after it"}));
}

TEST(CheckProfile, ReadsBackCapitalsAndCyrillic) {
  // Reading back takes the exact pass first: "Щ SHCH" and "щ shch" both come
  // back; "Э E" after "Е E" does not.
  EXPECT_EQ(Check(kHeader + W("Щ SHCH\r\nщ shch\r\nЕ E\r\nЭ E\r\n")),
            (std::vector<std::string>{
                "line 7, reverse: never applies: line 6's right term \"E\" is part of \"E\" and "
                "is replaced first",
                "line 7, reverse: cannot be read back: " + std::string("\"") + W("Э") +
                    "\" goes forward to \"E\", which reads back as \"" + W("Е") + "\""}));
}

TEST(CheckProfileFile, ReadsAFileAndRefusesAMissingOne) {
  std::vector<TProfileFinding> findings(1);
  EXPECT_FALSE(
      CheckProfileFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "/no-such.pch", &findings));
  EXPECT_EQ(findings.size(), 1u);
  ASSERT_TRUE(
      CheckProfileFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "/standart.pch", &findings));
  EXPECT_TRUE(findings.empty());
  ASSERT_TRUE(CheckProfileFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "/standart.pch", &findings,
                               TCheckScope::kForwardAndReverse));
  // The default profile reads back only partly (Э is read as Е): the reverse
  // check says so.
  ASSERT_FALSE(findings.empty());
  for (const TProfileFinding& finding : findings) {
    EXPECT_EQ(finding.Direction, TCheckDirection::kReverse) << FormatProfileFinding(finding);
  }
}

std::string ReadShipped(const std::string& name) {
  std::string bytes;
  FILE* file = std::fopen((std::string(TRANSLIT_TEST_PROFILES_DIR) + "/" + name).c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

// A shipped profile that reads back, broken as GOST 16876-71 once was: two
// lines swapped put "ЙО JJO" after "ЁА JOA", so reading back "JJOA" takes
// "JOA" first and leaves a Latin J. Forward nothing changes; the reverse
// check names the first sequence that shows it.
TEST(CheckProfileFile, NamesTheSequenceOfAReversibleProfileMadeToFail) {
  std::string broken = ReadShipped("gost-16876-71.pch");
  const std::string yo = W("\nЙО JJO\r\n");
  const std::string jo = W("\nЁО JOO\r\n");
  const std::size_t at_yo = broken.find(yo);
  const std::size_t at_jo = broken.find(jo);
  ASSERT_NE(at_yo, std::string::npos);
  ASSERT_NE(at_jo, std::string::npos);
  ASSERT_EQ(yo.size(), jo.size());
  broken.replace(at_yo, yo.size(), jo);
  broken.replace(at_jo, jo.size(), yo);
  std::vector<std::string> sequences;
  for (const TProfileFinding& finding : CheckProfile(broken, TCheckScope::kForwardAndReverse)) {
    if (finding.Kind == TFindingKind::kSequenceNotReadBack) {
      sequences.push_back(FormatProfileFinding(finding));
    }
  }
  EXPECT_EQ(sequences, (std::vector<std::string>{
                           W("reverse: the letters \"ЙОА\" go forward to \"JJOA\", which reads "
                             "back as \"JЁА\"")}));
  EXPECT_TRUE(CheckProfile(broken).empty()) << "forward, the order is fine";
}

// Every shipped profile passes the forward check; the reversible ones pass
// the reverse check too, every letter sequence included.
TEST(CheckProfileFile, ShippedProfilesHaveNoFindingWhereTheyClaimToWork) {
  const std::vector<std::string> reversible = {"gost-16876-71.pch", "gost-7.79-b.pch"};
  std::vector<std::string> names;
  DIR* dir = opendir(TRANSLIT_TEST_PROFILES_DIR);
  ASSERT_NE(dir, nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".pch") == 0) names.push_back(name);
  }
  closedir(dir);
  EXPECT_EQ(names.size(), 23u);
  for (const std::string& name : names) {
    const bool reads_back =
        std::find(reversible.begin(), reversible.end(), name) != reversible.end();
    std::vector<TProfileFinding> findings;
    ASSERT_TRUE(
        CheckProfileFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "/" + name, &findings,
                         reads_back ? TCheckScope::kForwardAndReverse : TCheckScope::kForward));
    for (const TProfileFinding& finding : findings) {
      ADD_FAILURE() << name << ": " << FormatProfileFinding(finding);
    }
  }
}

}  // namespace
