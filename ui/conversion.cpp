#include "ui/conversion.h"

#include <process.h>

#include <cstdint>

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "engine/replace.h"
#include "ui/profile_loading.h"

namespace {

// The whole text of a control. A text that changes between the two messages
// comes back cut to what the second one read.
std::string FieldText(HWND field) {
  const LRESULT length = SendMessageA(field, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT read =
      SendMessageA(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return text;
}

}  // namespace

TReplaceThread::TReplaceThread(const TConversionControls& controls) noexcept
    : controls_(controls) {}

bool TReplaceThread::Start() noexcept {
  // _beginthreadex rather than CreateThread: the worker uses the C runtime.
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, ThreadMain, this, 0, nullptr);
  thread_.reset(reinterpret_cast<HANDLE>(thread));
  return static_cast<bool>(thread_);
}

bool TReplaceThread::Ended() const noexcept {
  return !thread_ || WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0;
}

unsigned __stdcall TReplaceThread::ThreadMain(void* self) noexcept {
  static_cast<TReplaceThread*>(self)->Run();
  return 0;
}

void TReplaceThread::Run() noexcept {
  try {
    Convert();
  } catch (...) {
    // Exhausted memory, most likely: the run ends without a report, and the
    // window keeps what it shows.
    result_.clear();
    outcome_ = TOutcome::kFailed;
  }
  const HWND window = controls_.Window;
  SendMessageA(window, kConversionFinishedMessage, 0, reinterpret_cast<LPARAM>(this));
}

void TReplaceThread::Convert() {
  const std::string text = ReadSourceText();
  TRunOptions options;
  options.CaseSensitive = IsChecked(controls_.CaseBox);
  // Read once: a change of direction starts a new run anyway.
  options.Direction =
      IsChecked(controls_.ForwardButton) ? TDirection::kForward : TDirection::kReverse;
  options.SelfMapping = TSelfMapping::kLikeEveryRule;
  options.Cancelled = [this] { return Stale(); };
  const std::shared_ptr<const std::vector<TRule>> rules = LoadedRules();

  TReplacePair pair;
  if (Stale() || !RunReplacement(pair, text, *rules, options)) {
    outcome_ = TOutcome::kAbandoned;
    return;
  }
  result_ = pair.TakeResultText();
  outcome_ = TOutcome::kCompleted;
}

std::string TReplaceThread::ReadSourceText() const {
  // The text may change while it is read; that change has marked this run
  // stale already.
  return FieldText(controls_.SourceEdit);
}

bool TReplaceThread::IsChecked(HWND button) const {
  return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- The scheduler ---------------------------------------------------------------

namespace {

// Makes the field show text: only the stretch that differs from what it shows
// is replaced (selected, then replaced without undo); a field that already
// shows text is left alone. The field's limit must admit the text
// (EM_SETLIMITTEXT).
void ShowInField(HWND field, std::string_view text) {
  const std::string shown = FieldText(field);
  const std::size_t shorter = std::min(shown.size(), text.size());
  std::size_t prefix = 0;
  while (prefix < shorter && shown[prefix] == text[prefix]) ++prefix;
  if (prefix == shown.size() && prefix == text.size()) return;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         shown[shown.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
    ++suffix;
  }
  // Never split a line break between its CR and its LF.
  if (prefix > 0 && shown[prefix - 1] == '\r') --prefix;
  if (suffix > 0 && shown[shown.size() - suffix] == '\n') --suffix;

  const std::string middle(text.substr(prefix, text.size() - prefix - suffix));
  SendMessageA(field, EM_SETSEL, prefix, static_cast<LPARAM>(shown.size() - suffix));
  SendMessageA(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle.c_str()));
}

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
  ending_.erase(
      std::remove_if(ending_.begin(), ending_.end(),
                     [](const std::unique_ptr<TReplaceThread>& run) { return run->Ended(); }),
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
