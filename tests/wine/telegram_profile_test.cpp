// telegram.pch through the real DLL: the Latin spelling of Russian in
// international telegrams, plain ASCII letters only (Ж j, Х h, Ц c, Щ sc;
// Ъ and Ь left out). The words are worked letter by letter from that table.
// Not reversible.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/shipped_profile.h"

namespace {

class Telegram : public ::testing::Test {
 protected:
  ShippedProfile profile_{"telegram.pch"};
};

TEST_F(Telegram, WritesEveryLetterAsTheTableDoes) {
  EXPECT_EQ(profile_.Forward("А а Б б В в Г г Д д Е е Ё ё Ж ж З з И и Й й К к Л л М м Н н "
                             "О о П п Р р С с Т т У у Ф ф Х х Ц ц Ч ч Ш ш Щ щ Ъ ъ Ы ы Ь ь "
                             "Э э Ю ю Я я"),
            "A a B b V v G g D d E e E e J j Z z I i I i K k L l M m N n "
            "O o P p R r S s T t U u F f H h C c Ch ch Sh sh Sc sc   Y y   "
            "E e Iu iu Ia ia");
}

TEST_F(Telegram, WritesTelegramTexts) {
  EXPECT_EQ(profile_.Forward("Поздравляем с юбилеем, желаем счастья"),
            "Pozdravliaem s iubileem, jelaem schastia");
  EXPECT_EQ(profile_.Forward("Встречайте в Хабаровске, вагон 12"),
            "Vstrechaite v Habarovske, vagon 12");
  EXPECT_EQ(profile_.Forward("Щукин Юрий Ёжикович"), "Scukin Iurii Ejikovich");
}

// sch reads back as СЧ (счастье), not as Щ and H; sh is always Ш.
TEST_F(Telegram, ReadsBackTheCommonerLetters) {
  EXPECT_EQ(profile_.Reverse("schastia"), "счастя");
  EXPECT_EQ(profile_.Reverse("Habarovsk"), "Хабаровск");
  EXPECT_EQ(profile_.Reverse("Shema"), "Шема");
}

}  // namespace
