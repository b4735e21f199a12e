// Output of the command-line host. The plug-in's texts are Windows-1251; a
// console gets them as UTF-16 (WriteConsoleW), anything else (a pipe, a file,
// a Linux terminal under wine) as UTF-8.
#pragma once

#include <string>
#include <string_view>

// Writes Windows-1251 text to standard output or standard error.
void Out(std::string_view text1251);
void Err(std::string_view text1251);

// Windows-1251 from UTF-16. Empty, and lossless false, when a character has
// no Windows-1251 form (it would be replaced by a look-alike or '?').
std::string To1251(std::wstring_view wide, bool* lossless);
