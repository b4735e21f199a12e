// Output of the command-line host, in UTF-8. A console gets the text as
// UTF-16 (WriteConsoleW); anything else (a pipe, a file, a Linux terminal
// under wine) gets the UTF-8 bytes.
//
// Standard output is gathered and written in blocks; writing to standard
// error first writes what standard output holds, so that the two keep their
// order where they meet.
#pragma once

#include <cstddef>
#include <string_view>

#include "tools/common/run_report.h"

void Out(std::string_view utf8);
void Err(std::string_view utf8);
// Writes what standard output holds; never throws (the out-of-memory
// handler calls it).
void FlushOut() noexcept;

// The progress line on standard error: shown once the run has taken more
// than a second, when standard error is a console and the run is not quiet,
// and rewritten in place at most ten times a second.
class TProgress {
 public:
  TProgress(std::size_t total, bool quiet);
  void Step(std::size_t done);
  // Clears the line before another line goes to standard error.
  void Clear();

 private:
  std::size_t total_;
  bool console_;
  bool shown_ = false;
  TProgressPacer pacer_;
};
