#include "ui/button_icon.h"

#include <commctrl.h>

#include "ui/gdi_handles.h"
#include "ui/window_chrome.h"

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
