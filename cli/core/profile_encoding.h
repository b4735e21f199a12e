// Which encoding a profile file is in. The plug-in reads Windows-1251 only,
// but every Linux editor saves UTF-8, and a UTF-8 profile read as
// Windows-1251 renames nothing without a word. The commands read such a
// profile as UTF-8 (with a note), and --check reports it.
//
// A profile is UTF-8 when it starts with the UTF-8 byte-order mark, or when
// it is well-formed UTF-8 holding bytes above 127 and its Windows-1251
// reading is not plausible: at most three quarters of those bytes are
// letters of the Russian alphabet in Windows-1251 (0xC0 to 0xFF, Ё 0xA8,
// ё 0xB8). In UTF-8 every such letter takes a lead byte (0xD0 or 0xD1, "Р"
// or "С" read as Windows-1251) and a continuation byte (0x80 to 0xBF,
// mostly not a letter), so UTF-8 Russian reads as little more than half
// letters; a Windows-1251 text is nearly all letters, and hardly ever
// well-formed UTF-8 at all. Everything else is Windows-1251.
//   "\xd0\xa9 Shch" ("Щ Shch" in UTF-8)  -> kUtf8
//   "\xd9 Shch"     ("Щ Shch" in 1251)   -> kWindows1251
//   "\xd0\xa8"      ("РЁ" in 1251, "Ш" in UTF-8: all letters) -> kWindows1251
#pragma once

#include <string>
#include <string_view>

#include "cli/core/outcome.h"

enum class TProfileEncoding { kWindows1251, kUtf8 };

// The encoding of a whole profile file.
TProfileEncoding ProfileEncodingOf(std::string_view bytes);

// A UTF-8 profile's bytes as the plug-in would read them: the byte-order
// mark dropped, the text brought to NFC and converted to Windows-1251, line
// for line. The error names the first line holding a character that
// Windows-1251 lacks: "line 5 holds U+0101, which Windows-1251 lacks".
TResult<std::string> Utf8ProfileTo1251(std::string_view bytes);
