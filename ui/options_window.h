// The options dialog, window class TReplPrflWindow: its window procedure and
// the working copy of the record it edits.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin/plugin_api.h"

// The record the dialog edits. showOptions fills it before the dialog is
// built; only OK writes it; showOptions reads it after the dialog is gone.
extern TReplOptions DialogBuffer;
// 1 when the dialog was closed with OK, 0 otherwise (and while it is open).
extern std::int32_t DialogAccepted;

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept;
