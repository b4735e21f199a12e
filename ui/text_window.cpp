#include "ui/text_window.h"

#include <string>

#include "ui/chrome.h"
#include "ui/conversion.h"
#include "ui/handles.h"
#include "ui/layout.h"
#include "ui/modal_run.h"
#include "ui/profile_loading.h"

namespace {

// ---- Layout ------------------------------------------------------------------

constexpr char kCaption[] = "Транслит текста :: Модуль транслита";
// Title bar and dialog frame only: no system menu, hence no close, minimize
// or maximize box, and not sizable.
constexpr DWORD kStyle = WS_CAPTION;
constexpr int kWidth = 431;
constexpr int kHeight = 469;

// The etched separator above the Close button, and the host mark on it.
constexpr int kSeparatorY = 402;
constexpr POINT kHostMarkAt = {15, 398};

// Command IDs. The group boxes, the label and the result field have ID 0:
// nothing reacts to them.
enum TTextControlId : int {
  kForwardId = kForwardButtonId,  // 3
  kReverseId = kReverseButtonId,  // 4
  kCloseId = 7,
  kInfoId = 8,
  kProfileBoxId = 9,
  kSourceId = 10,
  kCaseBoxId = 11,
};

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadio = BS_LEFT | BS_AUTORADIOBUTTON;
// Both text fields wrap at the right edge and scroll down as text grows: a
// multi-line field without automatic scrolling refuses every character
// beyond the lines it can show, and a pasted paragraph would be cut short.
constexpr DWORD kTextField = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;

// clang-format off
constexpr TControlRow kRows[] = {
    // class     caption                        style            ex style          x    y    width         height id             slot                   icon
    {"button",   "Опции",                       kGroupBox,       0,                0,   0,   kClientWidth, 105,   0,             TSlot::kGroupBox1,     nullptr},
    {"button",   "Направление",                 kGroupBox,       0,                8,   40,  405,          37,    0,             TSlot::kGroupBox2,     nullptr},
    {"button",   kDirectionButtons[0].Caption,  kRadio,          0,                16,  55,  190,          17,    kForwardId,    TSlot::kDirectionButton0, nullptr},
    {"button",   kDirectionButtons[1].Caption,  kRadio,          0,                216, 55,  190,          17,    kReverseId,    TSlot::kDirectionButton1, nullptr},
    {"edit",     "",                            kTextField,      WS_EX_CLIENTEDGE, 0,   108, kClientWidth, 142,   kSourceId,     TSlot::kSourceEdit,    nullptr},
    {"edit",     "",                            kTextField,      WS_EX_CLIENTEDGE, 0,   253, kClientWidth, 144,   0,             TSlot::kResultEdit,    nullptr},
    {"button",   "Закрыть",                     BS_PUSHBUTTON,   0,                334, 407, 81,           27,    kCloseId,      TSlot::kCancelButton,  "BTNCANCEL"},
    {"button",   "Инфо",                        BS_PUSHBUTTON,   0,                338, 15,  75,           24,    kInfoId,       TSlot::kInfoButton,    "BTNINFO"},
    {"button",   "Учитывать регистр",           BS_AUTOCHECKBOX, 0,                8,   82,  405,          17,    kCaseBoxId,    TSlot::kCaseBox,       nullptr},
    {"static",   "Профиль замены:",             SS_LEFT,         0,                8,   20,  89,           13,    0,             TSlot::kProfileLabel,  nullptr},
    {"combobox", "",                            CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 103, 17,  229,          21,    kProfileBoxId, TSlot::kProfileBox,    nullptr},
};
// clang-format on

static_assert(kRows[2].Id == kDirectionButtons[0].Id && kRows[3].Id == kDirectionButtons[1].Id);

// ---- State -------------------------------------------------------------------

// The window's own state; the controls are in ControlTable and the window
// globals. Only one text window exists at a time.
struct TTextWindowState {
  TUiHost Host;  // of the run
  TConversionScheduler Conversions;
};
TTextWindowState State;

std::string SelectedPath() {
  return SelectedProfilePath(ControlTable.ProfileBox, State.Host.PluginDir);
}

// ---- Building and the initial state -------------------------------------------

// Creates DialogFont, the window (kept in TextWindow, owned by the host's
// window, centred on the screen, hidden) and its eleven controls, and lists
// the catalogue's names in the profile box in slot order.
bool Build(const TUiHost& host) {
  WindowChrome.CreateDialogFont();
  TextWindow =
      CreateTopLevelWindow(kTextWindowClass, kCaption, kStyle, kWidth, kHeight, host.Window);
  if (!TextWindow) return false;
  SendMessageA(TextWindow, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  CreateControls(TextWindow, kRows, host.Module);
  // A paste is taken whole, however long: an edit field's default limit of
  // about 30000 characters would cut a long text without a word.
  SendMessageA(ControlTable.SourceEdit, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(ControlTable.ResultEdit, EM_SETLIMITTEXT, 0, 0);
  FillProfileBox(ControlTable.ProfileBox, host.Catalogue);
  return true;
}

void SetInitialState() {
  // CB_SETCURSEL and BM_SETCHECK send no notification: nothing converts
  // until the first change.
  SendMessageA(ControlTable.ProfileBox, CB_SETCURSEL, 0, 0);
  LoadProfile(SelectedPath());
  SendMessageA(ControlTable.DirectionButton[0], BM_SETCHECK, BST_CHECKED, 0);
}

// ---- Handlers ----------------------------------------------------------------

void StartConversion(HWND window) {
  State.Conversions.Request({window, ControlTable.SourceEdit, ControlTable.CaseBox,
                             ControlTable.DirectionButton[0], ControlTable.ResultEdit});
}

void OnCreate() {
  WindowChrome.CreatePens();
  WindowChrome.CreateSmallFont();
}

void OnPaint(HWND window) {
  TPaintGuard paint(window);
  if (!paint.dc()) return;
  DrawEtchedSeparator(paint.dc(), kSeparatorY, kWidth);
  DrawHostMark(paint.dc(), kHostMarkAt.x, kHostMarkAt.y);
}

// False when the command ends without default processing.
bool OnCommand(HWND window, int id, int notification) {
  switch (id) {
    case kForwardId:
    case kReverseId:
    case kCaseBoxId:
      StartConversion(window);
      break;
    case kSourceId:
      if (notification == EN_CHANGE) StartConversion(window);
      break;
    case kProfileBoxId:
      if (notification == CBN_SELCHANGE) {
        LoadProfile(SelectedPath());
        StartConversion(window);
      }
      break;
    case kInfoId:
      ShowProfileInfo(SelectedPath(), window);
      break;
    case kCloseId:
      WindowChrome.DeletePens();
      DestroyWindow(window);
      return false;
    default:
      break;
  }
  return true;
}

void OnConversionFinished(LPARAM worker) {
  State.Conversions.OnFinished(reinterpret_cast<const TReplaceThread*>(worker));
}

void OnClose() { WindowChrome.DeletePens(); }

void OnDestroy() {
  // No worker may outlive the window: wait for the running one, answering
  // its messages, before the loop ends.
  State.Conversions.Shutdown();
  EndModalRun();
}

// The controls are gone: the opening's fonts, pens and icons can go.
void OnNcDestroy() { WindowChrome.Release(); }

}  // namespace

void RunTextWindow(const TUiHost& host) {
  State.Host = host;
  RunModalWindow(State.Host, {Build, SetInitialState, &TextWindow});
}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  const auto by_default = [&] { return DefWindowProcA(window, message, wparam, lparam); };
  return GuardedWindowCall([&]() -> LRESULT {
    switch (message) {
      case WM_CREATE:
        OnCreate();
        return by_default();
      case WM_PAINT:
        OnPaint(window);
        return by_default();
      case WM_COMMAND:
        return OnCommand(window, LOWORD(wparam), HIWORD(wparam)) ? by_default() : 0;
      case kConversionFinishedMessage:
        OnConversionFinished(lparam);
        return 0;
      case WM_CLOSE:
        OnClose();
        return by_default();
      case WM_DESTROY:
        OnDestroy();
        return 0;
      case WM_NCDESTROY:
        OnNcDestroy();
        return by_default();
      default:
        return by_default();
    }
  });
}
