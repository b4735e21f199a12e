// The options dialog, window class TReplPrflWindow: the user chooses a
// profile from the catalogue, the direction, and the two switches.
#pragma once

#include <windows.h>

#include <string>

#include "ui/host.h"

inline constexpr char kOptionsWindowClass[] = "TReplPrflWindow";

// What the dialog edits.
struct TDialogOptions {
  // Selects the first catalogue entry that begins with it, regardless of
  // case; the profile of exactly this name labels the direction buttons.
  std::string ProfileName;
  bool CaseSensitive = false;
  bool ReplaceInExtension = false;
  bool Reverse = false;  // direction 1: right terms are replaced by left terms
};

// Runs the dialog modally over options, on the calling (host's) thread, with
// the host's window disabled meanwhile. True when the user closed it with
// OK: options then hold what the controls showed (ProfileName the profile
// box's text, at most 49 characters). Otherwise (Cancel, the close box,
// Alt+F4, or no window) options are left as they were. Returns after the
// dialog has been destroyed.
bool RunOptionsDialog(const TUiHost& host, TDialogOptions& options);

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept;
