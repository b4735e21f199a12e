// gost-7.79-b.pch through the real DLL: GOST 7.79-2000, System B, the
// reversible ASCII scheme. The letters follow Table 4 of the standard and the
// rule for Ц of its remark column (c before e, i, y, j, cz elsewhere); the
// names and sentences are worked letter by letter from that table.
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
            "O o P p R r S s T t U u F f X x Cz cz Ch ch Sh sh Shh shh `` `` Y` y` ` ` "
            "E` e` Yu yu Ya ya");
}

// The rule for Ц: c before a letter written with e, i, y or j, cz elsewhere.
TEST_F(Gost779B, WritesTsAsCBeforeEIYJAndAsCzElsewhere) {
  EXPECT_EQ(profile_.Forward("Цирк Цех Цыган Цюрих Лицей Цэ Цёлльнер Цянь"),
            "Cirk Cex Cy`gan Cyurix Licej Ce` Cyoll`ner Cyan`");
  EXPECT_EQ(profile_.Forward("Царь Отец Цокот Пицца Цуцик Ацтек"),
            "Czar` Otecz Czokot Piczcza Czucik Acztek");
  EXPECT_EQ(profile_.Forward("в пальце, в кольце"), "v pal`ce, v kol`ce");
  EXPECT_EQ(profile_.Forward("ЦЕНТР ЦИРКА ЦАРЯ"), "CENTR CIRKA CZARYA");
}

TEST_F(Gost779B, WritesNamesAndSentences) {
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Shhukin Yurij Yozhikovich");
  EXPECT_EQ(profile_.Forward("Съешь же ещё этих мягких французских булок, да выпей чаю"),
            "S``esh` zhe eshhyo e`tix myagkix franczuzskix bulok, da vy`pej chayu");
  EXPECT_EQ(profile_.Forward("Эхо Хабаровска"), "E`xo Xabarovska");
}

// Reversible: every name comes back as it was, in both modes of the options.
TEST_F(Gost779B, ReadsNamesAndSentencesBackUnchanged) {
  for (bool case_sensitive : {false, true}) {
    for (const char* text : {"Щукин Юрий Ёжикович",
                             "Съешь же ещё этих мягких французских булок, да выпей чаю",
                             "Цирк Цыганова в Цюрихе",
                             "Лицей на улице Царицына",
                             "Отец и пицца",
                             "Подъезд объекта, съёмка",
                             "Вьюга и семья Дьяконовых",
                             "Чья это ночь, Игорь",
                             "Эхо Эльбруса",
                             "Йошкар-Ола",
                             "Хабаровск и Щёлково",
                             "Нью-Йорк",
                             "Пьер и Жизель",
                             "Ассоциация",
                             "Шахматы Ыйлы",
                             "Коньяк",
                             "в пальце",
                             "Жуков Жизнь",
                             "ПАСПОРТ ГРАЖДАНИНА",
                             "ОБЪЯВЛЕНИЕ ИГОРЯ",
                             "ИГОРЬ ВЬЮГИН",
                             "ТВЕРЬ, ПЕРМЬ, РЯЗАНЬ",
                             "ВЫЕЗД И ВЪЕЗД",
                             "ЦЕНТР ЦИФРОВОЙ ЦЕНЗУРЫ",
                             "ЧЬЁ ЭТО ПИСЬМО",
                             "ЩУКА В ЩЁЛКОВО"}) {
      const std::string latin = profile_.Forward(text, case_sensitive);
      EXPECT_EQ(profile_.Reverse(latin, case_sensitive), text)
          << latin << (case_sensitive ? " (case counts)" : "");
    }
  }
}

// With Ц written c only before e, i, y, j, "cz" is always Ц: ЦЗ is czz.
TEST_F(Gost779B, TellsTsZFromTs) {
  EXPECT_EQ(profile_.Forward("Цзин Цин ЦЗИН"), "Czzin Cin CZZIN");
  EXPECT_EQ(profile_.Reverse("Czzin Cin CZZIN"), "Цзин Цин ЦЗИН");
}

}  // namespace
