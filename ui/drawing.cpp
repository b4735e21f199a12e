#include "ui/drawing.h"

#include "ui/handles.h"

namespace {

// One channel: a + (b - a) * percent / 100, rounded half to even. Computed
// exactly in integers: a binary floating quotient such as 0.7 is not exact,
// and would move some halves off the half.
std::uint32_t BlendChannel(std::uint32_t a, std::uint32_t b, std::uint32_t percent) noexcept {
  const long scaled = static_cast<long>(a) * 100 +
                      (static_cast<long>(b) - static_cast<long>(a)) * static_cast<long>(percent);
  // scaled lies between 100 a and 100 b, so it is never negative.
  long whole = scaled / 100;
  const long rest = scaled % 100;
  if (rest > 50 || (rest == 50 && whole % 2 != 0)) ++whole;
  return static_cast<std::uint32_t>(whole);
}

}  // namespace

COLORREF BlendColor(COLORREF a, COLORREF b, std::uint8_t percent) noexcept {
  const std::uint32_t p = percent > 100 ? 100 : percent;
  COLORREF result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t channel = BlendChannel((a >> shift) & 0xFF, (b >> shift) & 0xFF, p);
    result |= channel << shift;
  }
  return result;
}

void DrawBitmapRightAligned(HDC dc, int right_edge, int top, HBITMAP bitmap) noexcept {
  TUniqueMemoryDC memory(CreateCompatibleDC(dc));
  if (!memory) return;
  TSelectGuard selected(memory.get(), bitmap);
  if (!selected.ok()) return;
  SetMapMode(memory.get(), GetMapMode(dc));

  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof(info), &info)) return;
  POINT size{info.bmWidth, info.bmHeight};
  DPtoLP(dc, &size, 1);
  POINT origin{0, 0};
  DPtoLP(memory.get(), &origin, 1);
  BitBlt(dc, right_edge - info.bmWidth - 6, top, size.x, size.y, memory.get(), origin.x, origin.y,
         SRCCOPY);
}
