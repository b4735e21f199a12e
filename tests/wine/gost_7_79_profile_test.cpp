// gost-7.79-b.pch through the real DLL: GOST 7.79-2000, System B, the
// reversible ASCII scheme. The letters follow the System B table of the
// standard and its rule for Ц (cz before e, i, y, j, c elsewhere); the names
// and sentences are worked letter by letter from that table.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/shipped_profile.h"

namespace {

class Gost779B : public ::testing::Test {
 protected:
  ShippedProfile profile_{"gost-7.79-b.pch"};
};

TEST_F(Gost779B, WritesEveryLetterAsTheSystemBTableDoes) {
  EXPECT_EQ(profile_.Forward("А а Б б В в Г г Д д Е е Ё ё Ж ж З з И и Й й К к Л л М м Н н "
                             "О о П п Р р С с Т т У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ Ъ ъ Ы ы Ь ь "
                             "Э э Ю ю Я я"),
            "A a B b V v G g D d E e Yo yo Zh zh Z z I i J j K k L l M m N n "
            "O o P p R r S s T t U u F f X x C c Ch ch Sh sh Shh shh `` `` Y` y` ` ` "
            "E` e` Yu yu Ya ya");
}

// The rule for Ц: cz before a letter written with e, i, y or j, c elsewhere.
TEST_F(Gost779B, WritesTsAsCzBeforeEIYJAndAsCElsewhere) {
  EXPECT_EQ(profile_.Forward("Цирк Цех Цыган Цюрих Лицей Цэ Цёлльнер Цянь"),
            "Czirk Czex Czy`gan Czyurix Liczej Cze` Czyoll`ner Czyan`");
  EXPECT_EQ(profile_.Forward("Царь Отец Цокот Пицца Цуцик Ацтек"),
            "Car` Otec Cokot Picca Cuczik Actek");
  EXPECT_EQ(profile_.Forward("в пальце, в кольце"), "v pal`cze, v kol`cze");
  EXPECT_EQ(profile_.Forward("ЦЕНТР ЦИРКА ЦАРЯ"), "CzENTR CzIRKA CARYa");
}

TEST_F(Gost779B, WritesNamesAndSentences) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shhukin Yurij Yozhikovich");
  EXPECT_EQ(profile_.Forward("Съешь же ещё этих мягких французских булок, да выпей чаю"),
            "S``esh` zhe eshhyo e`tix myagkix francuzskix bulok, da vy`pej chayu");
  EXPECT_EQ(profile_.Forward("Эхо Хабаровска"), "E`xo Xabarovska");
}

// Reversible: every name comes back as it was, in both modes of the options.
TEST_F(Gost779B, ReadsNamesAndSentencesBackUnchanged) {
  for (bool case_sensitive : {false, true}) {
    for (const char* text :
         {"Щукин Юрий Ёжикович", "Съешь же ещё этих мягких французских булок, да выпей чаю",
          "Цирк Цыганова в Цюрихе", "Лицей на улице Царицына", "Отец и пицца",
          "Подъезд объекта, съёмка", "Вьюга и семья Дьяконовых", "Чья это ночь, Игорь",
          "Эхо Эльбруса", "Йошкар-Ола", "Хабаровск и Щёлково", "Нью-Йорк", "Пьер и Жизель",
          "Ассоциация", "Шахматы Ыйлы", "Коньяк", "в пальце", "Жуков Жизнь",
          "ПАСПОРТ ГРАЖДАНИНА", "ОБЪЯВЛЕНИЕ ИГОРЯ", "ИГОРЬ ВЬЮГИН", "ТВЕРЬ, ПЕРМЬ, РЯЗАНЬ",
          "ВЫЕЗД И ВЪЕЗД", "ЦЕНТР ЦИФРОВОЙ ЦЕНЗУРЫ", "ЧЬЁ ЭТО ПИСЬМО", "ЩУКА В ЩЁЛКОВО"}) {
      const std::string latin = profile_.Forward(text, case_sensitive);
      EXPECT_EQ(profile_.Reverse(latin, case_sensitive), text)
          << latin << (case_sensitive ? " (case counts)" : "");
    }
  }
}

// What System B itself cannot tell apart: ЦЗ before a vowel written with
// e, i, y or j is written like Ц before it (the information line says so).
TEST_F(Gost779B, CannotTellTsZFromTsBeforeTheSameVowels) {
  EXPECT_EQ(profile_.Forward("Цзин"), "Czin");
  EXPECT_EQ(profile_.Forward("Цин"), "Czin");
  EXPECT_EQ(profile_.Reverse("Czin"), "Цин");
}

}  // namespace
