// Move-only owners for the GDI objects, icons, image lists and device
// contexts the windows create, and guards that undo a paint or a selection
// when they go out of scope. Each owner releases its handle with the one call
// that matches the call that made it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Handle, typename Release>
class TUniqueHandle {
 public:
  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~TUniqueHandle() { reset(); }

  TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  // Gives the handle up without releasing it.
  Handle release() noexcept { return std::exchange(handle_, nullptr); }
  // Releases the handle held and takes the new one.
  void reset(Handle handle = nullptr) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old) Release{}(old);
  }

 private:
  Handle handle_ = nullptr;
};

struct TDeleteGdiObject {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct TDestroyIcon {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct TDestroyImageList {
  void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};
struct TDeleteDC {
  void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

using TUniqueFont = TUniqueHandle<HFONT, TDeleteGdiObject>;
using TUniquePen = TUniqueHandle<HPEN, TDeleteGdiObject>;
using TUniqueBitmap = TUniqueHandle<HBITMAP, TDeleteGdiObject>;
using TUniqueIcon = TUniqueHandle<HICON, TDestroyIcon>;
using TUniqueImageList = TUniqueHandle<HIMAGELIST, TDestroyImageList>;
// A memory device context from CreateCompatibleDC.
using TUniqueMemoryDC = TUniqueHandle<HDC, TDeleteDC>;

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

// BeginPaint in the constructor, EndPaint in the destructor.
class TPaintGuard {
 public:
  explicit TPaintGuard(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintGuard() { EndPaint(window_, &paint_); }
  TPaintGuard(const TPaintGuard&) = delete;
  TPaintGuard& operator=(const TPaintGuard&) = delete;
  HDC dc() const noexcept { return dc_; }
  const PAINTSTRUCT& paint() const noexcept { return paint_; }

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
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
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
