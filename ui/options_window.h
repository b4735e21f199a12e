// The options dialog, window class TReplPrflWindow.
#pragma once

#include <windows.h>

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept;
