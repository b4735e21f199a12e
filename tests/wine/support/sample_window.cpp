#include "tests/wine/support/sample_window.h"

#include "plugin/library_state.h"
#include "ui/chrome.h"
#include "ui/drawing.h"
#include "ui/handles.h"
#include "ui/layout.h"
#include "ui/modal_run.h"
#include "ui/profile_loading.h"

HWND SampleWindow = nullptr;
std::string SampleProfilePath;

namespace {

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadio = BS_LEFT | BS_AUTORADIOBUTTON;

constexpr TControlRow kSampleRows[] = {
    {"button", "Направление", kGroupBox, 0, 16, 108, 242, 65, 0, TSlot::kGroupBox1, nullptr},
    {"button", kDirectionButtons[0].Caption, kRadio, 0, 24, 125, 225, 17,
     kDirectionButtons[0].Id, kDirectionButtons[0].Slot, nullptr},
    {"button", kDirectionButtons[1].Caption, kRadio, 0, 24, 145, 225, 17,
     kDirectionButtons[1].Id, kDirectionButtons[1].Slot, nullptr},
    {"button", "OK", BS_PUSHBUTTON, 0, 99, 241, 81, 27, kSampleOkId, TSlot::kOkButton, "BTNOK"},
    {"button", "Закрыть", BS_PUSHBUTTON, 0, 186, 241, 81, 27, kSampleCloseId,
     TSlot::kCancelButton, "BTNCANCEL"},
    {"button", "Инфо", BS_PUSHBUTTON, 0, 183, 71, 75, 27, kSampleInfoId, TSlot::kInfoButton,
     "BTNINFO"},
    {"button", "Учитывать регистр", BS_AUTOCHECKBOX, 0, 16, 183, 242, 17, kSampleCaseBoxId,
     TSlot::kCaseBox, nullptr},
    {"static", "Профиль замены:", SS_LEFT, 0, 16, 56, 161, 13, 0, TSlot::kProfileLabel, nullptr},
    {"combobox", "", CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 16, 75, 161, 21, kSampleProfileBoxId,
     TSlot::kProfileBox, nullptr},
    {"static", "", SS_ETCHEDHORZ, 0, 0, 103, kClientWidth, 2, 0, TSlot::kNone, nullptr},
};

LRESULT OnCreate() {
  WindowChrome.CreatePens();
  WindowChrome.LoadBannerBitmap(PluginModule);
  WindowChrome.CreateTitleFont();
  WindowChrome.CreateSmallFont();
  return 0;
}

LRESULT OnPaint(HWND window) {
  TPaintGuard paint(window);
  PatBlt(paint.dc(), 0, 0, kSampleWidth, 50, WHITENESS);
  DrawEtchedSeparator(paint.dc(), 50, kSampleWidth);
  DrawEtchedSeparator(paint.dc(), 236, kSampleWidth);
  DrawBitmapRightAligned(paint.dc(), kSampleWidth, 0, ControlTable.BannerBitmap);
  {
    TSelectGuard font(paint.dc(), ControlTable.TitleFont);
    TTextStyleGuard style(paint.dc(), RGB(128, 128, 128), 0, TRANSPARENT);
    TextOutA(paint.dc(), 16, 12, "Образец окна", 12);
  }
  DrawHostMark(paint.dc(), 15, 232);
  return 0;
}

std::string SelectedProfilePath() {
  char name[50] = {};
  GetWindowTextA(ControlTable.ProfileBox, name, sizeof(name));
  return PluginDir + "Plugins\\rep_profiles\\" + name;
}

LRESULT OnCommand(HWND window, int id, int notification) {
  switch (id) {
    case kSampleInfoId: ShowProfileInfo(SampleProfilePath, window); break;
    case kSampleProfileBoxId:
      if (notification == CBN_SELCHANGE) LoadProfile(SelectedProfilePath());
      break;
    case kSampleOkId:
    case kSampleCloseId:
      WindowChrome.DeletePens();
      DestroyWindow(window);
      break;
    default: break;
  }
  return 0;
}

LRESULT CALLBACK SampleWindowProc(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) noexcept {
  const auto by_default = [&] { return DefWindowProcA(window, message, wparam, lparam); };
  return GuardedWindowCall([&]() -> LRESULT {
    switch (message) {
      case WM_CREATE: OnCreate(); return by_default();
      case WM_PAINT: return OnPaint(window);
      case WM_COMMAND: return OnCommand(window, LOWORD(wparam), HIWORD(wparam));
      case WM_CLOSE: WindowChrome.DeletePens(); return by_default();
      case WM_DESTROY: EndModalRun(); return 0;
      case WM_NCDESTROY: WindowChrome.Release(); return by_default();
      default: return by_default();
    }
  });
}

bool BuildSampleWindow(const TUiHost& host) {
  WindowChrome.CreateDialogFont();
  SampleWindow = CreateTopLevelWindow(kSampleWindowClass, "Образец окна",
                                      WS_CAPTION | WS_SYSMENU, kSampleWidth, kSampleHeight,
                                      host.Window);
  if (!SampleWindow) return false;
  SendMessageA(SampleWindow, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  CreateControls(SampleWindow, kSampleRows, host.Module);
  FillProfileBox(ControlTable.ProfileBox, host.Catalogue);
  return true;
}

void SetSampleInitialState() {
  SendMessageA(ControlTable.DirectionButton[0], BM_SETCHECK, BST_CHECKED, 0);
  if (!SampleProfilePath.empty()) LoadProfile(SampleProfilePath);
}

}  // namespace

void RegisterSampleWindowClass() {
  WNDCLASSA sample{};
  sample.style = CS_HREDRAW | CS_VREDRAW;
  sample.lpfnWndProc = SampleWindowProc;
  sample.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  sample.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  sample.lpszClassName = kSampleWindowClass;
  RegisterClassA(&sample);
}

void RunSampleWindow() {
  // The plug-in's state as its entry points hand it to the windows.
  RunModalWindow(UiHost(), {BuildSampleWindow, SetSampleInitialState, &SampleWindow});
}
