// The modal run both windows share, and the wall that keeps C++ exceptions
// inside their window procedures.
//
// A run:
//  1. disables the host's window;
//  2. builds the window and its controls;
//  3. sets the controls' initial state;
//  4. shows the window (SW_SHOWNORMAL), paints it at once and gives the focus
//     to the profile box (ControlTable entry 6);
//  5. gets, translates and dispatches every message of the thread into
//     ControlTable.LoopMessage until the quit message; no dialog-message
//     processing (a window may look at each message first, PreTranslate);
//  6. releases the opening's resources (WindowChrome), enables the host's
//     window and brings it to the foreground.
// A window ends its run by calling EndModalRun on WM_DESTROY.
//
// If the build creates no window, nothing would ever post the quit message:
// the run skips steps 3 to 5. An exception from a step (exhausted memory)
// destroys the window, still ends with step 6, and is passed on.
#pragma once

#include <windows.h>

#include <new>

#include "ui/host.h"

struct TModalWindow {
  // Creates the window and its controls (fonts first, through WindowChrome);
  // true when the top-level window exists.
  bool (*Build)(const TUiHost& host);
  // Sets the controls' initial state; runs before the window is shown.
  void (*SetInitialState)();
  // The window global the build fills: OptionsWindow or TextWindow.
  HWND* Window;
  // Optional: sees every message the loop gets before it is translated, to
  // give the window its own keys. True when it has handled the message: the
  // loop then neither translates nor dispatches it. Null: every message is
  // translated and dispatched.
  bool (*PreTranslate)(const MSG& message) = nullptr;
};

// Runs the window for host; ControlTable entry 15 points to host's catalogue
// from the start of the run.
void RunModalWindow(const TUiHost& host, const TModalWindow& window);

// For WM_DESTROY of a modally run window: posts the quit message (exit code
// 0) that ends the loop.
void EndModalRun() noexcept;

// A window procedure runs each handler through GuardedWindowCall, as the
// window system cannot carry a C++ exception:
//  - any exception ends the handler; the message gets the fallback result;
//  - exhausted memory is remembered, and the modal run raises it again as
//    std::bad_alloc once its window is gone and the host's window is enabled,
//    so that the entry point hands it to the host.
void NoteOutOfMemoryInWindow() noexcept;
// Throws std::bad_alloc if a handler ran out of memory since the last call.
void RethrowOutOfMemoryFromWindow();

template <typename Handler>
LRESULT GuardedWindowCall(Handler&& handler, LRESULT fallback = 0) noexcept {
  try {
    return handler();
  } catch (const std::bad_alloc&) {
    NoteOutOfMemoryInWindow();
  } catch (...) {
  }
  return fallback;
}
