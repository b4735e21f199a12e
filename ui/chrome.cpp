#include "ui/chrome.h"

#include <commctrl.h>

#include <utility>

#include "ui/drawing.h"

TControlTable ControlTable = {};

HWND OptionsWindow = nullptr;
HWND TextWindow = nullptr;
HWND OkButton = nullptr;
HWND CancelButton = nullptr;
HWND GroupBox1 = nullptr;
HWND GroupBox2 = nullptr;

TWindowChrome WindowChrome;

HWND* SlotHandle(TSlot slot) noexcept {
  switch (slot) {
    case TSlot::kNone:
      return nullptr;
    case TSlot::kDirectionButton0:
      return &ControlTable.DirectionButton[0];
    case TSlot::kDirectionButton1:
      return &ControlTable.DirectionButton[1];
    case TSlot::kCaseBox:
      return &ControlTable.CaseBox;
    case TSlot::kExtensionBox:
      return &ControlTable.ExtensionBox;
    case TSlot::kSourceEdit:
      return &ControlTable.SourceEdit;
    case TSlot::kResultEdit:
      return &ControlTable.ResultEdit;
    case TSlot::kProfileBox:
      return &ControlTable.ProfileBox;
    case TSlot::kInfoButton:
      return &ControlTable.InfoButton;
    case TSlot::kProfileLabel:
      return &ControlTable.ProfileLabel;
    case TSlot::kOkButton:
      return &OkButton;
    case TSlot::kCancelButton:
      return &CancelButton;
    case TSlot::kGroupBox1:
      return &GroupBox1;
    case TSlot::kGroupBox2:
      return &GroupBox2;
  }
  return nullptr;
}

// ---- The resources of an opening ---------------------------------------------

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

void TWindowChrome::LoadBannerBitmap(HINSTANCE module) noexcept {
  banner_.reset(static_cast<HBITMAP>(LoadImageA(module, "OPTBG", IMAGE_BITMAP, 0, 0, 0)));
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

HICON TWindowChrome::LoadButtonIcon(HINSTANCE module, const char* name) {
  TUniqueIcon icon(static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, 16, 16, 0)));
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

// ---- Icon buttons ----------------------------------------------------------------

namespace {

void AppendImage(HIMAGELIST list, HANDLE image, std::uint32_t image_type) noexcept {
  if (image_type == IMAGE_ICON) {
    ImageList_ReplaceIcon(list, -1, static_cast<HICON>(image));
  } else {
    ImageList_Add(list, static_cast<HBITMAP>(image), nullptr);
  }
}

}  // namespace

std::int32_t SetButtonIcon(HWND button, HANDLE image, std::uint32_t image_type, int width,
                           int height) {
  if (image_type >= 2) return 0;

  TUniqueImageList list(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 0));
  // Images 0 to 2: normal, hot, pressed.
  for (int i = 0; i < 3; ++i) AppendImage(list.get(), image, image_type);
  // Image 3, disabled: image 0 blended half into the background.
  {
    TUniqueIcon disabled(ImageList_GetIcon(list.get(), 0, ILD_TRANSPARENT | ILD_BLEND50));
    if (disabled) ImageList_ReplaceIcon(list.get(), -1, disabled.get());
  }
  // Image 4: default button.
  AppendImage(list.get(), image, image_type);

  BUTTON_IMAGELIST settings{};
  settings.himl = list.get();
  settings.margin = RECT{10, 0, 0, 0};
  settings.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  const LRESULT accepted =
      SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&settings));
  if (accepted) {
    WindowChrome.KeepImageList(std::move(list));
    return static_cast<std::int32_t>(accepted);
  }

  list.reset();
  return static_cast<std::int32_t>(
      SendMessageA(button, BM_SETIMAGE, image_type, reinterpret_cast<LPARAM>(image)));
}

// ---- The etched separator and the host mark ------------------------------------

void DrawEtchedSeparator(HDC dc, int y, int width) noexcept {
  const struct {
    HPEN pen;
    int y;
  } lines[] = {{ControlTable.DarkPen, y}, {ControlTable.LightPen, y + 1}};
  for (const auto& line : lines) {
    if (!line.pen) continue;
    TSelectGuard pen(dc, line.pen);
    MoveToEx(dc, 0, line.y, nullptr);
    LineTo(dc, width, line.y);
  }
}

void DrawHostMark(HDC dc, int x, int y) noexcept {
  TSelectGuard font(dc, ControlTable.SmallFont);
  TTextStyleGuard style(dc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), OPAQUE);
  TextOutA(dc, x, y, kHostMark, sizeof(kHostMark) - 1);
}
