// Where a command's lines go: standard output and standard error, in UTF-8.
// Each platform writes them its own way (a Windows console takes UTF-16);
// the run core only says what to print.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/core/run_report.h"

class TConsole {
 public:
  virtual ~TConsole() = default;
  // Standard output may be gathered into blocks; writing to standard error
  // first writes what standard output holds, so the two keep their order.
  virtual void Out(std::string_view utf8) = 0;
  virtual void Err(std::string_view utf8) = 0;
  virtual void FlushOut() = 0;
  // Whether standard error is a terminal a person watches (for progress).
  virtual bool ErrIsTerminal() = 0;
  // What clears a progress line there.
  virtual std::string ProgressClearText() { return ProgressEnd(); }
};

// A console that gathers standard output into blocks of 64 KB, or writes
// it at once where a person watches it line by line; the platform writes
// the bytes.
class TBufferedConsole : public TConsole {
 public:
  ~TBufferedConsole() override = default;
  void Out(std::string_view utf8) override;
  void Err(std::string_view utf8) override;
  // Never throws: the out-of-memory handlers call it.
  void FlushOut() noexcept override;

 protected:
  explicit TBufferedConsole(bool outLineByLine) : out_line_by_line_(outLineByLine) {}
  virtual void WriteOut(std::string_view utf8) = 0;
  virtual void WriteErr(std::string_view utf8) = 0;

 private:
  std::string out_;
  bool out_line_by_line_;
};

// The progress line on standard error: shown once the run has taken more
// than a second, when standard error is a terminal and the run is not quiet,
// and rewritten in place at most ten times a second.
class TProgress {
 public:
  TProgress(TConsole& console, std::size_t total, bool quiet)
      : console_(console), total_(total), shown_on_terminal_(!quiet && console.ErrIsTerminal()) {}
  void Step(std::size_t done) {
    if (!shown_on_terminal_ || !pacer_.Due(done)) return;
    shown_ = true;
    console_.Err(ProgressLine(done, total_));
  }
  // Clears the line before another line goes to standard error.
  void Clear() {
    if (!shown_) return;
    shown_ = false;
    console_.Err(console_.ProgressClearText());
  }

 private:
  TConsole& console_;
  std::size_t total_;
  bool shown_on_terminal_;
  bool shown_ = false;
  TProgressPacer pacer_;
};
