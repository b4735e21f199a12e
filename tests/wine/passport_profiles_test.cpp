// The two passport schemes, icao-9303.pch and gost-r-52535.1-2006.pch,
// through the real DLL. The names below are worked letter by letter from the
// two tables: the table of Cyrillic letters in ICAO Doc 9303 (used in Russian
// passports since 2013), and GOST R 52535.1-2006, Appendix A (Russian
// passports from 2006 to 2013).
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/shipped_profile.h"

namespace {

const char kAlphabet[] =
    "А а Б б В в Г г Д д Е е Ё ё Ж ж З з И и Й й К к Л л М м Н н О о П п Р р С с Т т "
    "У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ Ъ ъ Ы ы Ь ь Э э Ю ю Я я";

// ---- ICAO Doc 9303 ---------------------------------------------------------------

class Icao9303 : public ::testing::Test {
 protected:
  ShippedProfile profile_{"icao-9303.pch"};
};

TEST_F(Icao9303, WritesEveryLetterAsTheTableDoes) {
  // Ё and Э as E, Й as I, Ъ as IE, Ь left out.
  EXPECT_EQ(profile_.Forward(kAlphabet),
            "A a B b V v G g D d E e E e Zh zh Z z I i I i K k L l M m N n O o P p R r S s T t "
            "U u F f Kh kh Ts ts Ch ch Sh sh Shch shch Ie ie Y y   E e Iu iu Ia ia");
}

TEST_F(Icao9303, WritesNamesAsInTheNewPassports) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shchukin Iurii Ezhikovich");
  EXPECT_EQ(profile_.Forward("Наталья Юлия Андрей"), "Natalia Iuliia Andrei");
  EXPECT_EQ(profile_.Forward("Фёдор Хрущёв"), "Fedor Khrushchev");
  EXPECT_EQ(profile_.Forward("Виктор Цой"), "Viktor Tsoi");
  EXPECT_EQ(profile_.Forward("Объедков Эдуард"), "Obieedkov Eduard");
  EXPECT_EQ(profile_.Forward("Подъячев, Щёлково"), "Podieiachev, Shchelkovo");
}

// A word in capitals comes out in capitals, as in the passport itself.
TEST_F(Icao9303, WritesWordsInCapitalsInCapitals) {
  EXPECT_EQ(profile_.Forward("ЩУКИН ЮРИЙ"), "SHCHUKIN IURII");
}

// Not reversible: reading back gives the commonest letter for each term.
TEST_F(Icao9303, ReadsBackOnlyWhatTheSchemeKeeps) {
  EXPECT_EQ(profile_.Reverse("Shchukin Iurii Ezhikovich"), "Щукин Юрии Ежикович");
  EXPECT_EQ(profile_.Reverse("Obiedkov"), "Обиедков");  // ie is И and Е, not Ъ
  EXPECT_EQ(profile_.Reverse("Mariia"), "Мария");
  EXPECT_EQ(profile_.Reverse("SHCHUKIN"), "ЩУКИН");
}

// ---- GOST R 52535.1-2006 ----------------------------------------------------------

class GostR525351 : public ::testing::Test {
 protected:
  ShippedProfile profile_{"gost-r-52535.1-2006.pch"};
};

TEST_F(GostR525351, WritesEveryLetterAsAppendixADoes) {
  // Ц as TC; Ъ and Ь left out.
  EXPECT_EQ(profile_.Forward(kAlphabet),
            "A a B b V v G g D d E e E e Zh zh Z z I i I i K k L l M m N n O o P p R r S s T t "
            "U u F f Kh kh Tc tc Ch ch Sh sh Shch shch   Y y   E e Iu iu Ia ia");
}

TEST_F(GostR525351, WritesNamesAsInThePassportsOf2006To2013) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shchukin Iurii Ezhikovich");
  EXPECT_EQ(profile_.Forward("Цветков Царёв"), "Tcvetkov Tcarev");
  EXPECT_EQ(profile_.Forward("Наталья Подъячева"), "Natalia Podiacheva");
  EXPECT_EQ(profile_.Forward("Объедков Эдуард"), "Obedkov Eduard");
}

TEST_F(GostR525351, ReadsTchBackAsTchNotAsTs) {
  EXPECT_EQ(profile_.Reverse("Otchestvo"), "Отчество");
  EXPECT_EQ(profile_.Reverse("Tcvetkov Tcarev"), "Цветков Царев");
}

}  // namespace
