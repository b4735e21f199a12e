// The options dialog's window and controls: their IDs, the dialog's size and
// caption, the constant layout table, and the build that creates them.
#pragma once

#include <windows.h>

// Command IDs of the dialog's controls. The direction radio buttons use the
// IDs of kDirectionButtons (3 and 4); the label, the group box and the two
// check boxes have ID 0.
enum TOptionsControlId : int {
  kOptionsOkId = 1,
  kOptionsCancelId = 2,
  kOptionsInfoId = 5,
  kOptionsProfileBoxId = 6,
};

inline constexpr int kOptionsWidth = 283;
inline constexpr int kOptionsHeight = 303;
inline constexpr DWORD kOptionsStyle = WS_CAPTION | WS_SYSMENU;
inline constexpr char kOptionsCaption[] = "Опции преобразования ";

// Creates DialogFont, the dialog (OptionsWindow; its WM_CREATE makes the rest
// of the opening's resources), sends it the font, creates the controls of
// the layout table in order and fills the profile box with the catalogue
// names, slot 0 first, unsorted. True when the dialog window exists.
bool BuildOptionsWindow();
