// When the text window's conversions run: at most one at a time, the latest
// request always last.
//
// Every change (typing, direction, case box, profile) is a request. With no
// conversion running, a request starts one at once. While one runs, a
// request marks it stale, so that it stops at its next rule and its result
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

#include <memory>
#include <vector>

#include "ui/conversion_worker.h"

class TConversionScheduler {
 public:
  // A change of the window's state: a conversion of the new state is due.
  // When no worker can be started, nothing waits: the next change tries
  // again.
  void Request(const TConversionControls& controls);

  // kConversionFinishedMessage from worker run: shows its result in the
  // result field unless it went stale, then starts the waiting request.
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

// The one scheduler: only one text window exists at a time.
extern TConversionScheduler Conversions;
