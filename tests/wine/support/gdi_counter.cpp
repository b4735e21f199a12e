#include "tests/wine/support/gdi_counter.h"

#include <commctrl.h>

#include <sstream>
#include <stdexcept>
#include <vector>

#include "tests/wine/support/pe_image.h"

namespace {

GdiCounter* Active = nullptr;

void Track(HANDLE handle, GdiKind kind) {
  if (Active && handle) Active->NoteCreated(handle, kind);
}
// The kind recorded at creation counts: a deleted object's type can no
// longer be asked for.
void Untrack(HANDLE handle) {
  if (Active && handle) Active->NoteReleased(handle);
}

// The original functions, filled when the imports are patched. A hook is
// only ever reached through a patched import, so its original is set.
struct Originals {
  decltype(&CreateFontA) create_font;
  decltype(&CreateFontIndirectA) create_font_indirect;
  decltype(&CreatePen) create_pen;
  decltype(&CreatePenIndirect) create_pen_indirect;
  decltype(&ExtCreatePen) ext_create_pen;
  decltype(&CreateSolidBrush) create_solid_brush;
  decltype(&CreateBrushIndirect) create_brush_indirect;
  decltype(&CreateBitmap) create_bitmap;
  decltype(&CreateCompatibleBitmap) create_compatible_bitmap;
  decltype(&CreateDIBSection) create_dib_section;
  decltype(&CreateCompatibleDC) create_compatible_dc;
  decltype(&DeleteDC) delete_dc;
  decltype(&DeleteObject) delete_object;
  decltype(&LoadImageA) load_image;
  decltype(&LoadBitmapA) load_bitmap;
  decltype(&CopyImage) copy_image;
  decltype(&CopyIcon) copy_icon;
  decltype(&CreateIconIndirect) create_icon_indirect;
  decltype(&DestroyIcon) destroy_icon;
  decltype(&GetIconInfo) get_icon_info;
  decltype(&GetDC) get_dc;
  decltype(&GetWindowDC) get_window_dc;
  decltype(&GetDCEx) get_dc_ex;
  decltype(&ReleaseDC) release_dc;
  decltype(&BeginPaint) begin_paint;
  decltype(&EndPaint) end_paint;
  decltype(&ImageList_Create) image_list_create;
  decltype(&ImageList_Destroy) image_list_destroy;
  decltype(&ImageList_GetIcon) image_list_get_icon;
  decltype(&ImageList_Duplicate) image_list_duplicate;
} Real{};

HFONT WINAPI HookCreateFontA(int h, int w, int esc, int orient, int weight, DWORD italic,
                             DWORD underline, DWORD strike, DWORD charset, DWORD out, DWORD clip,
                             DWORD quality, DWORD pitch, LPCSTR face) {
  HFONT font = Real.create_font(h, w, esc, orient, weight, italic, underline, strike, charset, out,
                                clip, quality, pitch, face);
  Track(font, GdiKind::kFont);
  return font;
}
HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA* logfont) {
  HFONT font = Real.create_font_indirect(logfont);
  Track(font, GdiKind::kFont);
  return font;
}
HPEN WINAPI HookCreatePen(int style, int width, COLORREF color) {
  HPEN pen = Real.create_pen(style, width, color);
  Track(pen, GdiKind::kPen);
  return pen;
}
HPEN WINAPI HookCreatePenIndirect(const LOGPEN* logpen) {
  HPEN pen = Real.create_pen_indirect(logpen);
  Track(pen, GdiKind::kPen);
  return pen;
}
HPEN WINAPI HookExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD count,
                             const DWORD* styles) {
  HPEN pen = Real.ext_create_pen(style, width, brush, count, styles);
  Track(pen, GdiKind::kPen);
  return pen;
}
HBRUSH WINAPI HookCreateSolidBrush(COLORREF color) {
  HBRUSH brush = Real.create_solid_brush(color);
  Track(brush, GdiKind::kBrush);
  return brush;
}
HBRUSH WINAPI HookCreateBrushIndirect(const LOGBRUSH* logbrush) {
  HBRUSH brush = Real.create_brush_indirect(logbrush);
  Track(brush, GdiKind::kBrush);
  return brush;
}
HBITMAP WINAPI HookCreateBitmap(int w, int h, UINT planes, UINT bits, const void* data) {
  HBITMAP bitmap = Real.create_bitmap(w, h, planes, bits, data);
  Track(bitmap, GdiKind::kBitmap);
  return bitmap;
}
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int w, int h) {
  HBITMAP bitmap = Real.create_compatible_bitmap(dc, w, h);
  Track(bitmap, GdiKind::kBitmap);
  return bitmap;
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                    HANDLE section, DWORD offset) {
  HBITMAP bitmap = Real.create_dib_section(dc, info, usage, bits, section, offset);
  Track(bitmap, GdiKind::kBitmap);
  return bitmap;
}
HDC WINAPI HookCreateCompatibleDC(HDC dc) {
  HDC memory = Real.create_compatible_dc(dc);
  Track(memory, GdiKind::kDC);
  return memory;
}
BOOL WINAPI HookDeleteDC(HDC dc) {
  Untrack(dc);
  return Real.delete_dc(dc);
}
BOOL WINAPI HookDeleteObject(HGDIOBJ object) {
  Untrack(object);
  return Real.delete_object(object);
}
GdiKind KindOfImage(UINT type) {
  return type == IMAGE_BITMAP ? GdiKind::kBitmap : GdiKind::kIcon;
}
HANDLE WINAPI HookLoadImageA(HINSTANCE module, LPCSTR name, UINT type, int w, int h, UINT flags) {
  HANDLE image = Real.load_image(module, name, type, w, h, flags);
  if (!(flags & LR_SHARED)) Track(image, KindOfImage(type));
  return image;
}
HBITMAP WINAPI HookLoadBitmapA(HINSTANCE module, LPCSTR name) {
  HBITMAP bitmap = Real.load_bitmap(module, name);
  Track(bitmap, GdiKind::kBitmap);
  return bitmap;
}
HANDLE WINAPI HookCopyImage(HANDLE image, UINT type, int w, int h, UINT flags) {
  HANDLE copy = Real.copy_image(image, type, w, h, flags);
  if (copy != image) Track(copy, KindOfImage(type));
  if (flags & LR_COPYDELETEORG) Untrack(image);
  return copy;
}
HICON WINAPI HookCopyIcon(HICON icon) {
  HICON copy = Real.copy_icon(icon);
  Track(copy, GdiKind::kIcon);
  return copy;
}
HICON WINAPI HookCreateIconIndirect(ICONINFO* info) {
  HICON icon = Real.create_icon_indirect(info);
  Track(icon, GdiKind::kIcon);
  return icon;
}
// The two bitmaps that GetIconInfo hands out are the caller's to delete.
BOOL WINAPI HookGetIconInfo(HICON icon, ICONINFO* info) {
  const BOOL got = Real.get_icon_info(icon, info);
  if (got) {
    Track(info->hbmColor, GdiKind::kBitmap);
    Track(info->hbmMask, GdiKind::kBitmap);
  }
  return got;
}
BOOL WINAPI HookDestroyIcon(HICON icon) {
  Untrack(icon);
  return Real.destroy_icon(icon);
}
HDC WINAPI HookGetDC(HWND window) {
  HDC dc = Real.get_dc(window);
  Track(dc, GdiKind::kDC);
  return dc;
}
HDC WINAPI HookGetWindowDC(HWND window) {
  HDC dc = Real.get_window_dc(window);
  Track(dc, GdiKind::kDC);
  return dc;
}
HDC WINAPI HookGetDCEx(HWND window, HRGN clip, DWORD flags) {
  HDC dc = Real.get_dc_ex(window, clip, flags);
  Track(dc, GdiKind::kDC);
  return dc;
}
int WINAPI HookReleaseDC(HWND window, HDC dc) {
  Untrack(dc);
  return Real.release_dc(window, dc);
}
HDC WINAPI HookBeginPaint(HWND window, PAINTSTRUCT* paint) {
  HDC dc = Real.begin_paint(window, paint);
  Track(dc, GdiKind::kDC);
  return dc;
}
BOOL WINAPI HookEndPaint(HWND window, const PAINTSTRUCT* paint) {
  Untrack(paint->hdc);
  return Real.end_paint(window, paint);
}
HIMAGELIST WINAPI HookImageListCreate(int w, int h, UINT flags, int initial, int grow) {
  HIMAGELIST list = Real.image_list_create(w, h, flags, initial, grow);
  Track(list, GdiKind::kImageList);
  return list;
}
BOOL WINAPI HookImageListDestroy(HIMAGELIST list) {
  Untrack(list);
  return Real.image_list_destroy(list);
}
HICON WINAPI HookImageListGetIcon(HIMAGELIST list, int index, UINT flags) {
  HICON icon = Real.image_list_get_icon(list, index, flags);
  Track(icon, GdiKind::kIcon);
  return icon;
}
HIMAGELIST WINAPI HookImageListDuplicate(HIMAGELIST list) {
  HIMAGELIST copy = Real.image_list_duplicate(list);
  Track(copy, GdiKind::kImageList);
  return copy;
}

