// Windows laid out as data: each window's controls are one constant table of
// rows, created in table order by CreateControls. Also the centring rule and
// the creation of the two top-level windows.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/chrome.h"

// A width that stands for the width of the parent's client area.
inline constexpr int kClientWidth = -1;

// One control: window class, caption, style bits besides WS_CHILD and
// WS_VISIBLE, extended style, position and size in the parent's client area,
// control ID, where its handle is kept, and the icon resource of a push
// button with an image (or null).
struct TControlRow {
  const char* ClassName;
  const char* Caption;
  DWORD Style;
  DWORD ExStyle;
  int X, Y, Width, Height;
  int Id;
  TSlot Slot;
  const char* Icon;
};

// Creates one control of parent from a row, the way every control of both
// windows is made:
//  1. a child window with WS_CHILD | WS_VISIBLE | row.Style, the row's class,
//     caption, extended style, rectangle and ID, the plug-in's module handle
//     (module) and no creation parameter;
//  2. its handle stored at once in the row's slot;
//  3. for a row with an icon: the icon loaded from module (WindowChrome keeps it) and
//     put on the button with SetButtonIcon(button, icon, IMAGE_ICON, 16, 16);
//  4. WM_SETFONT with DialogFont (ControlTable entry 9), no redraw.
// client_width replaces a width of kClientWidth. Returns the control, null
// when it could not be created (its slot then holds null).
HWND CreateControl(HWND parent, const TControlRow& row, int client_width, HINSTANCE module);

// Creates the rows in order; kClientWidth is the width of parent's client
// rectangle.
void CreateControls(HWND parent, const TControlRow* rows, std::size_t count, HINSTANCE module);
template <std::size_t N>
void CreateControls(HWND parent, const TControlRow (&rows)[N], HINSTANCE module) {
  CreateControls(parent, rows, N, module);
}

// Left and top of a width x height window centred on a screen of
// screen_width x screen_height: W div 2 - w div 2, H div 2 - h div 2.
POINT CentredOrigin(int screen_width, int screen_height, int width, int height) noexcept;
// The same on the screen device's HORZRES x VERTRES.
POINT CentredOnScreen(int width, int height) noexcept;

// Creates one of the two top-level windows: the given class, caption, style
// and size, no extended style, centred on the screen, owned by the host's
// window, no menu, a null module handle and no creation parameter. It is not
// shown.
HWND CreateTopLevelWindow(const char* class_name, const char* caption, DWORD style, int width,
                          int height, HWND owner) noexcept;
