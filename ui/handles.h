// Owners of the windows' drawing objects, and guards that undo a paint, a
// selection, a text style or a lock when they go out of scope. The owner
// template and the owners of files, searches, libraries, windows and threads
// are in engine/unique_handles.h; nothing else in ui/ or plugin/ releases a
// handle.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include "engine/unique_handles.h"

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }

using TUniqueFont = TUniqueAny<TNullInvalidTraits<HFONT, DeleteGdiObject>>;
using TUniquePen = TUniqueAny<TNullInvalidTraits<HPEN, DeleteGdiObject>>;
using TUniqueBitmap = TUniqueAny<TNullInvalidTraits<HBITMAP, DeleteGdiObject>>;
using TUniqueIcon = TUniqueAny<TNullInvalidTraits<HICON, DestroyIcon>>;
using TUniqueImageList = TUniqueAny<TNullInvalidTraits<HIMAGELIST, ImageList_Destroy>>;
// A memory device context from CreateCompatibleDC.
using TUniqueMemoryDC = TUniqueAny<TNullInvalidTraits<HDC, DeleteDC>>;

// A device context of a window (or of the screen, for a null window) taken
// with GetDC and given back with ReleaseDC.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint in the constructor; EndPaint in the destructor when BeginPaint
// gave a device context.
class TPaintGuard {
 public:
  explicit TPaintGuard(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintGuard() {
    if (dc_) EndPaint(window_, &paint_);
  }
  TPaintGuard(const TPaintGuard&) = delete;
  TPaintGuard& operator=(const TPaintGuard&) = delete;
  HDC dc() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a device context and selects back what it replaced.
// A failed selection (ok() false) restores nothing.
class TSelectGuard {
 public:
  TSelectGuard(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectGuard() {
    if (ok()) SelectObject(dc_, previous_);
  }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;
  bool ok() const noexcept { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Sets the text colour, background colour and background mode of a device
// context and restores the three when it goes.
class TTextStyleGuard {
 public:
  TTextStyleGuard(HDC dc, COLORREF text, COLORREF background, int mode) noexcept
      : dc_(dc),
        text_(SetTextColor(dc, text)),
        background_(SetBkColor(dc, background)),
        mode_(SetBkMode(dc, mode)) {}
  ~TTextStyleGuard() {
    SetTextColor(dc_, text_);
    SetBkColor(dc_, background_);
    SetBkMode(dc_, mode_);
  }
  TTextStyleGuard(const TTextStyleGuard&) = delete;
  TTextStyleGuard& operator=(const TTextStyleGuard&) = delete;

 private:
  HDC dc_;
  COLORREF text_;
  COLORREF background_;
  int mode_;
};

// An SRW lock held exclusively (writer) or shared (reader) for the guard's
// lifetime.
class TExclusiveLock {
 public:
  explicit TExclusiveLock(SRWLOCK& lock) noexcept : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~TExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
  TExclusiveLock(const TExclusiveLock&) = delete;
  TExclusiveLock& operator=(const TExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

class TSharedLock {
 public:
  explicit TSharedLock(SRWLOCK& lock) noexcept : lock_(lock) { AcquireSRWLockShared(&lock_); }
  ~TSharedLock() { ReleaseSRWLockShared(&lock_); }
  TSharedLock(const TSharedLock&) = delete;
  TSharedLock& operator=(const TSharedLock&) = delete;

 private:
  SRWLOCK& lock_;
};
