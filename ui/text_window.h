// The text transliteration window, window class TTransTextWindow: text
// typed into the source field is transliterated live into the result field
// by the loaded profile, in either direction, with or without regard to
// letter case. Conversions run on workers (ui/conversion.h); the window
// procedure never runs the engine.
#pragma once

#include <windows.h>

#include "ui/host.h"

inline constexpr char kTextWindowClass[] = "TTransTextWindow";

// Runs the window modally on the calling (host's) thread: disables the
// host's window, builds the window, selects and loads the first profile of
// the catalogue, checks the forward button, shows the window with the focus
// on the profile box, and dispatches messages until the window is destroyed;
// then enables the host's window and brings it to the front. Both fields
// start empty and the first conversion starts with the first change.
void RunTextWindow(const TUiHost& host);

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
