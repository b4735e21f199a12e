// The pieces behind the messages: the .mo reader translit-host uses against
// gettext on the same catalogue, the formatting of a translated pattern, the
// help's wrapping, the nearest profile name, and paths shown as given.
// (Narrow literals are Windows-1251 in this build: UTF-8 ones are u8.)
#include <libintl.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/core/help_format.h"
#include "cli/core/hints.h"
#include "cli/core/messages.h"
#include "cli/core/mo_catalog.h"
#include "cli/core/shown_path.h"

namespace {

TEST(Messages, TheWindowsReaderFindsWhatGettextFinds) {
  const char* mo = std::getenv("TRANSLIT_RU_MO");  // build/po/ru/translit.mo
  ASSERT_NE(mo, nullptr);
  std::ifstream file(mo, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TMoCatalog catalogue;
  ASSERT_TRUE(catalogue.Read(bytes));
  EXPECT_GT(catalogue.Size(), 50u);
  EXPECT_FALSE(TMoCatalog().Read(bytes.substr(0, bytes.size() / 2)));  // cut short

  // gettext reads the same file: <folder>/ru/LC_MESSAGES/translit.mo.
  const std::string folder = ::testing::TempDir() + "locale";
  ASSERT_EQ(std::system(("mkdir -p " + folder + "/ru/LC_MESSAGES && cp " + mo + " " + folder +
                         "/ru/LC_MESSAGES/")
                            .c_str()),
            0);
  ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr);
  bindtextdomain("translit", folder.c_str());
  bind_textdomain_codeset("translit", "UTF-8");
  for (const char* key : {"no files given", "%s renamed, %s unchanged, %s skipped",
                          "thousands separator\004,", "Press any key to close this window."}) {
    ASSERT_NE(catalogue.Find(key), nullptr) << key;
    EXPECT_STREQ(catalogue.Find(key), dgettext("translit", key)) << key;
  }
  EXPECT_EQ(catalogue.Find("not in the catalogue"), nullptr);

  SetTranslator([](const char* key) -> const char* { return dgettext("translit", key); });
  EXPECT_STREQ(_("no such file"), u8"нет такого файла");
  EXPECT_STREQ(P_("thousands separator", ","), u8"\u00a0");
  EXPECT_STREQ(P_("no such context", ","), ",");
  SetTranslator(nullptr);
  EXPECT_STREQ(_("no such file"), "no such file");
  std::setlocale(LC_ALL, "C");
}

TEST(Messages, FormatsPatternsAndWrapsTheHelp) {
  EXPECT_EQ(FormatArgs("%s of %s", {"3", "7"}), "3 of 7");
  EXPECT_EQ(FormatArgs("%2$s: %1$s", {"a", "b"}), "b: a");
  EXPECT_EQ(FormatArgs("100%% %s, %d", {"x"}), "100% x, %d");
  EXPECT_EQ(FormatArgs("%s %s", {"only"}), "only ");
  EXPECT_EQ(WrapText("aa bb cc", 5, 0, 2), "aa bb\n  cc");
  EXPECT_EQ(WrapText(u8"слово слово", 8, 0, 0), u8"слово\nслово");  // characters, not bytes
  EXPECT_EQ(WrapText("a\nb", 79, 0, 4), "a\n    b");
  EXPECT_EQ(TextWidth(u8"Щука"), 4u);
}

TEST(Messages, HintsAndPathsAsGiven) {
  const std::vector<std::string> names = {"gost-7.79-b.pch", "gost-16876-71.pch", "standart.pch",
                                          "ala-lc.pch"};
  struct {
    const char* wanted;
    const char* nearest;
  } const cases[] = {
      {"gost-7.79b", "gost-7.79-b.pch"}, {"standart", "standart.pch"},
      {"STANDARD.pch", "standart.pch"},  {"ala-lc", "ala-lc.pch"},
      {"xyz", ""},                       {"icao", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestName(c.wanted, names), c.nearest) << c.wanted;

  EXPECT_TRUE(NewlineListError("-", "a\nb\n"));
  EXPECT_FALSE(NewlineListError("-", std::string("a\nb\0", 4)));
  EXPECT_FALSE(NewlineListError("-", "one name"));

  EXPECT_EQ(ShownPath("/home/u/a/Shchuka.txt", "/home/u/"), "a/Shchuka.txt");
  EXPECT_EQ(ShownPath("/tmp/Shchuka.txt", "/home/u/"), "/tmp/Shchuka.txt");
  EXPECT_EQ(ShownPath("/home/ux/a", "/home/u/"), "/home/ux/a");
  EXPECT_EQ(ShownPath("Z:\\d\\Yozh.txt", "Z:\\d\\"), "Yozh.txt");
  EXPECT_EQ(ShownPath("/home/u/a", ""), "/home/u/a");
}

}  // namespace
