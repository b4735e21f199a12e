// Counts the fonts, pens, brushes, bitmaps, icons, image lists and device
// contexts that one module creates and releases, by patching that module's
// import table (wine's GetGuiResources always answers 0, so it cannot show a
// leak). Pass the DLL's module handle to watch translit.dll, or
// GetModuleHandleA(nullptr) to watch plug-in code linked into the test
// program itself.
//
// Only calls made by the watched module are seen. Shared resources (LoadIcon,
// LoadImage with LR_SHARED) are not counted: nobody releases them.
//
//   GdiCounter counter(plugin.module());
//   ... open and close windows ...
//   EXPECT_TRUE(counter.Balanced()) << counter.Report();
//   EXPECT_GT(counter.Created(GdiKind::kFont), 0);
#pragma once

#include <windows.h>

#include <map>
#include <string>

enum class GdiKind { kFont, kPen, kBrush, kBitmap, kIcon, kImageList, kDC, kOther, kCount };

const char* GdiKindName(GdiKind kind);

class GdiCounter {
 public:
  // Patches the module's imports; only one counter may be active at a time.
  explicit GdiCounter(HMODULE module);
  // Restores the imports.
  ~GdiCounter();
  GdiCounter(const GdiCounter&) = delete;
  GdiCounter& operator=(const GdiCounter&) = delete;

  int Created(GdiKind kind) const;
  int Released(GdiKind kind) const;
  // Handles created and not yet released, of one kind or of all.
  int Alive(GdiKind kind) const;
  int Alive() const;
  // Releases of handles this counter never saw created (double deletes, or
  // deletes of system objects): 0 in a healthy module.
  int ForeignReleases() const;
  // Nothing alive and nothing foreign released.
  bool Balanced() const { return Alive() == 0 && ForeignReleases() == 0; }
  // One line per kind, for failure messages.
  std::string Report() const;

  // Used by the patched functions.
  void NoteCreated(HANDLE handle, GdiKind kind);
  void NoteReleased(HANDLE handle);

 private:
  HMODULE module_;
  mutable CRITICAL_SECTION lock_;
  std::map<HANDLE, GdiKind> alive_;
  int created_[static_cast<int>(GdiKind::kCount)] = {};
  int released_[static_cast<int>(GdiKind::kCount)] = {};
  int foreign_ = 0;
};
