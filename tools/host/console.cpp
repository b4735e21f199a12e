#include "tools/host/console.h"

#include <windows.h>

#include <string>

#include "tools/common/run_report.h"
#include "tools/host/text.h"

namespace {

std::string OutBuffer;
constexpr std::size_t kOutBlock = 1 << 16;

void Write(DWORD which, std::string_view utf8) {
  HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = WideFromUtf8(utf8);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void Out(std::string_view utf8) {
  OutBuffer.append(utf8);
  if (OutBuffer.size() >= kOutBlock) FlushOut();
}

void Err(std::string_view utf8) {
  FlushOut();
  Write(STD_ERROR_HANDLE, utf8);
}

void FlushOut() noexcept {
  if (OutBuffer.empty()) return;
  try {
    Write(STD_OUTPUT_HANDLE, OutBuffer);
  } catch (...) {
    // Out of memory on the way to a console: the lines are lost, not the run.
  }
  OutBuffer.clear();
}

TProgress::TProgress(std::size_t total, bool quiet) : total_(total) {
  DWORD mode = 0;
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  console_ = !quiet && GetConsoleMode(error, &mode) != 0;
  // ProgressEnd clears the line with an escape sequence, which a console
  // understands once asked to; an older one that refuses gets spaces.
  if (console_) SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

void TProgress::Step(std::size_t done) {
  if (!console_ || !pacer_.Due(done)) return;
  shown_ = true;
  Err(ProgressLine(done, total_));
}

void TProgress::Clear() {
  if (!shown_) return;
  shown_ = false;
  DWORD mode = 0;
  GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
  Err((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ? ProgressEnd()
                                                  : "\r" + std::string(40, ' ') + "\r");
}
