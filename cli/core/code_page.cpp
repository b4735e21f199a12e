#include "cli/core/code_page.h"

#include <array>
#include <cstdint>

namespace {

// The characters of bytes 0x80 to 0xFF in Windows-1251.
// clang-format off
constexpr std::array<char32_t, 128> kHigh1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};
// clang-format on

}  // namespace

int Cp1251ByteOf(char32_t character) {
  if (character < 0x80) return static_cast<int>(character);
  // А to я, most of any Russian text, in one step.
  if (character >= 0x410 && character <= 0x44F) return static_cast<int>(character - 0x410 + 0xC0);
  for (std::size_t i = 0; i < kHigh1251.size(); ++i) {
    if (kHigh1251[i] == character) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t* character) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    *character = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, minimum = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3Fu);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *character = value;
  return length;
}

bool IsUtf8(std::string_view text) {
  char32_t character = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = DecodeUtf8(text, at, &character);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

void AppendUtf8(char32_t character, std::string* out) {
  if (character < 0x80) {
    out->push_back(static_cast<char>(character));
  } else if (character < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (character >> 6)));
    out->push_back(static_cast<char>(0x80 | (character & 0x3F)));
  } else {
    // Windows-1251 holds nothing beyond the Basic Multilingual Plane.
    out->push_back(static_cast<char>(0xE0 | (character >> 12)));
    out->push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (character & 0x3F)));
  }
}

bool Utf8To1251(std::string_view utf8, std::string* text1251) {
  std::string converted;
  converted.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(utf8, at, &character);
    const int byte = length == 0 ? -1 : Cp1251ByteOf(character);
    if (byte < 0) return false;
    converted.push_back(static_cast<char>(byte));
    at += length;
  }
  *text1251 = std::move(converted);
  return true;
}

std::string Utf8From1251(std::string_view text1251) {
  std::string utf8;
  utf8.reserve(text1251.size() * 2);
  for (char c : text1251) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(byte < 0x80 ? byte : kHigh1251[byte - 0x80u], &utf8);
  }
  return utf8;
}