struct Hook {
  const char* dll;
  const char* function;
  void* hook;
  void** original;
};

template <typename Fn>
void** Slot(Fn* slot) {
  return reinterpret_cast<void**>(slot);
}

const std::vector<Hook>& Hooks() {
  static const std::vector<Hook> hooks = {
      {"gdi32.dll", "CreateFontA", reinterpret_cast<void*>(HookCreateFontA), Slot(&Real.create_font)},
      {"gdi32.dll", "CreateFontIndirectA", reinterpret_cast<void*>(HookCreateFontIndirectA),
       Slot(&Real.create_font_indirect)},
      {"gdi32.dll", "CreatePen", reinterpret_cast<void*>(HookCreatePen), Slot(&Real.create_pen)},
      {"gdi32.dll", "CreatePenIndirect", reinterpret_cast<void*>(HookCreatePenIndirect),
       Slot(&Real.create_pen_indirect)},
      {"gdi32.dll", "ExtCreatePen", reinterpret_cast<void*>(HookExtCreatePen),
       Slot(&Real.ext_create_pen)},
      {"gdi32.dll", "CreateSolidBrush", reinterpret_cast<void*>(HookCreateSolidBrush),
       Slot(&Real.create_solid_brush)},
      {"gdi32.dll", "CreateBrushIndirect", reinterpret_cast<void*>(HookCreateBrushIndirect),
       Slot(&Real.create_brush_indirect)},
      {"gdi32.dll", "CreateBitmap", reinterpret_cast<void*>(HookCreateBitmap),
       Slot(&Real.create_bitmap)},
      {"gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<void*>(HookCreateCompatibleBitmap),
       Slot(&Real.create_compatible_bitmap)},
      {"gdi32.dll", "CreateDIBSection", reinterpret_cast<void*>(HookCreateDIBSection),
       Slot(&Real.create_dib_section)},
      {"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*>(HookCreateCompatibleDC),
       Slot(&Real.create_compatible_dc)},
      {"gdi32.dll", "DeleteDC", reinterpret_cast<void*>(HookDeleteDC), Slot(&Real.delete_dc)},
      {"gdi32.dll", "DeleteObject", reinterpret_cast<void*>(HookDeleteObject),
       Slot(&Real.delete_object)},
      {"user32.dll", "LoadImageA", reinterpret_cast<void*>(HookLoadImageA), Slot(&Real.load_image)},
      {"user32.dll", "LoadBitmapA", reinterpret_cast<void*>(HookLoadBitmapA),
       Slot(&Real.load_bitmap)},
      {"user32.dll", "CopyImage", reinterpret_cast<void*>(HookCopyImage), Slot(&Real.copy_image)},
      {"user32.dll", "CopyIcon", reinterpret_cast<void*>(HookCopyIcon), Slot(&Real.copy_icon)},
      {"user32.dll", "CreateIconIndirect", reinterpret_cast<void*>(HookCreateIconIndirect),
       Slot(&Real.create_icon_indirect)},
      {"user32.dll", "DestroyIcon", reinterpret_cast<void*>(HookDestroyIcon),
       Slot(&Real.destroy_icon)},
      {"user32.dll", "GetIconInfo", reinterpret_cast<void*>(HookGetIconInfo),
       Slot(&Real.get_icon_info)},
      {"user32.dll", "GetDC", reinterpret_cast<void*>(HookGetDC), Slot(&Real.get_dc)},
      {"user32.dll", "GetWindowDC", reinterpret_cast<void*>(HookGetWindowDC),
       Slot(&Real.get_window_dc)},
      {"user32.dll", "GetDCEx", reinterpret_cast<void*>(HookGetDCEx), Slot(&Real.get_dc_ex)},
      {"user32.dll", "ReleaseDC", reinterpret_cast<void*>(HookReleaseDC), Slot(&Real.release_dc)},
      {"user32.dll", "BeginPaint", reinterpret_cast<void*>(HookBeginPaint),
       Slot(&Real.begin_paint)},
      {"user32.dll", "EndPaint", reinterpret_cast<void*>(HookEndPaint), Slot(&Real.end_paint)},
      {"comctl32.dll", "ImageList_Create", reinterpret_cast<void*>(HookImageListCreate),
       Slot(&Real.image_list_create)},
      {"comctl32.dll", "ImageList_Destroy", reinterpret_cast<void*>(HookImageListDestroy),
       Slot(&Real.image_list_destroy)},
      {"comctl32.dll", "ImageList_GetIcon", reinterpret_cast<void*>(HookImageListGetIcon),
       Slot(&Real.image_list_get_icon)},
      {"comctl32.dll", "ImageList_Duplicate", reinterpret_cast<void*>(HookImageListDuplicate),
       Slot(&Real.image_list_duplicate)},
  };
  return hooks;
}

}  // namespace

