#include "ui/text_window.h"

#include <string>

#include "engine/profile.h"
#include "plugin/library_state.h"
#include "ui/control_table.h"
#include "ui/conversion_scheduler.h"
#include "ui/drawing.h"
#include "ui/gdi_handles.h"
#include "ui/modal_run.h"
#include "ui/profile_loading.h"
#include "ui/text_layout.h"
#include "ui/window_chrome.h"
#include "ui/window_guard.h"

namespace {

// A catalogue name has at most 49 characters.
constexpr int kProfileNameMax = 49;

// The profile box's text: the selected name, empty when nothing is selected.
std::string SelectedProfileName() {
  char name[kProfileNameMax + 1] = {};
  GetWindowTextA(ControlTable.ProfileBox, name, sizeof(name));
  return name;
}

std::string SelectedProfilePath() { return ProfilePath(PluginDir, SelectedProfileName()); }

void StartConversion(HWND window) {
  Conversions.Request({window, ControlTable.SourceEdit, ControlTable.CaseBox,
                       ControlTable.DirectionButton[0], ControlTable.ResultEdit});
}

void SetTextWindowInitialState() {
  // CB_SETCURSEL and BM_SETCHECK send no notification: nothing converts
  // until the first change.
  SendMessageA(ControlTable.ProfileBox, CB_SETCURSEL, 0, 0);
  LoadProfile(SelectedProfilePath());
  SendMessageA(ControlTable.DirectionButton[0], BM_SETCHECK, BST_CHECKED, 0);
}

void OnCreate() {
  WindowChrome.CreatePens();
  WindowChrome.CreateSmallFont();
}

void OnPaint(HWND window) {
  TPaintGuard paint(window);
  DrawEtchedSeparator(paint.dc(), kTextSeparatorY, kTextWindowWidth);
  DrawHostMark(paint.dc(), kTextHostMarkX, kTextHostMarkY);
}

// False when the command ends without default processing.
bool OnCommand(HWND window, int id, int notification) {
  switch (id) {
    case kTextForwardId:
    case kTextReverseId:
    case kTextCaseBoxId: StartConversion(window); break;
    case kTextSourceId:
      if (notification == EN_CHANGE) StartConversion(window);
      break;
    case kTextProfileBoxId:
      if (notification == CBN_SELCHANGE) {
        LoadProfile(SelectedProfilePath());
        StartConversion(window);
      }
      break;
    case kTextInfoId: ShowProfileInfo(SelectedProfilePath(), window); break;
    case kTextCloseId:
      WindowChrome.DeletePens();
      DestroyWindow(window);
      return false;
    default: break;
  }
  return true;
}

void OnClose() { WindowChrome.DeletePens(); }

void OnDestroy() {
  // No worker may outlive the window: wait for the running one, answering
  // its messages, before the loop ends.
  Conversions.Shutdown();
  EndModalRun();
}

}  // namespace

void RunTextWindow() { RunModalWindow({BuildTextWindow, SetTextWindowInitialState, &TextWindow}); }

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) noexcept {
  const auto by_default = [&] { return DefWindowProcA(window, message, wparam, lparam); };
  return GuardedWindowCall([&]() -> LRESULT {
    switch (message) {
      case WM_CREATE: OnCreate(); return by_default();
      case WM_PAINT: OnPaint(window); return by_default();
      case WM_COMMAND:
        return OnCommand(window, LOWORD(wparam), HIWORD(wparam)) ? by_default() : 0;
      case kConversionFinishedMessage:
        Conversions.OnFinished(reinterpret_cast<const TReplaceThread*>(lparam));
        return 0;
      case WM_CLOSE: OnClose(); return by_default();
      case WM_DESTROY: OnDestroy(); return 0;
      // The controls are gone: the opening's fonts, pens and icons can go.
      case WM_NCDESTROY: WindowChrome.Release(); return by_default();
      default: return by_default();
    }
  });
}
