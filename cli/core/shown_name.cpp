#include "cli/core/shown_name.h"

#include <cstdio>

#include "cli/core/code_page.h"

namespace {

// Characters that would let a name forge a line or move the cursor: C0
// and C1 controls, DEL, and the marks and overrides of text direction.
bool IsUnsafe(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void AppendEscaped(std::string_view bytes, std::string* out) {
  for (const char c : bytes) {
    switch (c) {
      case '\a':
        *out += "\\a";
        break;
      case '\b':
        *out += "\\b";
        break;
      case '\t':
        *out += "\\t";
        break;
      case '\n':
        *out += "\\n";
        break;
      case '\v':
        *out += "\\v";
        break;
      case '\f':
        *out += "\\f";
        break;
      case '\r':
        *out += "\\r";
        break;
      case '\x1b':
        *out += "\\E";
        break;
      case '\\':
        *out += "\\\\";
        break;
      case '\'':
        *out += "\\'";
        break;
      default: {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
        *out += hex;
      }
    }
  }
}

}  // namespace

std::string ShownName(std::string_view name) {
  bool safe = true;
  for (std::size_t at = 0; at < name.size() && safe;) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(name, at, &c);
    safe = length != 0 && !IsUnsafe(c);
    at += length;
  }
  if (safe) return std::string(name);
  std::string shown = "$'";
  for (std::size_t at = 0; at < name.size();) {
    char32_t c = 0;
    std::size_t length = DecodeUtf8(name, at, &c);
    if (length == 0) {
      length = 1;
      AppendEscaped(name.substr(at, 1), &shown);
    } else if (IsUnsafe(c) || c == '\\' || c == '\'') {
      AppendEscaped(name.substr(at, length), &shown);
    } else {
      shown.append(name.substr(at, length));
    }
    at += length;
  }
  return shown + "'";
}
