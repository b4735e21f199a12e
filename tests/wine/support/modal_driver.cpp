#include "tests/wine/support/modal_driver.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

ModalDriver* Running = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

ModalDriver& ModalDriver::Then(std::function<void()> action) {
  steps_.push_back({[action = std::move(action)] {
    action();
    return true;
  }});
  return *this;
}

ModalDriver& ModalDriver::WaitFor(std::function<bool()> condition) {
  steps_.push_back({std::move(condition)});
  return *this;
}

ModalDriver& ModalDriver::WaitForWindow(const char* class_name, HWND* window) {
  return WaitFor([class_name, window] {
    *window = FindThreadWindow(class_name);
    return *window != nullptr && IsWindowVisible(*window);
  });
}

ModalDriver& ModalDriver::WaitForMessageBox(std::optional<MessageBoxInfo>* box) {
  return WaitFor([box] {
    *box = FindMessageBox();
    return box->has_value() && IsWindowVisible((*box)->handle);
  });
}

bool ModalDriver::Run(const std::function<void()>& open, DWORD timeout_ms) {
  if (Running) throw std::logic_error("one ModalDriver at a time");
  Running = this;
  next_ = 0;
  timed_out_ = false;
  give_up_ticks_ = 0;
  deadline_ = GetTickCount() + timeout_ms;
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTimer);
  const auto stop = [&] {
    KillTimer(nullptr, timer);
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    Running = nullptr;
  };
  try {
    open();
  } catch (...) {
    stop();
    throw;
  }
  stop();
  const bool all_ran = next_ == static_cast<int>(steps_.size());
  if (!all_ran && !timed_out_) {
    ADD_FAILURE() << "the modal loop ended after " << next_ << " of " << steps_.size()
                  << " steps";
  }
  return all_ran && !timed_out_;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (Running) Running->Tick();
}

void ModalDriver::Tick() {
  if (timed_out_ || static_cast<int>(GetTickCount() - deadline_) > 0) {
    GiveUp();
    return;
  }
  while (next_ < static_cast<int>(steps_.size())) {
    const int current = next_;
    // Advance before running: a nested loop inside the step runs the
    // following steps from its own ticks.
    ++next_;
    bool done = false;
    try {
      done = steps_[static_cast<std::size_t>(current)].run();
    } catch (const std::exception& error) {
      ADD_FAILURE() << "step " << current << " threw: " << error.what();
      done = true;
    }
    if (!done) {
      next_ = current;
      return;
    }
  }
}

void ModalDriver::GiveUp() {
  if (!timed_out_) {
    ADD_FAILURE() << "timed out after " << next_ << " of " << steps_.size() << " steps";
    timed_out_ = true;
    next_ = static_cast<int>(steps_.size());
  }
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (!IsWindow(window) || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, "#32770") == 0) {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    } else {
      DestroyWindow(window);
    }
  }
  // A loop that no window ends is ended from here.
  if (++give_up_ticks_ > 20) PostQuitMessage(0);
}

bool OpenAndCloseRepeatedly(int times, const char* window_class,
                            const std::function<void()>& open,
                            const std::function<void(HWND window, int opening)>& close) {
  for (int opening = 0; opening < times; ++opening) {
    ModalDriver driver;
    HWND window = nullptr;
    driver.WaitForWindow(window_class, &window).Then([&] {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      close(window, opening);
    });
    if (!driver.Run(open)) {
      ADD_FAILURE() << "opening " << opening << " of " << window_class << " failed";
      return false;
    }
  }
  return true;
}

namespace {
MessageBoxWatch* Watching = nullptr;
}  // namespace

MessageBoxWatch::MessageBoxWatch()
    : timer_(SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTimer)) {
  if (Watching) throw std::logic_error("one MessageBoxWatch at a time");
  Watching = this;
}

MessageBoxWatch::~MessageBoxWatch() {
  KillTimer(nullptr, timer_);
  Watching = nullptr;
}

void CALLBACK MessageBoxWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!Watching) return;
  std::optional<MessageBoxInfo> box = FindMessageBox();
  if (!box || box->handle == Watching->answered_) return;
  ++Watching->seen_;
  Watching->answered_ = box->handle;
  Watching->last_ = box;
  AnswerMessageBox(*box, IDOK);
}
