#include "ui/modal_run.h"

#include <exception>

#include "ui/chrome.h"

namespace {

// Set on the user-interface thread only, like everything the windows touch.
bool OutOfMemoryPending = false;

// Keeps the host's window disabled for its lifetime; enables it again and
// brings it to the foreground however the run ends.
class THostDisabled {
 public:
  explicit THostDisabled(HWND host) noexcept : host_(host) { EnableWindow(host_, FALSE); }
  ~THostDisabled() {
    EnableWindow(host_, TRUE);
    SetForegroundWindow(host_);
  }
  THostDisabled(const THostDisabled&) = delete;
  THostDisabled& operator=(const THostDisabled&) = delete;

 private:
  HWND host_;
};

// Releases the opening's resources when the run ends. If the run is left by
// an exception while its window still exists, destroys the window first and
// takes back the quit message that its WM_DESTROY posted, which would
// otherwise end the host's own message loop.
class TOpeningCleanup {
 public:
  explicit TOpeningCleanup(HWND* window) noexcept : window_(window) {}
  ~TOpeningCleanup() {
    if (std::uncaught_exceptions() > exceptions_ && *window_ && IsWindow(*window_)) {
      DestroyWindow(*window_);
      MSG quit;
      PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    WindowChrome.Release();
  }
  TOpeningCleanup(const TOpeningCleanup&) = delete;
  TOpeningCleanup& operator=(const TOpeningCleanup&) = delete;

 private:
  HWND* window_;
  int exceptions_ = std::uncaught_exceptions();
};

void RunMessageLoop(bool (*pre_translate)(const MSG&)) {
  MSG& message = ControlTable.LoopMessage;
  // GetMessage answers 0 for the quit message and -1 on an error; both end
  // the loop.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (pre_translate && pre_translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

void RunModalWindow(const TUiHost& host, const TModalWindow& window) {
  THostDisabled host_disabled(host.Window);
  ControlTable.Catalogue = host.Catalogue;
  {
    TOpeningCleanup cleanup(window.Window);
    if (!window.Build(host) || !*window.Window) return;
    window.SetInitialState();
    ShowWindow(*window.Window, SW_SHOWNORMAL);
    UpdateWindow(*window.Window);
    SetFocus(ControlTable.ProfileBox);
    RunMessageLoop(window.PreTranslate);
  }
  RethrowOutOfMemoryFromWindow();
}

void EndModalRun() noexcept { PostQuitMessage(0); }

void NoteOutOfMemoryInWindow() noexcept { OutOfMemoryPending = true; }

void RethrowOutOfMemoryFromWindow() {
  if (OutOfMemoryPending) {
    OutOfMemoryPending = false;
    throw std::bad_alloc();
  }
}
