#include "ui/options_window.h"

#include <cstring>
#include <string>

#include "engine/profile.h"
#include "plugin/library_state.h"
#include "ui/control_table.h"
#include "ui/gdi_handles.h"
#include "ui/modal_run.h"
#include "ui/options_header.h"
#include "ui/options_layout.h"
#include "ui/profile_loading.h"
#include "ui/window_chrome.h"
#include "ui/window_guard.h"

TReplOptions DialogBuffer = {};
std::int32_t DialogAccepted = 0;

namespace {

// The profile box's text, at most 49 characters (49 and the NUL: what a
// ProfileName field holds); empty without a selection.
std::string ProfileBoxText() {
  char text[sizeof(TReplOptions::ProfileName)] = {};
  const int length = GetWindowTextA(ControlTable.ProfileBox, text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string SelectedProfilePath() { return ProfilePath(PluginDir, ProfileBoxText()); }

std::uint8_t CheckedByte(HWND button) {
  return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CloseDialog(HWND window) {
  WindowChrome.DeletePens();
  DestroyWindow(window);
}

void OnCreate() {
  WindowChrome.CreatePens();
  WindowChrome.LoadBannerBitmap();
  WindowChrome.CreateTitleFont();
  WindowChrome.CreateSmallFont();
}

void OnPaint(HWND window) {
  TPaintGuard paint(window);
  PaintOptionsWindow(paint.dc());
}

// Reads the controls into DialogBuffer and closes the dialog. The name is
// written with its NUL; the bytes after it keep what they held.
LRESULT OnOk(HWND window) {
  DialogAccepted = 1;
  DialogBuffer.CaseSensitive = CheckedByte(ControlTable.CaseBox);
  DialogBuffer.ReplaceInExtension = CheckedByte(ControlTable.ExtensionBox);
  DialogBuffer.Direction = CheckedByte(ControlTable.DirectionButton[0]) ? 0 : 1;
  const std::string name = ProfileBoxText();
  std::memcpy(DialogBuffer.ProfileName, name.c_str(), name.size() + 1);
  CloseDialog(window);
  return 1;
}

LRESULT OnCancel(HWND window) {
  CloseDialog(window);
  DialogAccepted = 0;
  return 0;
}

// OK and Cancel answer the command themselves; Info, the profile box's
// selection and every other command (radio buttons, check boxes, other
// notifications of the profile box) end in default processing.
LRESULT OnCommand(HWND window, WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int notification = HIWORD(wparam);
  switch (id) {
    case kOptionsOkId: return OnOk(window);
    case kOptionsCancelId: return OnCancel(window);
    case kOptionsInfoId: ShowProfileInfo(SelectedProfilePath(), OptionsWindow); break;
    case kOptionsProfileBoxId:
      if (notification == CBN_SELCHANGE) LoadProfile(SelectedProfilePath());
      break;
    default: break;
  }
  return DefWindowProcA(window, WM_COMMAND, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  const auto by_default = [&] { return DefWindowProcA(window, message, wparam, lparam); };
  return GuardedWindowCall([&]() -> LRESULT {
    switch (message) {
      case WM_CREATE: OnCreate(); return by_default();
      case WM_PAINT: OnPaint(window); return by_default();
      case WM_CLOSE: WindowChrome.DeletePens(); return by_default();
      case WM_DESTROY: EndModalRun(); return 0;
      case WM_COMMAND: return OnCommand(window, wparam, lparam);
      default: return by_default();
    }
  });
}
