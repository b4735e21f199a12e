#include "fuzz_report.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

std::string Show(std::string_view bytes) {
  std::string shown;
  shown.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
      shown.push_back(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      shown += hex;
    }
  }
  return shown;
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "\nFUZZ CHECK FAILED: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void ExpectSame(const TDescription& what, const char* fastName, std::string_view fast,
                const char* expectedName, std::string_view expected) {
  if (fast == expected) return;
  Fail(what() + ": " + fastName + " \"" + Show(fast) + "\" but " + expectedName + " \"" +
       Show(expected) + "\"");
}

}  // namespace fuzz
