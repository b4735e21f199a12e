// The handles the two windows share: the control table, the window globals
// and the table of the two direction buttons.
//
// Only one of the two windows exists at a time, and every build fills the
// entries it uses anew. Everything here belongs to the user-interface thread;
// a conversion worker reaches the controls only by sending them messages.
#pragma once

#include <windows.h>

#include <cstddef>

#include "plugin/library_state.h"

// Nineteen consecutive entries: 0 to 17 are 32-bit handles or pointers,
// 18 is the modal loop's message record. The numbering is fixed: a direction
// (0 forward, 1 reverse) indexes its own radio button in entries 0 and 1.
struct TControlTable {
  HWND DirectionButton[2];  // 0, 1: radio buttons of directions 0 and 1
  HWND CaseBox;             // 2: check box "Учитывать регистр"
  HWND ExtensionBox;        // 3: check box of the extension (options dialog)
  HWND SourceEdit;          // 4: source field (text window)
  HWND ResultEdit;          // 5: result field (text window)
  HWND ProfileBox;          // 6: profile combo box; gets the focus at opening
  HWND InfoButton;          // 7: push button "Инфо"
  HWND ProfileLabel;        // 8: label "Профиль замены:"
  HFONT DialogFont;         // 9: Tahoma -11, every control and both windows
  HFONT TitleFont;          // 10: Tahoma -19, title of the options dialog
  HFONT SmallFont;          // 11: Tahoma -8, version line and host mark
  HBITMAP BannerBitmap;     // 12: "OPTBG", header of the options dialog
  HPEN DarkPen;             // 13: dark line of the etched separator
  HPEN LightPen;            // 14: light line of the etched separator
  // 15 to 17 are kept elsewhere and only have their place here. 15 points to
  // the catalogue that initialize builds. The engine gives every run its own
  // search/result pair (TReplacePair), so no shared search or result string
  // exists for 16 and 17 to point to: they stay null.
  const TProfileCatalogue* Catalogue;  // 15
  const void* SearchText;              // 16: always null
  const void* ResultText;              // 17: always null
  MSG LoopMessage;                     // 18: the modal loop's current message
};

static_assert(offsetof(TControlTable, DirectionButton) == 0 * 4);
static_assert(offsetof(TControlTable, ProfileBox) == 6 * 4);
static_assert(offsetof(TControlTable, DialogFont) == 9 * 4);
static_assert(offsetof(TControlTable, LightPen) == 14 * 4);
static_assert(offsetof(TControlTable, Catalogue) == 15 * 4);
static_assert(offsetof(TControlTable, LoopMessage) == 18 * 4);

extern TControlTable ControlTable;

// Window globals, each null until first set. OptionsWindow and TextWindow
// keep their values after their windows are gone; nothing may use a stale
// one as the owner of a window or a message box.
extern HWND OptionsWindow;
extern HWND TextWindow;
extern HWND OkButton;      // the options dialog's OK
extern HWND CancelButton;  // the options dialog's Cancel, the text window's Close
extern HWND GroupBox1;     // "Направление" in the options dialog, "Опции" in the text window
extern HWND GroupBox2;     // "Направление" in the text window

// Where a control's handle is stored as soon as it is created.
enum class TSlot {
  kNone,  // kept nowhere (the caller finds it by its ID if it needs it)
  kDirectionButton0,
  kDirectionButton1,
  kCaseBox,
  kExtensionBox,
  kSourceEdit,
  kResultEdit,
  kProfileBox,
  kInfoButton,
  kProfileLabel,
  kOkButton,
  kCancelButton,
  kGroupBox1,
  kGroupBox2,
};

// The variable behind a slot; null for TSlot::kNone.
HWND* SlotHandle(TSlot slot) noexcept;

// Command IDs of the two direction radio buttons, the same in both windows.
enum TDirectionButtonId : int {
  kForwardButtonId = 3,
  kReverseButtonId = 4,
};

// The two radio buttons: row i is direction i, kept in ControlTable entry i.
struct TDirectionButtonRow {
  int Id;
  const char* Caption;  // until a loaded profile names the directions
  TSlot Slot;
};
inline constexpr TDirectionButtonRow kDirectionButtons[2] = {
    {kForwardButtonId, "прямое", TSlot::kDirectionButton0},
    {kReverseButtonId, "обратное", TSlot::kDirectionButton1},
};
