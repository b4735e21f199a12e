#include "ui/options_keys.h"

#include <iterator>

#include "ui/control_table.h"
#include "ui/options_layout.h"

namespace {

// The focus order of Tab; Shift+Tab walks it backwards. Read at each key, as
// every opening creates the controls anew.
HWND* const kTabOrder[] = {
    &ControlTable.ProfileBox,   &ControlTable.InfoButton,   &ControlTable.DirectionButton[0],
    &ControlTable.DirectionButton[1], &ControlTable.CaseBox, &ControlTable.ExtensionBox,
    &OkButton,                  &CancelButton,
};
constexpr int kTabStops = static_cast<int>(std::size(kTabOrder));

bool InDialog(HWND window) {
  return OptionsWindow && window && (window == OptionsWindow || IsChild(OptionsWindow, window));
}

bool ListDropped() {
  return SendMessageA(ControlTable.ProfileBox, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

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
    SendButtonCommand(kOptionsInfoId, focus);
  } else if (focus && focus == CancelButton) {
    SendButtonCommand(kOptionsCancelId, focus);
  } else {
    SendButtonCommand(kOptionsOkId, OkButton);
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
      SendButtonCommand(kOptionsCancelId, CancelButton);
      return true;
    case VK_TAB: MoveFocus(Pressed(VK_SHIFT)); return true;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: return MoveAmongDirectionButtons();
    default: return false;
  }
}

bool OnSystemKeyDown(WPARAM key, LPARAM flags) {
  if (key != VK_F4 || !(HIWORD(flags) & KF_ALTDOWN)) return false;
  SendMessageA(OptionsWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

}  // namespace

bool TranslateOptionsKey(const MSG& message) {
  if (!InDialog(message.hwnd)) return false;
  switch (message.message) {
    case WM_KEYDOWN: return OnKeyDown(message.wParam);
    case WM_SYSKEYDOWN: return OnSystemKeyDown(message.wParam, message.lParam);
    default: return false;
  }
}
