// Lower-casing seam of the engine (Part 2.2, "Lower-casing").
//
// The engine lower-cases by the system's ANSI code page, character by
// character, length unchanged. On Windows that is CharLowerBuffA over the
// buffer. Elsewhere (native builds and tests) the constant Windows-1251 table
// kLower1251 stands in for it: A-Z to a-z, А-Я to а-я, Ё to ё and the code
// page's other Cyrillic capitals (Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Є Ї І Ѕ) to their small
// letters; every other byte, NUL included, maps to itself. A test under wine
// checks that the table equals CharLowerBuffA under code page 1251 for all 256
// bytes.
//
// This file and profile_file.cpp are the only places of the engine that may
// include <windows.h>.
#pragma once

#include <cstddef>
#include <string>

// The Windows-1251 lower-case mapping, indexed by the unsigned byte value.
extern const unsigned char kLower1251[256];

// Lower-cases size bytes at data in place by the system mapping.
void LowerCaseInPlace(char* data, std::size_t size);
inline void LowerCaseInPlace(std::string& text) { LowerCaseInPlace(text.data(), text.size()); }

// True when lower-casing an already lower-cased text changes nothing
// (lower(lower(b)) == lower(b) for every byte). The engine then lower-cases a
// run's search copy only once. Always true for the Windows-1251 mapping;
// checked once per process on Windows.
bool LowerCaseIsIdempotent();
