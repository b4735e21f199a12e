#include "ui/conversion_worker.h"

#include <process.h>

#include <cstdint>

#include <new>
#include <utility>
#include <vector>

#include "engine/replace.h"
#include "ui/profile_loading.h"

TReplaceThread::TReplaceThread(const TConversionControls& controls) noexcept
    : controls_(controls) {}

TReplaceThread::~TReplaceThread() {
  if (thread_) CloseHandle(thread_);
}

bool TReplaceThread::Start() noexcept {
  // _beginthreadex rather than CreateThread: the worker uses the C runtime.
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, ThreadMain, this, 0, nullptr);
  thread_ = reinterpret_cast<HANDLE>(thread);
  return thread_ != nullptr;
}

bool TReplaceThread::Ended() const noexcept {
  return !thread_ || WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0;
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
  const std::vector<TRule> rules = LoadedRules();

  TReplacePair pair;
  if (Stale() || !RunReplacement(pair, text, rules, options)) {
    outcome_ = TOutcome::kAbandoned;
    return;
  }
  result_ = pair.TakeResultText();
  outcome_ = TOutcome::kCompleted;
}

std::string TReplaceThread::ReadSourceText() const {
  const LRESULT length = SendMessageA(controls_.SourceEdit, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT read = SendMessageA(controls_.SourceEdit, WM_GETTEXT, text.size(),
                                    reinterpret_cast<LPARAM>(text.data()));
  // The text may have changed between the two messages; that change has
  // marked this run stale already.
  text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return text;
}

bool TReplaceThread::IsChecked(HWND button) const {
  return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
