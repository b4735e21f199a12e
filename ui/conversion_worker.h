// TReplaceThread: one conversion of the text window on a thread of its own.
//
// The worker reads the window's state only by sending messages to its
// controls, which the user-interface thread answers: the source text
// (WM_GETTEXTLENGTH, WM_GETTEXT), the case box and the forward button
// (BM_GETCHECK), all once when it starts. It takes its own copy of the loaded
// rules (LoadedRules) and runs the engine on a pair of its own, so nothing it
// works on is shared. When the run is over, whether completed, abandoned or
// failed, it sends kConversionFinishedMessage to the window and ends; the
// window decides on its own thread whether the result is shown.
//
// A stale worker (MarkStale, from the user-interface thread) stops before
// its next rule.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

// Sent by a worker to its window as its last act; lParam is the worker.
inline constexpr UINT kConversionFinishedMessage = WM_APP + 1;

// The window a conversion works for and the controls it reads and writes.
struct TConversionControls {
  HWND Window;         // receives kConversionFinishedMessage
  HWND SourceEdit;     // the text to convert
  HWND CaseBox;        // checked: one exact pass; clear: exact, then case ignored
  HWND ForwardButton;  // checked: forward; clear: reverse
  HWND ResultEdit;     // where the result goes (written by the window)
};

class TReplaceThread {
 public:
  enum class TOutcome {
    kRunning,
    kCompleted,  // ran every rule; Result() holds the converted text
    kAbandoned,  // went stale and stopped
    kFailed,     // something failed inside the run (exhausted memory)
  };

  explicit TReplaceThread(const TConversionControls& controls) noexcept;
  // The thread must have ended (Ended()).
  ~TReplaceThread();
  TReplaceThread(const TReplaceThread&) = delete;
  TReplaceThread& operator=(const TReplaceThread&) = delete;

  // Starts the thread; false when the system could not start one.
  bool Start() noexcept;

  // User-interface thread: a newer request supersedes this run.
  void MarkStale() noexcept { stale_.store(true, std::memory_order_relaxed); }
  bool Stale() const noexcept { return stale_.load(std::memory_order_relaxed); }

  HANDLE Thread() const noexcept { return thread_; }
  // The thread has ended (or was never started).
  bool Ended() const noexcept;

  const TConversionControls& Controls() const noexcept { return controls_; }
  // Valid once kConversionFinishedMessage has arrived.
  TOutcome Outcome() const noexcept { return outcome_; }
  std::string TakeResult() noexcept { return std::move(result_); }

 private:
  static unsigned __stdcall ThreadMain(void* self) noexcept;
  // The thread's body; its last act is the finished message, after which the
  // worker touches nothing of this object.
  void Run() noexcept;
  void Convert();
  std::string ReadSourceText() const;
  bool IsChecked(HWND button) const;

  const TConversionControls controls_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stale_{false};
  TOutcome outcome_ = TOutcome::kRunning;
  std::string result_;
};
