// The modal run both windows share:
//  1. disable HostWindow;
//  2. build the window and its controls;
//  3. set the controls' initial state;
//  4. show the window (SW_SHOWNORMAL), paint it at once and give the focus to
//     the profile box (ControlTable entry 6);
//  5. get, translate and dispatch every message of the thread into
//     ControlTable.LoopMessage until the quit message; no dialog-message
//     processing (a window may look at each message first, PreTranslate);
//  6. release the opening's resources (WindowChrome), enable HostWindow and
//     bring it to the foreground.
// A window ends its run by calling EndModalRun on WM_DESTROY.
//
// If the build creates no window, nothing would ever post the quit message:
// the run skips steps 3 to 5. An exception from a step (exhausted memory)
// destroys the window, still ends with step 6, and is passed on.
#pragma once

#include <windows.h>

struct TModalWindow {
  // Creates the window and its controls (fonts first, through WindowChrome);
  // true when the top-level window exists.
  bool (*Build)();
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

void RunModalWindow(const TModalWindow& window);

// For WM_DESTROY of a modally run window: posts the quit message (exit code
// 0) that ends the loop.
void EndModalRun() noexcept;
