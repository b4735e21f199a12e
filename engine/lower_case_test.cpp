// The Windows-1251 lower-case table (the native stand-in for CharLowerBuffA;
// win32_seams_test.cpp compares the two under wine).
#include "engine/lower_case.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/testing/cp1251.h"

namespace {

TEST(LowerCaseTest, LatinAndRussianCapitalsToSmallLetters) {
  for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(kLower1251[c], c + 32) << c;
  for (int c = 0xC0; c <= 0xDF; ++c) EXPECT_EQ(kLower1251[c], c + 32) << c;  // А-Я
  EXPECT_EQ(kLower1251[0xA8], 0xB8);                                         // Ё
  std::string text = W("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ABCXYZ абв xyz 0-9");
  LowerCaseInPlace(text);
  EXPECT_EQ(text, W("абвгдеёжзийклмнопрстуфхцчшщъыьэюя abcxyz абв xyz 0-9"));
}

TEST(LowerCaseTest, OtherCyrillicCapitalsOfTheCodePage) {
  // Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Є Ї І Ѕ and their small letters.
  const int pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                          {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                          {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  std::set<int> capitals;
  for (const auto& pair : pairs) {
    EXPECT_EQ(kLower1251[pair[0]], pair[1]) << pair[0];
    capitals.insert(pair[0]);
  }
  capitals.insert(0xA8);
  for (int c = 0; c < 256; ++c) {
    const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF) || capitals.count(c);
    if (!capital) {
      EXPECT_EQ(kLower1251[c], c) << "byte " << c << " must stay unchanged";
    }
  }
}

TEST(LowerCaseTest, IdempotentAndLengthPreserving) {
  EXPECT_TRUE(LowerCaseIsIdempotent());
  for (int c = 0; c < 256; ++c) EXPECT_EQ(kLower1251[kLower1251[c]], kLower1251[c]) << c;
  std::string all(256, '\0');
  for (int c = 0; c < 256; ++c) all[static_cast<std::size_t>(c)] = static_cast<char>(c);
  LowerCaseInPlace(all);
  ASSERT_EQ(all.size(), 256u);
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(static_cast<unsigned char>(all[static_cast<std::size_t>(c)]), kLower1251[c]);
  }
}

}  // namespace
