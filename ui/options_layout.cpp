#include "ui/options_layout.h"

#include <cstddef>

#include "plugin/library_state.h"
#include "ui/control_table.h"
#include "ui/layout.h"
#include "ui/window_chrome.h"
#include "ui/window_classes.h"

namespace {

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadioButton = BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kPushButton = BS_PUSHBUTTON;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX;

// In creation order. No control is a tab stop and no push button a default
// button: the keyboard is handled by the dialog's own key step.
constexpr TControlRow kOptionsRows[] = {
    {"button", "Направление", kGroupBox, 0, 16, 108, 242, 65, 0, TSlot::kGroupBox1, nullptr},
    {"button", kDirectionButtons[0].Caption, kRadioButton, 0, 24, 125, 225, 17,
     kDirectionButtons[0].Id, kDirectionButtons[0].Slot, nullptr},
    {"button", kDirectionButtons[1].Caption, kRadioButton, 0, 24, 145, 225, 17,
     kDirectionButtons[1].Id, kDirectionButtons[1].Slot, nullptr},
    {"button", "OK", kPushButton, 0, 99, 241, 81, 27, kOptionsOkId, TSlot::kOkButton, "BTNOK"},
    {"button", "Отмена", kPushButton, 0, 186, 241, 81, 27, kOptionsCancelId, TSlot::kCancelButton,
     "BTNCANCEL"},
    {"button", "Инфо", kPushButton, 0, 183, 71, 75, 27, kOptionsInfoId, TSlot::kInfoButton,
     "BTNINFO"},
    {"button", "Учитывать регистр", kCheckBox, 0, 16, 183, 242, 17, 0, TSlot::kCaseBox, nullptr},
    {"button", "Заменять и в разширении файла", kCheckBox, 0, 16, 204, 242, 17, 0,
     TSlot::kExtensionBox, nullptr},
    {"static", "Профиль замены:", SS_LEFT, 0, 16, 56, 161, 13, 0, TSlot::kProfileLabel, nullptr},
    {"combobox", "", CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 16, 75, 161, 21, kOptionsProfileBoxId,
     TSlot::kProfileBox, nullptr},
};

void FillProfileBox() {
  const auto count = static_cast<std::size_t>(ProfileCatalogue.Count);
  for (std::size_t i = 0; i < count && i < ProfileCatalogue.Slots.size(); ++i) {
    SendMessageA(ControlTable.ProfileBox, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ProfileCatalogue.Slots[i].data()));
  }
}

}  // namespace

bool BuildOptionsWindow() {
  WindowChrome.CreateDialogFont();
  OptionsWindow = CreateTopLevelWindow(kOptionsWindowClass, kOptionsCaption, kOptionsStyle,
                                       kOptionsWidth, kOptionsHeight);
  if (!OptionsWindow) return false;
  SendMessageA(OptionsWindow, WM_SETFONT, reinterpret_cast<WPARAM>(ControlTable.DialogFont), 0);
  CreateControls(OptionsWindow, kOptionsRows);
  FillProfileBox();
  return true;
}
