// The options dialog. This file belongs to the options dialog's author; until
// the dialog is built, its class answers every message by default.
#include "ui/options_window.h"

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  return DefWindowProcA(window, message, wparam, lparam);
}
