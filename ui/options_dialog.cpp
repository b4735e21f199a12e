#include "ui/options_dialog.h"

#include <cstddef>
#include <iterator>

#include "engine/profile.h"
#include "ui/chrome.h"
#include "ui/drawing.h"
#include "ui/handles.h"
#include "ui/layout.h"
#include "ui/modal_run.h"
#include "ui/profile_loading.h"

namespace {

// ---- Layout ------------------------------------------------------------------

constexpr char kCaption[] = "Опции преобразования ";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr int kWidth = 283;
constexpr int kHeight = 303;

// Command IDs. The direction radio buttons use the IDs of kDirectionButtons
// (3 and 4); the label, the group box and the two check boxes have ID 0.
enum TOptionsControlId : int {
  kOkId = 1,
  kCancelId = 2,
  kInfoId = 5,
  kProfileBoxId = 6,
};

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadio = BS_LEFT | BS_AUTORADIOBUTTON;

// In creation order. No control is a tab stop and no push button a default
// button: the keyboard is the dialog's own key step (TranslateKey).
// clang-format off
constexpr TControlRow kRows[] = {
    // class     caption                          style            ex style          x    y    width height id                slot                      icon
    {"button",   "Направление",                   kGroupBox,       0,                16,  108, 242,  65,    0,                TSlot::kGroupBox1,        nullptr},
    {"button",   kDirectionButtons[0].Caption,    kRadio,          0,                24,  125, 225,  17,    kForwardButtonId, TSlot::kDirectionButton0, nullptr},
    {"button",   kDirectionButtons[1].Caption,    kRadio,          0,                24,  145, 225,  17,    kReverseButtonId, TSlot::kDirectionButton1, nullptr},
    {"button",   "OK",                            BS_PUSHBUTTON,   0,                99,  241, 81,   27,    kOkId,            TSlot::kOkButton,         "BTNOK"},
    {"button",   "Отмена",                        BS_PUSHBUTTON,   0,                186, 241, 81,   27,    kCancelId,        TSlot::kCancelButton,     "BTNCANCEL"},
    {"button",   "Инфо",                          BS_PUSHBUTTON,   0,                183, 71,  75,   27,    kInfoId,          TSlot::kInfoButton,       "BTNINFO"},
    {"button",   "Учитывать регистр",             BS_AUTOCHECKBOX, 0,                16,  183, 242,  17,    0,                TSlot::kCaseBox,          nullptr},
    {"button",   "Заменять и в разширении файла", BS_AUTOCHECKBOX, 0,                16,  204, 242,  17,    0,                TSlot::kExtensionBox,     nullptr},
    {"static",   "Профиль замены:",               SS_LEFT,         0,                16,  56,  161,  13,    0,                TSlot::kProfileLabel,     nullptr},
    {"combobox", "",                              CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 16,  75,  161,  21,    kProfileBoxId,    TSlot::kProfileBox,       nullptr},
};
// clang-format on

// The header: a white band with the title, the version and the banner, and
// the two etched separators with the host mark on the lower one.
constexpr int kBandHeight = 50;
constexpr int kUpperSeparatorY = 50;
constexpr int kLowerSeparatorY = 236;
constexpr char kTitle[] = "Транслит имени";
constexpr POINT kTitleAt = {16, 12};
constexpr COLORREF kTitleColor = RGB(128, 128, 128);
constexpr char kVersionPrefix[] = "Версия ";
constexpr POINT kVersionAt = {134, 34};
constexpr POINT kHostMarkAt = {15, 232};

// ---- State -------------------------------------------------------------------

// The dialog's own state; the controls are in ControlTable and the window
// globals. Only one dialog exists at a time.
struct TOptionsDialogState {
  TUiHost Host;  // of the run
  // The working copy of the options: filled before the dialog is built,
  // written only by OK, read after the dialog is gone.
  TDialogOptions Buffer;
  bool Accepted = false;  // closed with OK (false while open)
};
TOptionsDialogState Dialog;

std::string SelectedPath() {
  return SelectedProfilePath(ControlTable.ProfileBox, Dialog.Host.PluginDir);
}

// ---- Building and the initial state -------------------------------------------

// Creates DialogFont, the dialog (OptionsWindow; its WM_CREATE makes the rest
// of the opening's resources), sends it the font, creates the controls of
// the layout table in order and fills the profile box.
bool Build(const TUiHost& host) {
  WindowChrome.CreateDialogFont();
  OptionsWindow =
      CreateTopLevelWindow(kOptionsWindowClass, kCaption, kStyle, kWidth, kHeight, host.Window);
  if (!OptionsWindow) return false;
  SendMessageA(OptionsWindow, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  CreateControls(OptionsWindow, kRows, host.Module);
  FillProfileBox(ControlTable.ProfileBox, host.Catalogue);
  return true;
}

WPARAM CheckState(bool checked) { return checked ? BST_CHECKED : BST_UNCHECKED; }

// The controls show the buffer: the two switches, the direction, the first
// catalogue entry that begins with the name, regardless of case; then the
// profile of exactly that name labels the radio buttons, whatever was
// selected.
void SetInitialState() {
  const TDialogOptions& shown = Dialog.Buffer;
  SendMessageA(ControlTable.ExtensionBox, BM_SETCHECK, CheckState(shown.ReplaceInExtension), 0);
  SendMessageA(ControlTable.CaseBox, BM_SETCHECK, CheckState(shown.CaseSensitive), 0);
  SendMessageA(ControlTable.DirectionButton[shown.Reverse ? 1 : 0], BM_CLICK, 0, 0);
  SendMessageA(ControlTable.ProfileBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(shown.ProfileName.c_str()));
  LoadProfile(ProfilePath(Dialog.Host.PluginDir, shown.ProfileName));
}

// ---- Keys --------------------------------------------------------------------

// The focus order of Tab; Shift+Tab walks it backwards. Read at each key, as
// every opening creates the controls anew.
HWND* const kTabOrder[] = {
    &ControlTable.ProfileBox,
    &ControlTable.InfoButton,
    &ControlTable.DirectionButton[0],
    &ControlTable.DirectionButton[1],
    &ControlTable.CaseBox,
    &ControlTable.ExtensionBox,
    &OkButton,
    &CancelButton,
};
constexpr int kTabStops = static_cast<int>(std::size(kTabOrder));

bool InDialog(HWND window) {
  return OptionsWindow && window && (window == OptionsWindow || IsChild(OptionsWindow, window));
}

bool ListDropped() { return SendMessageA(ControlTable.ProfileBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool Pressed(int key) { return GetKeyState(key) < 0; }

// The control of the tab order that holds the focus (or contains it), -1
// for none.
int FocusPosition() {
  const HWND focus = GetFocus();
  for (int i = 0; i < kTabStops; ++i) {
    const HWND stop = *kTabOrder[i];
    if (stop && (stop == focus || IsChild(stop, focus))) return i;
  }
  return -1;
}

bool Focusable(HWND control) {
  return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

void MoveFocus(bool backwards) {
  int position = FocusPosition();
  if (position < 0) position = backwards ? 0 : kTabStops - 1;
  for (int step = 1; step <= kTabStops; ++step) {
    const int next = (position + (backwards ? kTabStops - step : step)) % kTabStops;
    if (Focusable(*kTabOrder[next])) {
      SetFocus(*kTabOrder[next]);
      return;
    }
  }
}

// A push button's command, as its click sends it.
void SendButtonCommand(int id, HWND button) {
  SendMessageA(OptionsWindow, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void Confirm() {
  const HWND focus = GetFocus();
  if (focus && focus == ControlTable.InfoButton) {
    SendButtonCommand(kInfoId, focus);
  } else if (focus && focus == CancelButton) {
    SendButtonCommand(kCancelId, focus);
  } else {
    SendButtonCommand(kOkId, OkButton);
  }
}

// The radio button with the focus, -1 for none.
int FocusedDirectionButton() {
  const HWND focus = GetFocus();
  for (int i = 0; i < 2; ++i) {
    if (focus && focus == ControlTable.DirectionButton[i]) return i;
  }
  return -1;
}

// Moves to the other radio button of the group and checks it: focus, then a
// click, which checks it, clears the other and notifies the dialog.
bool MoveAmongDirectionButtons() {
  const int current = FocusedDirectionButton();
  if (current < 0) return false;
  const HWND next = ControlTable.DirectionButton[1 - current];
  if (!Focusable(next)) return true;
  SetFocus(next);
  SendMessageA(next, BM_CLICK, 0, 0);
  return true;
}

bool OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      if (ListDropped()) return false;
      Confirm();
      return true;
    case VK_ESCAPE:
      if (ListDropped()) return false;
      SendButtonCommand(kCancelId, CancelButton);
      return true;
    case VK_TAB:
      MoveFocus(Pressed(VK_SHIFT));
      return true;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
      return MoveAmongDirectionButtons();
    default:
      return false;
  }
}

bool OnSystemKeyDown(WPARAM key, LPARAM flags) {
  if (key != VK_F4 || !(HIWORD(flags) & KF_ALTDOWN)) return false;
  SendMessageA(OptionsWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

// The dialog's keyboard. The dialog registers no hot keys and uses no
// dialog-message processing; its modal loop hands every message to this step
// before translating it, and only key presses aimed at the dialog or one of
// its controls are taken:
//  - Enter confirms as OK; on a focused push button (Инфо, OK, Отмена) it
//    presses that button, as in any dialog;
//  - Escape cancels as Cancel;
//  - Tab and Shift+Tab move the focus, wrapping, through the profile box,
//    Инфо, the two radio buttons, the two check boxes, OK and Cancel;
//  - on a radio button, the arrow keys move to the other one and check it;
//  - Alt+F4 closes the dialog as its close box does, whichever control has
//    the focus.
// While the profile box's list is dropped, Enter, Escape and the arrows stay
// the list's own (Enter and Escape close the list, not the dialog).
// Messages of other windows, the host's included, pass untouched. True when
// the message was a key of the dialog's and has been acted on: the loop then
// neither translates nor dispatches it.
bool TranslateKey(const MSG& message) {
  if (!InDialog(message.hwnd)) return false;
  switch (message.message) {
    case WM_KEYDOWN:
      return OnKeyDown(message.wParam);
    case WM_SYSKEYDOWN:
      return OnSystemKeyDown(message.wParam, message.lParam);
    default:
      return false;
  }
}

// ---- Handlers ----------------------------------------------------------------

void OnCreate() {
  WindowChrome.CreatePens();
  WindowChrome.LoadBannerBitmap(Dialog.Host.Module);
  WindowChrome.CreateTitleFont();
  WindowChrome.CreateSmallFont();
}

// sizeof counts the closing NUL.
template <std::size_t N>
void WriteText(HDC dc, POINT at, const char (&text)[N]) noexcept {
  TextOutA(dc, at.x, at.y, text, static_cast<int>(N - 1));
}

// The dialog's own drawing (the controls paint themselves), with the
// opening's fonts, pens and banner; what is missing (pens already deleted by
// a closing dialog) is left out.
void OnPaint(HWND window) {
  TPaintGuard paint(window);
  const HDC dc = paint.dc();
  if (!dc) return;
  PatBlt(dc, 0, 0, kWidth, kBandHeight, WHITENESS);
  DrawEtchedSeparator(dc, kUpperSeparatorY, kWidth);
  DrawEtchedSeparator(dc, kLowerSeparatorY, kWidth);
  DrawBitmapRightAligned(dc, kWidth, 0, ControlTable.BannerBitmap);
  {
    TTextStyleGuard style(dc, kTitleColor, GetBkColor(dc), TRANSPARENT);
    {
      TSelectGuard font(dc, ControlTable.TitleFont);
      WriteText(dc, kTitleAt, kTitle);
    }
    TSelectGuard font(dc, ControlTable.SmallFont);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::string version = kVersionPrefix + Dialog.Host.Version;
    TextOutA(dc, kVersionAt.x, kVersionAt.y, version.c_str(), static_cast<int>(version.size()));
  }
  DrawHostMark(dc, kHostMarkAt.x, kHostMarkAt.y);
}

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CloseDialog(HWND window) {
  WindowChrome.DeletePens();
  DestroyWindow(window);
}

// Reads the controls into the buffer and closes the dialog.
LRESULT OnOk(HWND window) {
  Dialog.Accepted = true;
  Dialog.Buffer.CaseSensitive = Checked(ControlTable.CaseBox);
  Dialog.Buffer.ReplaceInExtension = Checked(ControlTable.ExtensionBox);
  Dialog.Buffer.Reverse = !Checked(ControlTable.DirectionButton[0]);
  Dialog.Buffer.ProfileName = ProfileBoxText(ControlTable.ProfileBox);
  CloseDialog(window);
  return 1;
}

LRESULT OnCancel(HWND window) {
  CloseDialog(window);
  Dialog.Accepted = false;
  return 0;
}

// OK and Cancel answer the command themselves; Info, the profile box's
// selection and every other command (radio buttons, check boxes, other
// notifications of the profile box) end in default processing.
LRESULT OnCommand(HWND window, WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int notification = HIWORD(wparam);
  switch (id) {
    case kOkId:
      return OnOk(window);
    case kCancelId:
      return OnCancel(window);
    case kInfoId:
      ShowProfileInfo(SelectedPath(), OptionsWindow);
      break;
    case kProfileBoxId:
      if (notification == CBN_SELCHANGE) LoadProfile(SelectedPath());
      break;
    default:
      break;
  }
  return DefWindowProcA(window, WM_COMMAND, wparam, lparam);
}

void OnClose() { WindowChrome.DeletePens(); }

}  // namespace

bool RunOptionsDialog(const TUiHost& host, TDialogOptions& options) {
  Dialog.Host = host;
  Dialog.Buffer = options;
  Dialog.Accepted = false;
  RunModalWindow(Dialog.Host, {Build, SetInitialState, &OptionsWindow, TranslateKey});
  if (Dialog.Accepted) options = Dialog.Buffer;
  return Dialog.Accepted;
}

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  const auto by_default = [&] { return DefWindowProcA(window, message, wparam, lparam); };
  return GuardedWindowCall([&]() -> LRESULT {
    switch (message) {
      case WM_CREATE:
        OnCreate();
        return by_default();
      case WM_PAINT:
        OnPaint(window);
        return by_default();
      case WM_CLOSE:
        OnClose();
        return by_default();
      case WM_DESTROY:
        EndModalRun();
        return 0;
      case WM_COMMAND:
        return OnCommand(window, wparam, lparam);
      default:
        return by_default();
    }
  });
}
