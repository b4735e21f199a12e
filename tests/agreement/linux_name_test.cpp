// The Linux command's name handling where the DLL has nothing to compare
// with: characters outside Windows-1251, ":" and "\" inside a name, and the
// code page conversion. Literals are bytes: UTF-8 names, Windows-1251 rules.
#include "cli/core/linux_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kShchuka = "\xd0\xa9\xd1\x83\xd0\xba\xd0\xb0";  // Cyrillic; Shchuka
const std::string kRyba = "\xd0\xa0\xd1\x8b\xd0\xb1\xd0\xb0";     // Cyrillic; Ryba
const std::string kShch = "\xd1\x89";                             // Cyrillic; shch
const std::string kFish = "\xf0\x9f\x90\x9f";                     // an emoji
const std::string kEAcute = "\xc3\xa9";

TEST(LinuxName, TransliteratesWhatTheCodePageHoldsAndPassesTheRest) {
  // Shch shch u k a R y b in Windows-1251.
  const std::vector<TRule> rules = {{"\xd9", "Shch"}, {"\xf9", "shch"}, {"\xf3", "u"},
                                    {"\xea", "k"},    {"\xe0", "a"},    {"\xd0", "R"},
                                    {"\xfb", "y"},    {"\xe1", "b"}};
  struct {
    std::string name, options, expected;  // options: c(ase), e(xt), r(everse)
  } const cases[] = {
      {kShchuka + " " + kFish + ".txt", "", "Shchuka " + kFish + ".txt"},
      {"Caf" + kEAcute + " " + kShchuka, "", "Caf" + kEAcute + " Shchuka"},
      // Not UTF-8: a stray byte, a cut-short sequence, an overlong form, a surrogate.
      {"\xff\xd0" + kShchuka + "\xc0\xaf\xed\xa0\x80", "", "\xff\xd0Shchuka\xc0\xaf\xed\xa0\x80"},
      {kShchuka + ":" + kRyba, "", "Shchuka:Ryba"},
      {kShchuka + "\\" + kRyba + ".txt", "", "Shchuka\\Ryba.txt"},
      {kShchuka + "." + kShch + "." + kShch, "", "Shchuka.shch." + kShch},
      {kShchuka + "." + kShch + "." + kShch, "e", "Shchuka.shch.shch"},
      {"." + kShch, "", "." + kShch},
      {kShch + "." + kFish, "e", "shch." + kFish},
      {kShch + "\xd0\xa3\xd0\x9a\xd0\x90", "", "shchuka"},
      {kShch + "\xd0\xa3\xd0\x9a\xd0\x90", "c", "shch\xd0\xa3\xd0\x9a\xd0\x90"},
      {"Shchuka:Ryba.txt", "r", kShchuka + ":" + kRyba + ".txt"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    TFileNameOptions options;
    options.CaseSensitive = c.options.find('c') != std::string::npos;
    options.ReplaceInExtension = c.options.find('e') != std::string::npos;
    options.Direction =
        c.options.find('r') != std::string::npos ? TDirection::kReverse : TDirection::kForward;
    EXPECT_EQ(TransliterateLinuxName(c.name, rules, options), c.expected)
        << c.name << " " << c.options;
  }
}

TEST(LinuxName, CodePageRoundTripForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b)), utf8 = Utf8From1251(byte);
    std::string back;
    EXPECT_TRUE(Utf8To1251(utf8, &back) && back == byte) << b;
    EXPECT_TRUE(b >= 0x80 || utf8 == byte) << b;
  }
  // Cyrillic A and Yo, the euro sign, the undefined 0x98 as U+0098.
  EXPECT_EQ(Utf8From1251("\xc0\xa8\x88\x98"), "\xd0\x90\xd0\x81\xe2\x82\xac\xc2\x98");
  for (const std::string& foreign : {kEAcute, kFish, std::string("\xff")}) {
    std::string out = "untouched";
    EXPECT_FALSE(Utf8To1251("x" + foreign, &out));
    EXPECT_EQ(out, "untouched");
  }
}

}  // namespace
