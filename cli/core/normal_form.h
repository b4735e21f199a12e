// Unicode Normalization Form C (NFC) for names and text before a run and
// after it: a name written decomposed ("И" followed by U+0306, as macOS
// and some archives write "Й") is the same name as the composed one, and
// the profile's rules know only the composed letters.
//
//   ToNfc("\xd0\x98\xcc\x86") == "\xd0\x99"   ("Й" from "И" + U+0306)
//
// The normalization itself is a maintained library's, supplied by each
// command: libutf8proc for translit (cli/linux/), NormalizeString for
// translit-host (cli/windows/). Most text needs none of it, which
// IsPlainCharacter tells by its code points alone, fast.
#pragma once

#include <string>
#include <string_view>

// Whether NFC leaves a character as it is wherever it stands (a "plain"
// character): a code point below U+0300, the Cyrillic letters U+0400 to
// U+0482 and U+048A to U+052F, general punctuation U+2010 to U+2027 and
// U+2030 to U+205E, the currency signs U+20A0 to U+20BF, and U+2116 and
// U+2122 (which is every character of Windows-1251). None of these
// combines with anything before it, none has a combining class, and none
// changes under NFC (the unit tests check this against the library for
// every code point); so a text made only of them is in NFC.
bool IsPlainCharacter(char32_t character);

// text in NFC: the library normalizes each stretch of characters that are
// not plain together with the plain character before it (the only one they
// can combine with); plain characters and bytes that are not UTF-8 are
// kept as they are. So text that is nearly all plain costs one scan.
std::string ToNfc(std::string_view text);

// The library's NFC of well-formed UTF-8. Each command links its own.
std::string NfcOfWellFormedUtf8(std::string_view utf8);
