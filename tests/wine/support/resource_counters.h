// Counts what one module allocates from the C heap and which kernel handles
// it opens, by patching that module's import table (wine's
// GetProcessHandleCount is a stub that answers 0). Only calls made by the
// watched module itself are seen.
//
//   HeapCounter heap(plugin.module());
//   ... calls ...
//   EXPECT_EQ(heap.LiveBlocks(), before);
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>

// Blocks the module holds from msvcrt's malloc, calloc and realloc.
class HeapCounter {
 public:
  explicit HeapCounter(HMODULE module);
  ~HeapCounter();
  HeapCounter(const HeapCounter&) = delete;
  HeapCounter& operator=(const HeapCounter&) = delete;

  long LiveBlocks() const;
  long long LiveBytes() const;
  long Allocations() const;
  // "size@address" of every live block, for failure messages.
  std::string Describe() const;
  // The module has been unloaded: its import table is gone with it, so
  // nothing is restored (the counts stay readable).
  void ModuleUnloaded() { module_ = nullptr; }

  void NoteAllocated(void* block, std::size_t size);
  void NoteFreed(void* block);

 private:
  HMODULE module_;
  mutable CRITICAL_SECTION lock_;
  std::map<void*, std::size_t> live_;
  long long live_bytes_ = 0;
  long allocations_ = 0;
};

// Kernel handles the module opens and closes: files, directory searches,
// threads, events and other waitable objects.
class HandleCounter {
 public:
  explicit HandleCounter(HMODULE module);
  ~HandleCounter();
  HandleCounter(const HandleCounter&) = delete;
  HandleCounter& operator=(const HandleCounter&) = delete;

  long Opened() const;
  long Open() const;  // opened and not yet closed
  void ModuleUnloaded() { module_ = nullptr; }

  void NoteOpened(HANDLE handle);
  void NoteClosed(HANDLE handle);

 private:
  HMODULE module_;
  mutable CRITICAL_SECTION lock_;
  std::map<HANDLE, int> open_;
  long opened_ = 0;
};
