// TReplaceThread: one conversion of the text window on a thread of its own.
//
// The worker reads the window's state only by sending messages to its
// controls, which the user-interface thread answers: the source text
// (WM_GETTEXTLENGTH, WM_GETTEXT), the case box and the forward button
// (BM_GETCHECK), all once when it starts. It takes the loaded rules (LoadedRules),
// which never change, and runs the engine on a pair of its own, so nothing it
// writes is shared. When the run is over, whether completed, abandoned or
// failed, it sends kConversionFinishedMessage to the window and ends; the
// window decides on its own thread whether the result is shown.
//
// A stale worker (MarkStale, from the user-interface thread) stops before
// its next rule, or inside a long one within 64 KB of text swept.
//
// TConversionScheduler: when the text window's conversions run: at most one
// at a time, the latest request always last.
//
// Every change (typing, direction, case box, profile) is a request. With no
// conversion running, a request starts one at once. While one runs, a
// request marks it stale, so that it stops within a rule or two and its result
// is never shown, and leaves a request waiting; when the running conversion
// reports back, the waiting request starts a new one, which reads the state
// as it is by then. However fast the requests come, at most one conversion
// runs, and once they stop the last conversion to run is one that started
// after the last change: the result field ends on the conversion of what the
// window shows.
//
// Everything here runs on the user-interface thread, which never waits for
// a worker, except in Shutdown, when the window goes: that waits for the
// running worker while still answering the messages it sends, so no worker
// outlives the window (or the library).
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ui/handles.h"

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
  ~TReplaceThread() = default;
  TReplaceThread(const TReplaceThread&) = delete;
  TReplaceThread& operator=(const TReplaceThread&) = delete;

  // Starts the thread; false when the system could not start one.
  bool Start() noexcept;

  // User-interface thread: a newer request supersedes this run.
  void MarkStale() noexcept { stale_.store(true, std::memory_order_relaxed); }
  bool Stale() const noexcept { return stale_.load(std::memory_order_relaxed); }

  HANDLE Thread() const noexcept { return thread_.get(); }
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
  TUniqueKernelHandle thread_;
  std::atomic<bool> stale_{false};
  TOutcome outcome_ = TOutcome::kRunning;
  std::string result_;
};

class TConversionScheduler {
 public:
  // A change of the window's state: a conversion of the new state is due.
  // When no worker can be started, nothing waits: the next change tries
  // again.
  void Request(const TConversionControls& controls);

  // kConversionFinishedMessage from worker run: shows its result in the
  // result field unless it went stale, then starts the waiting request. The
  // field changes only where the new result differs from what it shows, so
  // a keystroke's conversion of a long text costs the field a small change
  // instead of laying out the whole text again, and the view follows the
  // change instead of jumping back to the top.
  void OnFinished(const TReplaceThread* run);

  // Drops the waiting request, marks the running conversion stale and waits
  // until every worker thread has ended, answering the messages that the
  // workers send meanwhile (no other message is dispatched).
  void Shutdown() noexcept;

 private:
  void StartNew(const TConversionControls& controls);
  // Frees the workers whose threads have ended.
  void ReapEnded() noexcept;

  std::unique_ptr<TReplaceThread> running_;
  // Workers that have reported back and may still be on their way out.
  std::vector<std::unique_ptr<TReplaceThread>> ending_;
  bool request_waiting_ = false;
  bool closing_ = false;
};
