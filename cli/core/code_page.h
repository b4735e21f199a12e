// Windows-1251, the code page of the profiles and the plug-in, and UTF-8,
// the encoding of the commands' names and lines:
//   Utf8From1251("\xd9\xf3\xea\xe0") == "Щука" (in UTF-8)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The Windows-1251 byte of a character, or -1 when the code page lacks it.
int Cp1251ByteOf(char32_t character);

// Decodes the UTF-8 character at text[at]: its length in bytes, or 0 when
// the bytes there are not well-formed UTF-8 (overlong forms and surrogates
// included).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t* character);

// Whether text is well-formed UTF-8 throughout.
bool IsUtf8(std::string_view text);

// Appends a character of the Basic Multilingual Plane in UTF-8.
void AppendUtf8(char32_t character, std::string* out);

// Windows-1251 from UTF-8 for text the code page can hold; false (text
// untouched) when a character cannot be converted.
bool Utf8To1251(std::string_view utf8, std::string* text1251);

// UTF-8 from Windows-1251. Every byte has a character (0x98, which the code
// page leaves undefined, stands for U+0098), so the conversion never fails.
std::string Utf8From1251(std::string_view text1251);
