// The Linux command's standard output and error: UTF-8 bytes as they are;
// standard output line by line on a terminal, so that what a person watches
// is never held back.
#pragma once

#include "cli/core/console.h"

class TLinuxConsole : public TBufferedConsole {
 public:
  TLinuxConsole();
  ~TLinuxConsole() override { FlushOut(); }
  bool ErrIsTerminal() override { return err_is_terminal_; }

 private:
  void WriteOut(std::string_view utf8) override;
  void WriteErr(std::string_view utf8) override;

  bool err_is_terminal_;
};
