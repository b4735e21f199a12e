// The text transliteration window. This file belongs to the text window's
// author; until the window is built, its class answers every message by
// default.
#include "ui/text_window.h"

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) noexcept {
  return DefWindowProcA(window, message, wparam, lparam);
}
