#include "cli/core/profile_encoding.h"

#include <cstdio>

#include "cli/core/code_page.h"
#include "cli/core/messages.h"
#include "cli/core/normal_form.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsRussianLetter1251(unsigned char byte) {
  return byte >= 0xC0 || byte == 0xA8 || byte == 0xB8;
}

}  // namespace

TProfileEncoding ProfileEncodingOf(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) return TProfileEncoding::kUtf8;
  std::size_t high_bytes = 0;
  std::size_t letters = 0;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    high_bytes += byte >= 0x80;
    letters += IsRussianLetter1251(byte);
  }
  const bool plausible_1251 = letters * 4 > high_bytes * 3;
  if (high_bytes == 0 || plausible_1251 || !IsUtf8(bytes)) return TProfileEncoding::kWindows1251;
  return TProfileEncoding::kUtf8;
}

TResult<std::string> Utf8ProfileTo1251(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  const std::string text = ToNfc(bytes);
  std::string converted;
  converted.reserve(text.size());
  std::size_t line = 1;
  for (std::size_t at = 0; at < text.size();) {
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(text, at, &character);
    const int byte = length == 0 ? -1 : Cp1251ByteOf(character);
    if (byte < 0) {
      char code[16];
      if (length == 0) {
        std::snprintf(code, sizeof code, "0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(text[at])));
      } else {
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
      }
      return TError{"",
                    Format(length == 0 ? _("line %s holds the byte %s, which Windows-1251 lacks")
                                       : _("line %s holds %s, which Windows-1251 lacks"),
                           std::to_string(line), code)};
    }
    if (byte == '\n') ++line;
    converted.push_back(static_cast<char>(byte));
    at += length;
  }
  return converted;
}
