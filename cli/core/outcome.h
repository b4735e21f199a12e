// What the commands' functions return instead of printing: an exit status,
// an error with its reason, or a value or an error. Errors are printed once,
// by the command's run core, in one format:
//   "translit: SUBJECT: REASON" (or "translit: REASON" without a subject).
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "cli/core/shown_name.h"

// The exit status of both commands.
enum class TExitStatus : int {
  kOk = 0,              // every file renamed, or kept by the profile's own choice
  kSomeFilesKept = 1,   // a file could not be renamed (or put back, or a profile has findings)
  kNothingTouched = 2,  // a usage error or a failed set-up: nothing was touched
  kInterrupted = 130,   // Ctrl-C ended the run between two files, as a shell counts it
};

inline int ExitCode(TExitStatus status) { return static_cast<int>(status); }

struct TError {
  std::string Subject;  // the path or value the error is about; may be empty
  std::string Reason;
};

// "SUBJECT: REASON", or the reason alone; the subject, a path as a rule, as
// ShownName shows it.
inline std::string ErrorText(const TError& error) {
  return error.Subject.empty() ? error.Reason : ShownName(error.Subject) + ": " + error.Reason;
}

// The line printed for an error: "PROGRAM: SUBJECT: REASON\n".
inline std::string ErrorLine(const std::string& program, const TError& error) {
  return program + ": " + ErrorText(error) + "\n";
}

// A value, or the error that kept it from being made.
template <typename T>
class TResult {
 public:
  TResult(T value) : value_(std::move(value)) {}       // NOLINT: a value converts implicitly
  TResult(TError error) : error_(std::move(error)) {}  // NOLINT: so does an error

  explicit operator bool() const { return value_.has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  const TError& Error() const { return error_; }

 private:
  std::optional<T> value_;
  TError error_;
};

// For functions that have nothing else to return: nothing on success, else
// the error. if (TMaybeError error = Write()) return error;
using TMaybeError = std::optional<TError>;
