#include "ui/options_header.h"

#include <cstddef>

#include "plugin/version.h"
#include "ui/control_table.h"
#include "ui/drawing.h"
#include "ui/gdi_handles.h"
#include "ui/options_layout.h"

namespace {

constexpr int kBandHeight = 50;
constexpr int kUpperSeparatorY = 50;
constexpr int kLowerSeparatorY = 236;

constexpr char kTitle[] = "Транслит имени";
constexpr POINT kTitleAt = {16, 12};
constexpr COLORREF kTitleColor = RGB(128, 128, 128);

constexpr char kVersion[] = "Версия " TRANSLIT_VERSION_TEXT;
constexpr POINT kVersionAt = {134, 34};

constexpr POINT kHostMarkAt = {15, 232};

// sizeof counts the closing NUL.
template <std::size_t N>
void WriteText(HDC dc, POINT at, const char (&text)[N]) noexcept {
  TextOutA(dc, at.x, at.y, text, static_cast<int>(N - 1));
}

}  // namespace

void PaintOptionsWindow(HDC dc) noexcept {
  PatBlt(dc, 0, 0, kOptionsWidth, kBandHeight, WHITENESS);
  DrawEtchedSeparator(dc, kUpperSeparatorY, kOptionsWidth);
  DrawEtchedSeparator(dc, kLowerSeparatorY, kOptionsWidth);
  DrawBitmapRightAligned(dc, kOptionsWidth, 0, ControlTable.BannerBitmap);
  {
    TTextStyleGuard style(dc, kTitleColor, GetBkColor(dc), TRANSPARENT);
    {
      TSelectGuard font(dc, ControlTable.TitleFont);
      WriteText(dc, kTitleAt, kTitle);
    }
    TSelectGuard font(dc, ControlTable.SmallFont);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    WriteText(dc, kVersionAt, kVersion);
  }
  DrawHostMark(dc, kHostMarkAt.x, kHostMarkAt.y);
}
