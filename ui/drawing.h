// The painting both windows share: the colour blend of the dark separator
// line, the right-aligned banner, the etched separator and the host mark.
#pragma once

#include <windows.h>

#include <cstdint>

// The colour percent % of the way from a to b, channel by channel (red, green,
// blue), halves rounded to the even neighbour; percent above 100 counts as
// 100. The top bytes of a and b are ignored; that of the result is 0.
//   BlendColor(RGB(128,128,128), RGB(212,208,200), 70) == RGB(187,184,178)
COLORREF BlendColor(COLORREF a, COLORREF b, std::uint8_t percent) noexcept;

// Copies the bitmap into dc with its top at top and its right edge 6 pixels
// left of right_edge (a bitmap wider than that starts at a negative x and is
// clipped). Draws nothing when the bitmap cannot be selected.
void DrawBitmapRightAligned(HDC dc, int right_edge, int top, HBITMAP bitmap) noexcept;

// Two lines from x = 0 to x = width (the end point not drawn): DarkPen at y,
// LightPen at y + 1 (ControlTable entries 13 and 14).
void DrawEtchedSeparator(HDC dc, int y, int width) noexcept;

// The host's mark, 4 pixels above the lower separator, so that it interrupts
// the separator's lines.
inline constexpr char kHostMark[] = " QRM 2007 ";
// Writes the host mark at (x, y) with SmallFont (entry 11), text in
// COLOR_BTNSHADOW on an opaque COLOR_BTNFACE background. The device
// context's font, colours and background mode are restored afterwards.
void DrawHostMark(HDC dc, int x, int y) noexcept;
