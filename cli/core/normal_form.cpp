#include "cli/core/normal_form.h"

#include <algorithm>

#include "cli/core/code_page.h"

bool IsPlainCharacter(char32_t c) {
  return c < 0x300 || (c >= 0x400 && c <= 0x482) || (c >= 0x48A && c <= 0x52F) ||
         (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E) ||
         (c >= 0x20A0 && c <= 0x20BF) || c == 0x2116 || c == 0x2122;
}

std::string ToNfc(std::string_view text) {
  // NFC never carries anything across a plain character: it neither
  // combines with what comes before it nor is reordered. So only the
  // stretches from the plain character before other characters up to the
  // next plain one go to the library; a byte that is not UTF-8 ends them.
  std::string normal;
  std::size_t copied = 0;      // text before this is in normal
  std::size_t last_plain = 0;  // where the last plain character starts
  for (std::size_t at = 0; at < text.size();) {
    char32_t character = 0;
    const std::size_t length = DecodeUtf8(text, at, &character);
    if (length == 0) {
      last_plain = ++at;
      continue;
    }
    if (IsPlainCharacter(character)) {
      last_plain = at;
      at += length;
      continue;
    }
    const std::size_t start = std::max(copied, last_plain);
    at += length;
    while (at < text.size()) {
      const std::size_t next = DecodeUtf8(text, at, &character);
      if (next == 0 || IsPlainCharacter(character)) break;
      at += next;
    }
    if (normal.empty()) normal.reserve(text.size());
    normal.append(text.substr(copied, start - copied));
    normal += NfcOfWellFormedUtf8(text.substr(start, at - start));
    copied = last_plain = at;
  }
  if (copied == 0) return std::string(text);
  normal.append(text.substr(copied));
  return normal;
}
