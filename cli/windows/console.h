// Output of translit-host, in UTF-8. A console gets the text as UTF-16
// (WriteConsoleW); anything else (a pipe, a file, a Linux terminal under
// wine) gets the UTF-8 bytes.
#pragma once

#include <string>

#include "cli/core/console.h"

class TWindowsConsole : public TBufferedConsole {
 public:
  // The process's one console, which the out-of-memory handler writes to too.
  static TWindowsConsole& Get();

  // A console, which is then asked to understand escape sequences.
  bool ErrIsTerminal() override;
  // The escape sequence where the console understands it, else spaces.
  std::string ProgressClearText() override;

 private:
  TWindowsConsole() : TBufferedConsole(false) {}
  void WriteOut(std::string_view utf8) override;
  void WriteErr(std::string_view utf8) override;
};
