// Drawing helpers without state: the colour blend of the dark separator line
// and the right-aligned banner.
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