const char* GdiKindName(GdiKind kind) {
  switch (kind) {
    case GdiKind::kFont: return "font";
    case GdiKind::kPen: return "pen";
    case GdiKind::kBrush: return "brush";
    case GdiKind::kBitmap: return "bitmap";
    case GdiKind::kIcon: return "icon";
    case GdiKind::kImageList: return "image list";
    case GdiKind::kDC: return "device context";
    default: return "other";
  }
}

GdiCounter::GdiCounter(HMODULE module) : module_(module) {
  if (Active) throw std::logic_error("only one GdiCounter at a time");
  InitializeCriticalSection(&lock_);
  Active = this;
  for (const Hook& hook : Hooks()) {
    void* original = PatchImport(module_, hook.dll, hook.function, hook.hook);
    if (original) *hook.original = original;
  }
}

GdiCounter::~GdiCounter() {
  for (const Hook& hook : Hooks()) {
    if (*hook.original) PatchImport(module_, hook.dll, hook.function, *hook.original);
  }
  Active = nullptr;
  DeleteCriticalSection(&lock_);
}

void GdiCounter::NoteCreated(HANDLE handle, GdiKind kind) {
  EnterCriticalSection(&lock_);
  alive_[handle] = kind;
  ++created_[static_cast<int>(kind)];
  LeaveCriticalSection(&lock_);
}

