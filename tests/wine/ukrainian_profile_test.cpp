// ukrainian-2010.pch through the real DLL: the official Ukrainian
// transliteration table of 2010 (Cabinet of Ministers resolution No. 55 of
// 27 January 2010). The table gives examples next to every letter; they are
// checked here as printed in it. Not reversible: Ь and the apostrophe are
// dropped, and word-initial Є Ї Й Ю Я differ from the same letters inside a
// word.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/wine/support/shipped_profile.h"

namespace {

class Ukrainian2010 : public ::testing::Test {
 protected:
  ShippedProfile profile_{"ukrainian-2010.pch"};
};

// The letters on their own, so each stands at the start of a word.
TEST_F(Ukrainian2010, WritesEveryLetterAsTheTableDoesAtTheStartOfAWord) {
  EXPECT_EQ(profile_.Forward("А а Б б В в Г г Ґ ґ Д д Е е Є є Ж ж З з И и І і Ї ї Й й К к "
                             "Л л М м Н н О о П п Р р С с Т т У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ "
                             "Ь ь Ю ю Я я"),
            "A a B b V v H h G g D d E e Ye ye Zh zh Z z Y y I i Yi yi Y y K k "
            "L l M m N n O o P p R r S s T t U u F f Kh kh Ts ts Ch ch Sh sh Shch shch "
            "  Yu yu Ya ya");
}

// The examples column of the resolution's table, letter by letter.
TEST_F(Ukrainian2010, WritesTheExamplesOfTheResolutionsTable) {
  const std::pair<const char*, const char*> examples[] = {
      {"Алушта", "Alushta"},        {"Андрій", "Andrii"},
      {"Борщагівка", "Borshchahivka"}, {"Борисенко", "Borysenko"},
      {"Вінниця", "Vinnytsia"},     {"Володимир", "Volodymyr"},
      {"Гадяч", "Hadiach"},         {"Богдан", "Bohdan"},
      {"Згурський", "Zghurskyi"},   {"Ґалаґан", "Galagan"},
      {"Ґорґани", "Gorgany"},       {"Донецьк", "Donetsk"},
      {"Дмитро", "Dmytro"},         {"Рівне", "Rivne"},
      {"Олег", "Oleh"},             {"Есмань", "Esman"},
      {"Єнакієве", "Yenakiieve"},   {"Гаєвич", "Haievych"},
      {"Короп'є", "Koropie"},       {"Житомир", "Zhytomyr"},
      {"Жанна", "Zhanna"},          {"Жежелів", "Zhezheliv"},
      {"Закарпаття", "Zakarpattia"}, {"Казимирчук", "Kazymyrchuk"},
      {"Медвин", "Medvyn"},         {"Михайленко", "Mykhailenko"},
      {"Іванків", "Ivankiv"},       {"Іващенко", "Ivashchenko"},
      {"Їжакевич", "Yizhakevych"},  {"Кадиївка", "Kadyivka"},
      {"Мар'їне", "Marine"},        {"Йосипівка", "Yosypivka"},
      {"Стрий", "Stryi"},           {"Олексій", "Oleksii"},
      {"Київ", "Kyiv"},             {"Коваленко", "Kovalenko"},
      {"Лебедин", "Lebedyn"},       {"Леонід", "Leonid"},
      {"Миколаїв", "Mykolaiv"},     {"Маринич", "Marynych"},
      {"Ніжин", "Nizhyn"},          {"Наталія", "Nataliia"},
      {"Одеса", "Odesa"},           {"Онищенко", "Onyshchenko"},
      {"Полтава", "Poltava"},       {"Петро", "Petro"},
      {"Решетилівка", "Reshetylivka"}, {"Рибчинський", "Rybchynskyi"},
      {"Суми", "Sumy"},             {"Соломія", "Solomiia"},
      {"Тернопіль", "Ternopil"},    {"Троць", "Trots"},
      {"Ужгород", "Uzhhorod"},      {"Уляна", "Uliana"},
      {"Фастів", "Fastiv"},         {"Філіпчук", "Filipchuk"},
      {"Харків", "Kharkiv"},        {"Христина", "Khrystyna"},
      {"Біла Церква", "Bila Tserkva"}, {"Стеценко", "Stetsenko"},
      {"Чернівці", "Chernivtsi"},   {"Шевченко", "Shevchenko"},
      {"Шостка", "Shostka"},        {"Кишеньки", "Kyshenky"},
      {"Щербухи", "Shcherbukhy"},   {"Гоща", "Hoshcha"},
      {"Гаращенко", "Harashchenko"}, {"Юрій", "Yurii"},
      {"Корюківка", "Koriukivka"},  {"Яготин", "Yahotyn"},
      {"Ярошенко", "Yaroshenko"},   {"Костянтин", "Kostiantyn"},
      {"Знам'янка", "Znamianka"},   {"Феодосія", "Feodosiia"},
  };
  for (const auto& [ukrainian, latin] : examples) {
    EXPECT_EQ(profile_.Forward(ukrainian), latin) << latin;
  }
}

// The note under the table: зг is zgh, unlike ж (zh).
TEST_F(Ukrainian2010, WritesZghForZgAsTheNoteSays) {
  EXPECT_EQ(profile_.Forward("Згорани"), "Zghorany");
  EXPECT_EQ(profile_.Forward("Розгон"), "Rozghon");
  EXPECT_EQ(profile_.Forward("ЗГОРАНИ"), "ZGHORANY");
  EXPECT_EQ(profile_.Forward("Ужгород"), "Uzhhorod");
}

// Word starts found by letter pairs: after a letter or an apostrophe a letter
// is inside the word, after anything else (or in a capital) it starts one.
TEST_F(Ukrainian2010, TellsWordStartsFromLetterPairs) {
  EXPECT_EQ(profile_.Forward("моя ялинка, їжак і юнак"), "moia yalynka, yizhak i yunak");
  EXPECT_EQ(profile_.Forward("з моєю історією"), "z moieiu istoriieiu");
  EXPECT_EQ(profile_.Forward("Гуляйполе, гуляють"), "Huliaipole, huliaiut");
  EXPECT_EQ(profile_.Forward("м’ясо, п'ять, під'їзд"), "miaso, piat, pidizd");
  EXPECT_EQ(profile_.Forward("Нью-Йорк, Ільюк"), "Niu-York, Iliuk");
  EXPECT_EQ(profile_.Forward("Її пісня, Яєчня"), "Yii pisnia, Yaiechnia");
  EXPECT_EQ(profile_.Forward("ЮРІЙ ЗНАМ'ЯНКА КИЇВ"), "YURII ZNAMIANKA KYIV");
}

// The limits the information line names.
TEST_F(Ukrainian2010, KeepsItsApproximationsWhereTheInformationLineSaysSo) {
  // A small word that starts with two such letters: the first reads as inside.
  EXPECT_EQ(profile_.Forward("її"), "ii");
  // Russian letters are not in the table and stay.
  EXPECT_EQ(profile_.Forward("Ёж Ъ Ы Э"), "Ёzh Ъ Ы Э");
}

}  // namespace
