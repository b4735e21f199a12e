#include "ui/window_classes.h"

#include <windows.h>

#include "ui/options_dialog.h"
#include "ui/text_window.h"

namespace {

// Whether this load of the library owns the registration of each class.
bool OptionsClassRegistered = false;
bool TextClassRegistered = false;

bool RegisterWindowClass(const char* name, WNDPROC procedure) noexcept {
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.cbClsExtra = 0;
  window_class.cbWndExtra = 0;
  window_class.hInstance = nullptr;
  window_class.hIcon = nullptr;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszMenuName = nullptr;
  window_class.lpszClassName = name;
  return RegisterClassA(&window_class) != 0;
}

}  // namespace

bool RegisterOptionsWindowClass() noexcept {
  const bool registered = RegisterWindowClass(kOptionsWindowClass, OptionsWindowProc);
  OptionsClassRegistered = OptionsClassRegistered || registered;
  return registered;
}

bool RegisterTextWindowClass() noexcept {
  const bool registered = RegisterWindowClass(kTextWindowClass, TextWindowProc);
  TextClassRegistered = TextClassRegistered || registered;
  return registered;
}

void RegisterWindowClasses() noexcept {
  if (RegisterOptionsWindowClass()) RegisterTextWindowClass();
}

namespace {

// A class registered with a null module handle is kept under the handle of
// the process's main module.
bool UnregisterProcessClass(const char* name) noexcept {
  return UnregisterClassA(name, GetModuleHandleA(nullptr)) || UnregisterClassA(name, nullptr);
}

}  // namespace

void UnregisterWindowClasses() noexcept {
  if (TextClassRegistered && UnregisterProcessClass(kTextWindowClass)) {
    TextClassRegistered = false;
  }
  if (OptionsClassRegistered && UnregisterProcessClass(kOptionsWindowClass)) {
    OptionsClassRegistered = false;
  }
}