void GdiCounter::NoteReleased(HANDLE handle) {
  EnterCriticalSection(&lock_);
  auto found = alive_.find(handle);
  if (found == alive_.end()) {
    ++foreign_;
  } else {
    ++released_[static_cast<int>(found->second)];
    alive_.erase(found);
  }
  LeaveCriticalSection(&lock_);
}

int GdiCounter::Created(GdiKind kind) const { return created_[static_cast<int>(kind)]; }
int GdiCounter::Released(GdiKind kind) const { return released_[static_cast<int>(kind)]; }

int GdiCounter::Alive(GdiKind kind) const {
  EnterCriticalSection(&lock_);
  int count = 0;
  for (const auto& entry : alive_) count += entry.second == kind;
  LeaveCriticalSection(&lock_);
  return count;
}

int GdiCounter::Alive() const {
  EnterCriticalSection(&lock_);
  const int count = static_cast<int>(alive_.size());
  LeaveCriticalSection(&lock_);
  return count;
}

int GdiCounter::ForeignReleases() const { return foreign_; }

std::string GdiCounter::Report() const {
  std::ostringstream out;
  for (int k = 0; k < static_cast<int>(GdiKind::kCount); ++k) {
    const auto kind = static_cast<GdiKind>(k);
    if (!Created(kind) && !Released(kind)) continue;
    out << GdiKindName(kind) << ": created " << Created(kind) << ", released " << Released(kind)
        << ", alive " << Alive(kind) << "\n";
  }
  out << "released without being created here: " << foreign_ << "\n";
  return out.str();
}
