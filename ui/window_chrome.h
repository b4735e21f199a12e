// The resources of one opening of a window: its fonts, pens, banner bitmap,
// button icons and the image lists of its icon buttons.
//
// Every build creates them anew through WindowChrome and they are released
// when the window goes: RunModalWindow releases them after its loop, and a
// window procedure may release them earlier at WM_NCDESTROY, when its
// controls are gone. Nothing is kept from one opening to the next. The raw
// handles are published in the ControlTable entries 9 to 14, so painting code
// reads them there; never pass those entries to DeleteObject: ask
// WindowChrome, which clears the entries as it releases.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/gdi_handles.h"

// Heights of the three Tahoma fonts, as character heights (negative).
inline constexpr int kDialogFontHeight = -11;
inline constexpr int kTitleFontHeight = -19;
inline constexpr int kSmallFontHeight = -8;
inline constexpr int kDarkPenPercent = 70;  // of the way from COLOR_BTNSHADOW to COLOR_BTNFACE

// "Tahoma" of the given height, weight 400, DEFAULT_CHARSET, everything else 0.
TUniqueFont CreateTahomaFont(int height) noexcept;

class TWindowChrome {
 public:
  // Each creates its object, replacing (and releasing) the previous one, and
  // stores the handle in its ControlTable entry.
  void CreateDialogFont() noexcept;  // entry 9: before the window is created
  void CreateTitleFont() noexcept;   // entry 10
  void CreateSmallFont() noexcept;   // entry 11
  void LoadBannerBitmap() noexcept;  // entry 12: bitmap "OPTBG" of the plug-in
  // Entries 13 and 14: DarkPen (BlendColor of COLOR_BTNSHADOW and
  // COLOR_BTNFACE, 70) and LightPen (COLOR_WINDOW), solid, 1 pixel.
  void CreatePens() noexcept;
  // Deletes both pens and clears their entries; a later release does not
  // delete them again.
  void DeletePens() noexcept;

  // Loads a 16x16 icon resource of the plug-in by name; the icon stays alive
  // until Release, as a button may draw it. Null when it cannot be loaded.
  HICON LoadButtonIcon(const char* name);
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
