// What the two windows share at run time: the control table and the window
// globals, the table of the two direction buttons, the resources of one
// opening (fonts, pens, banner, button icons and their image lists), the
// icon beside a push button's caption, and the etched separator with the
// host mark.
//
// Only one of the two windows exists at a time, and every build fills the
// entries it uses anew. Everything here belongs to the user-interface thread;
// a conversion worker reaches the controls only by sending them messages.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/handles.h"
#include "ui/host.h"

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
  // 15 to 17 only have their place here. 15 points to the catalogue of the
  // host of the window that is open (set by each modal run). The engine
  // gives every run its own search/result pair (TReplacePair), so no shared
  // search or result string exists for 16 and 17 to point to: they stay null.
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
extern HWND GroupBox1;  // "Направление" in the options dialog, "Опции" in the text window
extern HWND GroupBox2;  // "Направление" in the text window

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

// Heights of the three Tahoma fonts, as character heights (negative).
inline constexpr int kDialogFontHeight = -11;
inline constexpr int kTitleFontHeight = -19;
inline constexpr int kSmallFontHeight = -8;
inline constexpr int kDarkPenPercent = 70;  // of the way from COLOR_BTNSHADOW to COLOR_BTNFACE

// "Tahoma" of the given height, weight 400, DEFAULT_CHARSET, everything else 0.
TUniqueFont CreateTahomaFont(int height) noexcept;

// The resources of one opening of a window. Every build creates them anew
// and they are released when the window goes: RunModalWindow releases them
// after its loop, and a window procedure may release them earlier at
// WM_NCDESTROY, when its controls are gone. Nothing is kept from one opening
// to the next. The raw handles are published in ControlTable entries 9 to
// 14, where painting code reads them; only this class releases them, and it
// clears the entries as it does.
class TWindowChrome {
 public:
  // Each creates its object, replacing (and releasing) the previous one, and
  // stores the handle in its ControlTable entry.
  void CreateDialogFont() noexcept;                  // entry 9: before the window is created
  void CreateTitleFont() noexcept;                   // entry 10
  void CreateSmallFont() noexcept;                   // entry 11
  void LoadBannerBitmap(HINSTANCE module) noexcept;  // entry 12: bitmap "OPTBG" of the module
  // Entries 13 and 14: DarkPen (BlendColor of COLOR_BTNSHADOW and
  // COLOR_BTNFACE, 70) and LightPen (COLOR_WINDOW), solid, 1 pixel.
  void CreatePens() noexcept;
  // Deletes both pens and clears their entries; a later release does not
  // delete them again.
  void DeletePens() noexcept;

  // Loads a 16x16 icon resource of the module by name; the icon stays alive
  // until Release, as a button may draw it. Null when it cannot be loaded.
  HICON LoadButtonIcon(HINSTANCE module, const char* name);
  // Keeps an image list that a button draws from until Release.
  void KeepImageList(TUniqueImageList list);

  // Releases everything above and clears ControlTable entries 9 to 14.
  void Release() noexcept;

 private:
  TUniqueFont dialog_font_;
  TUniqueFont title_font_;
  TUniqueFont small_font_;
  TUniqueBitmap banner_;
  TUniquePen dark_pen_;
  TUniquePen light_pen_;
  std::vector<TUniqueIcon> icons_;
  std::vector<TUniqueImageList> image_lists_;
};

// The one set of window resources: only one window is open at a time.
extern TWindowChrome WindowChrome;

// Puts image (image_type IMAGE_BITMAP 0 or IMAGE_ICON 1, width x height
// pixels) on a push button. The button gets an image list of five images for
// its five states (normal, hot, pressed, disabled, default), the disabled one
// blended 50 %, placed 10 pixels from the left edge. A button that refuses
// image lists (answers 0 to BCM_SETIMAGELIST) gets the plain image through
// BM_SETIMAGE instead, and the list is destroyed. Returns the button's answer;
// 0 without touching the button when image_type is 2 or more.
//
// The image list of an accepting button stays alive with the other
// resources of the opening (WindowChrome) until its window goes; the image
// itself stays the caller's.
std::int32_t SetButtonIcon(HWND button, HANDLE image, std::uint32_t image_type, int width,
                           int height);

// Two lines from x = 0 to x = width (the end point not drawn): DarkPen at y,
// LightPen at y + 1 (ControlTable entries 13 and 14). Pens already deleted by
// a closing window draw nothing.
void DrawEtchedSeparator(HDC dc, int y, int width) noexcept;

// The host's mark, 4 pixels above the lower separator, so that it interrupts
// the separator's lines.
inline constexpr char kHostMark[] = " QRM 2007 ";
// Writes the host mark at (x, y) with SmallFont (entry 11), text in
// COLOR_BTNSHADOW on an opaque COLOR_BTNFACE background. The device
// context's font, colours and background mode are restored afterwards.
void DrawHostMark(HDC dc, int x, int y) noexcept;
