#include "ui/text_layout.h"

#include <cstddef>

#include "plugin/library_state.h"
#include "ui/layout.h"
#include "ui/window_chrome.h"
#include "ui/window_classes.h"

namespace {

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadio = BS_LEFT | BS_AUTORADIOBUTTON;
// Both text fields wrap at the right edge and scroll down as text grows: a
// multi-line field without automatic scrolling refuses every character
// beyond the lines it can show, and a pasted paragraph would be cut short.
constexpr DWORD kTextField = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;

constexpr TControlRow kTextWindowRows[] = {
    {"button", "Опции", kGroupBox, 0, 0, 0, kClientWidth, 105, 0, TSlot::kGroupBox1, nullptr},
    {"button", "Направление", kGroupBox, 0, 8, 40, 405, 37, 0, TSlot::kGroupBox2, nullptr},
    {"button", kDirectionButtons[0].Caption, kRadio, 0, 16, 55, 190, 17, kDirectionButtons[0].Id,
     kDirectionButtons[0].Slot, nullptr},
    {"button", kDirectionButtons[1].Caption, kRadio, 0, 216, 55, 190, 17, kDirectionButtons[1].Id,
     kDirectionButtons[1].Slot, nullptr},
    {"edit", "", kTextField, WS_EX_CLIENTEDGE, 0, 108, kClientWidth, 142, kTextSourceId,
     TSlot::kSourceEdit, nullptr},
    {"edit", "", kTextField, WS_EX_CLIENTEDGE, 0, 253, kClientWidth, 144, 0, TSlot::kResultEdit,
     nullptr},
    {"button", "Закрыть", BS_PUSHBUTTON, 0, 334, 407, 81, 27, kTextCloseId, TSlot::kCancelButton,
     "BTNCANCEL"},
    {"button", "Инфо", BS_PUSHBUTTON, 0, 338, 15, 75, 24, kTextInfoId, TSlot::kInfoButton,
     "BTNINFO"},
    {"button", "Учитывать регистр", BS_AUTOCHECKBOX, 0, 8, 82, 405, 17, kTextCaseBoxId,
     TSlot::kCaseBox, nullptr},
    {"static", "Профиль замены:", SS_LEFT, 0, 8, 20, 89, 13, 0, TSlot::kProfileLabel, nullptr},
    {"combobox", "", CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 103, 17, 229, 21, kTextProfileBoxId,
     TSlot::kProfileBox, nullptr},
};

void FillProfileBox() {
  for (std::int32_t i = 0; i < ProfileCatalogue.Count; ++i) {
    const ProfileSlot& name = ProfileCatalogue.Slots[static_cast<std::size_t>(i)];
    SendMessageA(ControlTable.ProfileBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.data()));
  }
}

}  // namespace

bool BuildTextWindow() {
  WindowChrome.CreateDialogFont();
  TextWindow = CreateTopLevelWindow(kTextWindowClass, kTextWindowCaption, kTextWindowStyle,
                                    kTextWindowWidth, kTextWindowHeight);
  if (!TextWindow) return false;
  SendMessageA(TextWindow, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  CreateControls(TextWindow, kTextWindowRows);
  // A paste is taken whole, however long: an edit field's default limit of
  // about 30000 characters would cut a long text without a word.
  SendMessageA(ControlTable.SourceEdit, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(ControlTable.ResultEdit, EM_SETLIMITTEXT, 0, 0);
  FillProfileBox();
  return TextWindow != nullptr;
}
