// gost-16876-71.pch through the real DLL: GOST 16876-71, table 2, the Latin
// letter combinations without diacritics. Its letters map one to one, so the
// profile reads back what it writes. The names and sentences are worked
// letter by letter from the table. Ъ is a quotation mark in the table
// and two apostrophes here, as a file name cannot hold the quotation mark.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/shipped_profile.h"

namespace {

class Gost16876 : public ::testing::Test {
 protected:
  ShippedProfile profile_{"gost-16876-71.pch"};
};

TEST_F(Gost16876, WritesEveryLetterAsTableTwoDoes) {
  EXPECT_EQ(profile_.Forward("А а Б б В в Г г Д д Е е Ё ё Ж ж З з И и Й й К к Л л М м Н н "
                             "О о П п Р р С с Т т У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ Ъ ъ Ы ы Ь ь "
                             "Э э Ю ю Я я"),
            "A a B b V v G g D d E e Jo jo Zh zh Z z I i Jj jj K k L l M m N n "
            "O o P p R r S s T t U u F f Kh kh C c Ch ch Sh sh Shh shh '' '' Y y ' ' "
            "Eh eh Ju ju Ja ja");
}

TEST_F(Gost16876, WritesNamesAndSentences) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shhukin Jurijj Jozhikovich");
  EXPECT_EQ(profile_.Forward("Съешь же ещё этих мягких французских булок, да выпей чаю"),
            "S''esh' zhe eshhjo ehtikh mjagkikh francuzskikh bulok, da vypejj chaju");
  EXPECT_EQ(profile_.Forward("Йод, Майонез, Цапля"), "Jjod, Majjonez, Caplja");
}

// Reversible: Й (jj) is read before Ё, Ю, Я (jo, ju, ja), so "Jjod" is Йод.
TEST_F(Gost16876, ReadsNamesAndSentencesBackUnchanged) {
  for (bool case_sensitive : {false, true}) {
    for (const char* text :
         {"Щукин Юрий Ёжикович", "Съешь же ещё этих мягких французских булок, да выпей чаю",
          "Йод, Майонез, Цапля", "Район Йошкар-Олы", "Схема и счёт", "Эхо Хабаровска",
          "Подъезд объекта, съёмка", "Вьюга и семья Дьяконовых", "Чья это ночь, Игорь",
          "Детский сад", "Шхуна", "Щи и каша", "Калейдоскоп", "Змей Горыныч",
          "ПАСПОРТ ГРАЖДАНИНА", "ОБЪЯВЛЕНИЕ ИГОРЯ", "ИГОРЬ ВЬЮГИН", "ТВЕРЬ, ПЕРМЬ, РЯЗАНЬ",
          "ВЫЕЗД И ВЪЕЗД", "ЧЬЁ ЭТО ПИСЬМО", "ЩУКА В ЩЁЛКОВО", "МАЙОНЕЗ"}) {
      const std::string latin = profile_.Forward(text, case_sensitive);
      EXPECT_EQ(profile_.Reverse(latin, case_sensitive), text)
          << latin << (case_sensitive ? " (case counts)" : "");
    }
  }
}

}  // namespace
