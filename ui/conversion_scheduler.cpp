#include "ui/conversion_scheduler.h"

#include <algorithm>
#include <utility>

#include "ui/text_result.h"

TConversionScheduler Conversions;

namespace {

// How often the wait at shutdown looks again without a wake-up.
constexpr DWORD kShutdownPollMs = 50;

}  // namespace

void TConversionScheduler::Request(const TConversionControls& controls) {
  if (closing_) return;
  // A worker whose thread ended without reporting back (its window was
  // gone) is not running any more.
  if (running_ && running_->Ended()) running_.reset();
  if (running_) {
    running_->MarkStale();
    request_waiting_ = true;
    return;
  }
  StartNew(controls);
}

void TConversionScheduler::StartNew(const TConversionControls& controls) {
  ReapEnded();
  request_waiting_ = false;
  auto run = std::make_unique<TReplaceThread>(controls);
  if (!run->Start()) return;  // no thread: the next change tries again
  running_ = std::move(run);
}

void TConversionScheduler::OnFinished(const TReplaceThread* run) {
  if (!running_ || running_.get() != run) return;
  std::unique_ptr<TReplaceThread> finished = std::move(running_);
  const TConversionControls controls = finished->Controls();
  if (!closing_ && !finished->Stale() &&
      finished->Outcome() == TReplaceThread::TOutcome::kCompleted) {
    ShowInField(controls.ResultEdit, finished->TakeResult());
  }
  // The worker is still inside its SendMessage: keep it until its thread
  // has ended.
  ending_.push_back(std::move(finished));
  if (request_waiting_ && !closing_) StartNew(controls);
}

void TConversionScheduler::ReapEnded() noexcept {
  ending_.erase(std::remove_if(ending_.begin(), ending_.end(),
                               [](const std::unique_ptr<TReplaceThread>& run) {
                                 return run->Ended();
                               }),
                ending_.end());
}

void TConversionScheduler::Shutdown() noexcept {
  closing_ = true;
  request_waiting_ = false;
  if (running_) running_->MarkStale();
  for (;;) {
    // A worker that ended without reporting back (it could not reach the
    // window) is over all the same.
    if (running_ && running_->Ended()) running_.reset();
    ReapEnded();
    HANDLE threads[MAXIMUM_WAIT_OBJECTS - 1];
    DWORD count = 0;
    if (running_) threads[count++] = running_->Thread();
    for (const auto& run : ending_) {
      if (count == MAXIMUM_WAIT_OBJECTS - 1) break;
      threads[count++] = run->Thread();
    }
    if (count == 0) break;
    MsgWaitForMultipleObjects(count, threads, FALSE, kShutdownPollMs, QS_SENDMESSAGE);
    // Answers the messages the workers have sent (their reads of the
    // controls, their reports) and removes nothing from the queue.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  closing_ = false;
}
