#include "cli/core/normal_form.h"

#include "cli/core/code_page.h"

namespace {

bool IsPlainCharacter(char32_t c) {
  return c < 0x300 || (c >= 0x400 && c <= 0x482) || (c >= 0x48A && c <= 0x52F) ||
         (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E) ||
         (c >= 0x20A0 && c <= 0x20BF) || c == 0x2116 || c == 0x2122;
}

}  // namespace

bool IsPlainlyNfc(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(text, at, &character);
    if (length == 0 || !IsPlainCharacter(character)) return false;
    at += length;
  }
  return true;
}

std::string ToNfc(std::string_view text) {
  if (IsPlainlyNfc(text)) return std::string(text);
  std::string normal;
  normal.reserve(text.size());
  std::size_t start = 0;  // of the well-formed stretch under way
  for (std::size_t at = 0; at < text.size();) {
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(text, at, &character);
    if (length > 0) {
      at += length;
      continue;
    }
    normal += NfcOfWellFormedUtf8(text.substr(start, at - start));
    normal += text[at];
    start = ++at;
  }
  normal += NfcOfWellFormedUtf8(text.substr(start));
  return normal;
}
