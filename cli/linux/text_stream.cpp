#include "cli/linux/text_stream.h"

#include <unistd.h>

#include <cerrno>

#include "cli/core/messages.h"
#include "cli/linux/file_ops.h"

namespace {

class TLinuxTextStream : public TTextStream {
 public:
  TResult<std::size_t> Read(std::size_t atMost, std::string* utf8) override {
    const std::size_t before = utf8->size();
    utf8->resize(before + atMost);
    for (;;) {
      const ssize_t n = read(STDIN_FILENO, utf8->data() + before, atMost);
      if (n < 0 && errno == EINTR) continue;
      utf8->resize(before + (n > 0 ? static_cast<std::size_t>(n) : 0));
      if (n < 0) return ErrorOfErrno(_("standard input"), errno);
      return static_cast<std::size_t>(n);
    }
  }

  TMaybeError Write(std::string_view utf8) override {
    if (WriteAll(STDOUT_FILENO, utf8)) return std::nullopt;
    return ErrorOfErrno(_("standard output"), errno);
  }
};

}  // namespace

std::unique_ptr<TTextStream> MakeLinuxTextStream() { return std::make_unique<TLinuxTextStream>(); }
