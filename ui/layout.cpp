#include "ui/layout.h"

#include "ui/handles.h"

HWND CreateControl(HWND parent, const TControlRow& row, int client_width, HINSTANCE module) {
  const int width = row.Width == kClientWidth ? client_width : row.Width;
  HWND control =
      CreateWindowExA(row.ExStyle, row.ClassName, row.Caption, WS_CHILD | WS_VISIBLE | row.Style,
                      row.X, row.Y, width, row.Height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)), module, nullptr);
  if (HWND* slot = SlotHandle(row.Slot)) *slot = control;
  if (!control) return nullptr;
  if (row.Icon) {
    if (HICON icon = WindowChrome.LoadButtonIcon(module, row.Icon)) {
      SetButtonIcon(control, icon, IMAGE_ICON, 16, 16);
    }
  }
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  return control;
}

void CreateControls(HWND parent, const TControlRow* rows, std::size_t count, HINSTANCE module) {
  RECT client{};
  GetClientRect(parent, &client);
  for (std::size_t i = 0; i < count; ++i) {
    CreateControl(parent, rows[i], client.right - client.left, module);
  }
}

POINT CentredOrigin(int screen_width, int screen_height, int width, int height) noexcept {
  return POINT{screen_width / 2 - width / 2, screen_height / 2 - height / 2};
}

POINT CentredOnScreen(int width, int height) noexcept {
  TWindowDC screen(nullptr);
  return CentredOrigin(GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES),
                       width, height);
}

HWND CreateTopLevelWindow(const char* class_name, const char* caption, DWORD style, int width,
                          int height, HWND owner) noexcept {
  const POINT origin = CentredOnScreen(width, height);
  return CreateWindowExA(0, class_name, caption, style, origin.x, origin.y, width, height, owner,
                         nullptr, nullptr, nullptr);
}
