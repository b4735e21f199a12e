// NFC for the Linux command, by libutf8proc (cli/core/normal_form.h).
#include <utf8proc.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "cli/core/normal_form.h"

namespace {

struct TFreeDeleter {
  void operator()(utf8proc_uint8_t* text) const { std::free(text); }
};

}  // namespace

std::string NfcOfWellFormedUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  utf8proc_uint8_t* mapped = nullptr;
  const utf8proc_ssize_t length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                   static_cast<utf8proc_ssize_t>(utf8.size()), &mapped,
                   static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  const std::unique_ptr<utf8proc_uint8_t, TFreeDeleter> owned(mapped);
  if (length == UTF8PROC_ERROR_NOMEM) throw std::bad_alloc();
  // The text is well-formed, so nothing else can fail; were it not, it
  // would stay as it was.
  if (length < 0) return std::string(utf8);
  return std::string(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length));
}
