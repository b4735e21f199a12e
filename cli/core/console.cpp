#include "cli/core/console.h"

namespace {

constexpr std::size_t kOutBlock = std::size_t{1} << 16;

}  // namespace

void TBufferedConsole::Out(std::string_view utf8) {
  out_.append(utf8);
  if (out_line_by_line_ || out_.size() >= kOutBlock) FlushOut();
}

void TBufferedConsole::Err(std::string_view utf8) {
  FlushOut();
  WriteErr(utf8);
}

void TBufferedConsole::FlushOut() noexcept {
  if (out_.empty()) return;
  try {
    WriteOut(out_);
  } catch (...) {
    // Out of memory on the way to a console: the lines are lost, not the run.
  }
  out_.clear();
}
