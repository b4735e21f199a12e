#include "ui/control_table.h"

TControlTable ControlTable = {
    {nullptr, nullptr}, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr,            nullptr, nullptr, nullptr, nullptr, nullptr, &ProfileCatalogue,
    nullptr,            nullptr, MSG{},
};

HWND OptionsWindow = nullptr;
HWND TextWindow = nullptr;
HWND OkButton = nullptr;
HWND CancelButton = nullptr;
HWND GroupBox1 = nullptr;
HWND GroupBox2 = nullptr;

HWND* SlotHandle(TSlot slot) noexcept {
  switch (slot) {
    case TSlot::kNone: return nullptr;
    case TSlot::kDirectionButton0: return &ControlTable.DirectionButton[0];
    case TSlot::kDirectionButton1: return &ControlTable.DirectionButton[1];
    case TSlot::kCaseBox: return &ControlTable.CaseBox;
    case TSlot::kExtensionBox: return &ControlTable.ExtensionBox;
    case TSlot::kSourceEdit: return &ControlTable.SourceEdit;
    case TSlot::kResultEdit: return &ControlTable.ResultEdit;
    case TSlot::kProfileBox: return &ControlTable.ProfileBox;
    case TSlot::kInfoButton: return &ControlTable.InfoButton;
    case TSlot::kProfileLabel: return &ControlTable.ProfileLabel;
    case TSlot::kOkButton: return &OkButton;
    case TSlot::kCancelButton: return &CancelButton;
    case TSlot::kGroupBox1: return &GroupBox1;
    case TSlot::kGroupBox2: return &GroupBox2;
  }
  return nullptr;
}
