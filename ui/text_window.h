// The text transliteration window, window class TTransTextWindow.
#pragma once

#include <windows.h>

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) noexcept;
