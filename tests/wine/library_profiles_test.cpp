// The library schemes through the real DLL: gost-r-7.0.34-2014.pch (GOST R
// 7.0.34-2014, the simplified transliteration) and ala-lc.pch (the ALA-LC
// romanization table for Russian, without its diacritics). Neither is
// reversible. In both, Ъ is a double mark that a file name cannot hold, and
// is written as two apostrophes.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/shipped_profile.h"

namespace {

const char kAlphabet[] =
    "А а Б б В в Г г Д д Е е Ё ё Ж ж З з И и Й й К к Л л М м Н н О о П п Р р С с Т т "
    "У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ Ъ ъ Ы ы Ь ь Э э Ю ю Я я";

// ---- GOST R 7.0.34-2014 -----------------------------------------------------------
// The names are worked from the forms of its Table B.1 examples.

class GostR7034 : public ::testing::Test {
 protected:
  ShippedProfile profile_{"gost-r-7.0.34-2014.pch"};
};

TEST_F(GostR7034, WritesEveryLetterAsTheTableDoes) {
  EXPECT_EQ(profile_.Forward(kAlphabet),
            "A a B b V v G g D d E e Yo yo Zh zh Z z I i J j K k L l M m N n O o P p R r S s T t "
            "U u F f X x C c Ch ch Sh sh Shh shh '' '' Y y ' ' E e Yu yu Ya ya");
}

TEST_F(GostR7034, WritesNamesAndTitles) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shhukin Yurij Yozhikovich");
  EXPECT_EQ(profile_.Forward("Цветаева Марина"), "Cvetaeva Marina");
  EXPECT_EQ(profile_.Forward("Объявление о пьесе"), "Ob''yavlenie o p'ese");
  EXPECT_EQ(profile_.Forward("Вестник Московского университета"),
            "Vestnik Moskovskogo universiteta");
}

TEST_F(GostR7034, ReadsBackTheMarksAsSmallSigns) {
  EXPECT_EQ(profile_.Reverse("Ob''yavlenie o p'ese"), "Объявление о пьесе");
  EXPECT_EQ(profile_.Reverse("Cvetaeva"), "Цветаева");
}

// ---- ALA-LC -------------------------------------------------------------------------
// The names are the romanized headings of library catalogue records
// (Chaĭkovskiĭ, Petr Ilʹich; Dostoevskiĭ, Fedor Mikhaĭlovich; ...), here
// without the breve, the ligature ties and the primes.

class AlaLc : public ::testing::Test {
 protected:
  ShippedProfile profile_{"ala-lc.pch"};
};

TEST_F(AlaLc, WritesEveryLetterAsTheTableDoesWithoutDiacritics) {
  EXPECT_EQ(profile_.Forward(kAlphabet),
            "A a B b V v G g D d E e E e Zh zh Z z I i I i K k L l M m N n O o P p R r S s T t "
            "U u F f Kh kh Ts ts Ch ch Sh sh Shch shch '' '' Y y ' ' E e Iu iu Ia ia");
}

TEST_F(AlaLc, WritesCatalogueHeadings) {
  EXPECT_EQ(profile_.Forward("Чайковский, Пётр Ильич"), "Chaikovskii, Petr Il'ich");
  EXPECT_EQ(profile_.Forward("Достоевский, Фёдор Михайлович"), "Dostoevskii, Fedor Mikhailovich");
  EXPECT_EQ(profile_.Forward("Толстой, Лев Николаевич"), "Tolstoi, Lev Nikolaevich");
  EXPECT_EQ(profile_.Forward("Горький, Максим"), "Gor'kii, Maksim");
  EXPECT_EQ(profile_.Forward("Хрущёв, Никита Сергеевич"), "Khrushchev, Nikita Sergeevich");
  EXPECT_EQ(profile_.Forward("Солженицын, Александр Исаевич"), "Solzhenitsyn, Aleksandr Isaevich");
  EXPECT_EQ(profile_.Forward("Эйзенштейн, Сергей Михайлович"), "Eizenshtein, Sergei Mikhailovich");
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shchukin Iurii Ezhikovich");
}

TEST_F(AlaLc, ReadsBackTsAsTseAndTheMarksAsSmallSigns) {
  EXPECT_EQ(profile_.Reverse("Solzhenitsyn"), "Солженицын");
  EXPECT_EQ(profile_.Reverse("Gor'kii"), "Горькии");
  EXPECT_EQ(profile_.Reverse("Ob''iavlenie"), "Объявление");
}

}  // namespace
