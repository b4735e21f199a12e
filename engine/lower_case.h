// Lower-casing seam of the engine.
//
// The engine lower-cases by the system's ANSI code page, character by
// character, length unchanged. On Windows that is CharLowerBuffA's mapping,
// taken once per process byte by byte into a table (so that a lower-cased
// text's byte counts follow from the table; the code pages of the texts are
// single-byte). Elsewhere (native builds and tests) the constant Windows-1251
// table kLower1251 stands in for it: A-Z to a-z, А-Я to а-я, Ё to ё and the
// code page's other Cyrillic capitals (Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Є Ї І Ѕ) to their
// small letters; every other byte, NUL included, maps to itself. A test under
// wine checks that kLower1251 equals CharLowerBuffA under code page 1251 for
// all 256 bytes.
//
// This file's .cpp, profile_file.cpp, profile_cache.cpp (its lock) and the
// handle owners (unique_any.h, unique_handles.h) are the only places of the
// engine that include <windows.h>.
#pragma once

#include <cstddef>
#include <string>

// The Windows-1251 lower-case mapping, indexed by the unsigned byte value.
extern const unsigned char kLower1251[256];

// The mapping in use, indexed by the unsigned byte value: CharLowerBuffA's on
// Windows, kLower1251 elsewhere.
const unsigned char* LowerCaseTable();

// Lower-cases size bytes at data in place by LowerCaseTable().
void LowerCaseInPlace(char* data, std::size_t size);
inline void LowerCaseInPlace(std::string& text) { LowerCaseInPlace(text.data(), text.size()); }

// True when lower-casing an already lower-cased text changes nothing
// (lower(lower(b)) == lower(b) for every byte). The engine then lower-cases a
// run's search copy only once. True for the Windows-1251 mapping.
bool LowerCaseIsIdempotent();
