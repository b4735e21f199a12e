// Windows-1251 texts in tests, written as readable literals.
//
// The cross build compiles literals to Windows-1251 (-fexec-charset=CP1251);
// clang, which builds the native tests, only produces UTF-8 literals. W("Жж")
// gives the Windows-1251 bytes either way: it converts a UTF-8 literal, and
// passes a literal that is already Windows-1251 through. Only ASCII, А-я, Ё
// and ё are converted; anything else aborts the test program.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace testing_cp1251 {

// True when the compiler turned "Ж" into one byte.
inline constexpr bool kLiteralsAre1251 = sizeof("Ж") == 2;

inline std::string FromUtf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    if ((c & 0xE0) != 0xC0 || i + 1 >= utf8.size()) {
      std::fprintf(stderr, "W(): unsupported character in test literal\n");
      std::abort();
    }
    const unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    i += 2;
    if (code >= 0x410 && code <= 0x44F) {
      out.push_back(static_cast<char>(0xC0 + (code - 0x410)));
    } else if (code == 0x401) {
      out.push_back(static_cast<char>(0xA8));
    } else if (code == 0x451) {
      out.push_back(static_cast<char>(0xB8));
    } else {
      std::fprintf(stderr, "W(): unsupported character U+%04X in test literal\n", code);
      std::abort();
    }
  }
  return out;
}

}  // namespace testing_cp1251

// A test literal as Windows-1251 bytes.
inline std::string W(std::string_view literal) {
  if constexpr (testing_cp1251::kLiteralsAre1251) {
    return std::string(literal);
  } else {
    return testing_cp1251::FromUtf8(literal);
  }
}
