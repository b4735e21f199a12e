#include "ui/window_chrome.h"

#include "plugin/library_state.h"
#include "ui/control_table.h"
#include "ui/drawing.h"

TWindowChrome WindowChrome;

TUniqueFont CreateTahomaFont(int height) noexcept {
  return TUniqueFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 0, 0, 0, 0, "Tahoma"));
}

void TWindowChrome::CreateDialogFont() noexcept {
  dialog_font_ = CreateTahomaFont(kDialogFontHeight);
  ControlTable.DialogFont = dialog_font_.get();
}

void TWindowChrome::CreateTitleFont() noexcept {
  title_font_ = CreateTahomaFont(kTitleFontHeight);
  ControlTable.TitleFont = title_font_.get();
}

void TWindowChrome::CreateSmallFont() noexcept {
  small_font_ = CreateTahomaFont(kSmallFontHeight);
  ControlTable.SmallFont = small_font_.get();
}

void TWindowChrome::LoadBannerBitmap() noexcept {
  banner_.reset(static_cast<HBITMAP>(LoadImageA(PluginModule, "OPTBG", IMAGE_BITMAP, 0, 0, 0)));
  ControlTable.BannerBitmap = banner_.get();
}

void TWindowChrome::CreatePens() noexcept {
  const COLORREF dark =
      BlendColor(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), kDarkPenPercent);
  dark_pen_.reset(CreatePen(PS_SOLID, 1, dark));
  light_pen_.reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOW)));
  ControlTable.DarkPen = dark_pen_.get();
  ControlTable.LightPen = light_pen_.get();
}

void TWindowChrome::DeletePens() noexcept {
  ControlTable.DarkPen = nullptr;
  ControlTable.LightPen = nullptr;
  dark_pen_.reset();
  light_pen_.reset();
}

HICON TWindowChrome::LoadButtonIcon(const char* name) {
  TUniqueIcon icon(static_cast<HICON>(LoadImageA(PluginModule, name, IMAGE_ICON, 16, 16, 0)));
  if (!icon) return nullptr;
  icons_.push_back(std::move(icon));
  return icons_.back().get();
}

void TWindowChrome::KeepImageList(TUniqueImageList list) {
  if (list) image_lists_.push_back(std::move(list));
}

void TWindowChrome::Release() noexcept {
  ControlTable.DialogFont = nullptr;
  ControlTable.TitleFont = nullptr;
  ControlTable.SmallFont = nullptr;
  ControlTable.BannerBitmap = nullptr;
  DeletePens();
  dialog_font_.reset();
  title_font_.reset();
  small_font_.reset();
  banner_.reset();
  // Image lists before the icons they were made from.
  image_lists_.clear();
  icons_.clear();
}
