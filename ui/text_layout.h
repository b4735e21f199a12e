// The text window's layout: its size and caption, its control IDs, the one
// table its controls are made from, and the build that creates them.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

inline constexpr char kTextWindowCaption[] = "Транслит текста :: Модуль транслита";
// Title bar and dialog frame only: no system menu, hence no close, minimize
// or maximize box, and not sizable.
inline constexpr DWORD kTextWindowStyle = WS_CAPTION;
inline constexpr int kTextWindowWidth = 431;
inline constexpr int kTextWindowHeight = 469;

// The etched separator above the Close button, and the host mark on it.
inline constexpr int kTextSeparatorY = 402;
inline constexpr int kTextHostMarkX = 15;
inline constexpr int kTextHostMarkY = 398;

// Command IDs. The group boxes, the label and the result field have ID 0:
// nothing reacts to them.
enum TTextControlId : int {
  kTextForwardId = kForwardButtonId,  // 3
  kTextReverseId = kReverseButtonId,  // 4
  kTextCloseId = 7,
  kTextInfoId = 8,
  kTextProfileBoxId = 9,
  kTextSourceId = 10,
  kTextCaseBoxId = 11,
};

// Creates DialogFont, the window (kept in TextWindow, owned by HostWindow,
// centred on the screen, hidden) and its eleven controls, and lists the
// catalogue's names in the profile box in slot order. True when the window
// exists.
bool BuildTextWindow();
