#include "tests/wine/support/resource_counters.h"

#include <malloc.h>
#include <process.h>

#include <vector>

#include "tests/wine/support/pe_image.h"

namespace {

HeapCounter* ActiveHeap = nullptr;
HandleCounter* ActiveHandles = nullptr;

struct HeapOriginals {
  decltype(&malloc) malloc_;
  decltype(&calloc) calloc_;
  decltype(&realloc) realloc_;
  decltype(&free) free_;
} Heap{};

void* __cdecl HookMalloc(size_t size) {
  void* block = Heap.malloc_(size);
  if (ActiveHeap && block) ActiveHeap->NoteAllocated(block, size);
  return block;
}
void* __cdecl HookCalloc(size_t count, size_t size) {
  void* block = Heap.calloc_(count, size);
  if (ActiveHeap && block) ActiveHeap->NoteAllocated(block, count * size);
  return block;
}
void* __cdecl HookRealloc(void* old, size_t size) {
  void* block = Heap.realloc_(old, size);
  if (ActiveHeap && (block || size == 0)) {
    if (old) ActiveHeap->NoteFreed(old);
    if (block) ActiveHeap->NoteAllocated(block, size);
  }
  return block;
}
void __cdecl HookFree(void* block) {
  if (ActiveHeap && block) ActiveHeap->NoteFreed(block);
  Heap.free_(block);
}

struct HandleOriginals {
  decltype(&CreateFileA) create_file;
  decltype(&FindFirstFileA) find_first_file;
  decltype(&FindClose) find_close;
  decltype(&CreateThread) create_thread;
  decltype(&CreateEventA) create_event;
  decltype(&_beginthreadex) begin_thread;
  decltype(&CloseHandle) close_handle;
} Kernel{};

HANDLE Opened(HANDLE handle) {
  if (ActiveHandles && handle && handle != INVALID_HANDLE_VALUE) ActiveHandles->NoteOpened(handle);
  return handle;
}
HANDLE WINAPI HookCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                              DWORD disposition, DWORD flags, HANDLE templ) {
  return Opened(Kernel.create_file(name, access, share, sa, disposition, flags, templ));
}
HANDLE WINAPI HookFindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  return Opened(Kernel.find_first_file(pattern, data));
}
BOOL WINAPI HookFindClose(HANDLE handle) {
  if (ActiveHandles) ActiveHandles->NoteClosed(handle);
  return Kernel.find_close(handle);
}
HANDLE WINAPI HookCreateThread(LPSECURITY_ATTRIBUTES sa, SIZE_T stack, LPTHREAD_START_ROUTINE start,
                               LPVOID parameter, DWORD flags, LPDWORD id) {
  return Opened(Kernel.create_thread(sa, stack, start, parameter, flags, id));
}
uintptr_t __cdecl HookBeginThreadEx(void* security, unsigned stack,
                                   unsigned(__stdcall* start)(void*), void* parameter,
                                   unsigned flags, unsigned* id) {
  const uintptr_t thread = Kernel.begin_thread(security, stack, start, parameter, flags, id);
  Opened(reinterpret_cast<HANDLE>(thread));
  return thread;
}
HANDLE WINAPI HookCreateEventA(LPSECURITY_ATTRIBUTES sa, BOOL manual, BOOL initial, LPCSTR name) {
  return Opened(Kernel.create_event(sa, manual, initial, name));
}
BOOL WINAPI HookCloseHandle(HANDLE handle) {
  if (ActiveHandles) ActiveHandles->NoteClosed(handle);
  return Kernel.close_handle(handle);
}

struct Hook {
  const char* dll;
  const char* function;
  void* replacement;
  void** original;
};

template <typename T>
void** Slot(T* original) {
  return reinterpret_cast<void**>(original);
}

void Patch(HMODULE module, const std::vector<Hook>& hooks, bool install) {
  if (!module) return;
  for (const Hook& hook : hooks) {
    if (install) {
      void* previous = PatchImport(module, hook.dll, hook.function, hook.replacement);
      if (previous) *hook.original = previous;
    } else if (*hook.original) {
      PatchImport(module, hook.dll, hook.function, *hook.original);
    }
  }
}

std::vector<Hook> HeapHooks() {
  return {{"msvcrt.dll", "malloc", reinterpret_cast<void*>(HookMalloc), Slot(&Heap.malloc_)},
          {"msvcrt.dll", "calloc", reinterpret_cast<void*>(HookCalloc), Slot(&Heap.calloc_)},
          {"msvcrt.dll", "realloc", reinterpret_cast<void*>(HookRealloc), Slot(&Heap.realloc_)},
          {"msvcrt.dll", "free", reinterpret_cast<void*>(HookFree), Slot(&Heap.free_)}};
}

std::vector<Hook> HandleHooks() {
  return {{"kernel32.dll", "CreateFileA", reinterpret_cast<void*>(HookCreateFileA),
           Slot(&Kernel.create_file)},
          {"kernel32.dll", "FindFirstFileA", reinterpret_cast<void*>(HookFindFirstFileA),
           Slot(&Kernel.find_first_file)},
          {"kernel32.dll", "FindClose", reinterpret_cast<void*>(HookFindClose),
           Slot(&Kernel.find_close)},
          {"kernel32.dll", "CreateThread", reinterpret_cast<void*>(HookCreateThread),
           Slot(&Kernel.create_thread)},
          {"msvcrt.dll", "_beginthreadex", reinterpret_cast<void*>(HookBeginThreadEx),
           Slot(&Kernel.begin_thread)},
          {"kernel32.dll", "CreateEventA", reinterpret_cast<void*>(HookCreateEventA),
           Slot(&Kernel.create_event)},
          {"kernel32.dll", "CloseHandle", reinterpret_cast<void*>(HookCloseHandle),
           Slot(&Kernel.close_handle)}};
}

}  // namespace

HeapCounter::HeapCounter(HMODULE module) : module_(module) {
  InitializeCriticalSection(&lock_);
  ActiveHeap = this;
  Patch(module_, HeapHooks(), true);
}

HeapCounter::~HeapCounter() {
  Patch(module_, HeapHooks(), false);
  ActiveHeap = nullptr;
  DeleteCriticalSection(&lock_);
}

void HeapCounter::NoteAllocated(void* block, std::size_t size) {
  EnterCriticalSection(&lock_);
  live_[block] = size;
  live_bytes_ += static_cast<long long>(size);
  ++allocations_;
  LeaveCriticalSection(&lock_);
}

void HeapCounter::NoteFreed(void* block) {
  EnterCriticalSection(&lock_);
  auto found = live_.find(block);
  if (found != live_.end()) {
    live_bytes_ -= static_cast<long long>(found->second);
    live_.erase(found);
  }
  LeaveCriticalSection(&lock_);
}

long HeapCounter::LiveBlocks() const {
  EnterCriticalSection(&lock_);
  const long blocks = static_cast<long>(live_.size());
  LeaveCriticalSection(&lock_);
  return blocks;
}

long long HeapCounter::LiveBytes() const {
  EnterCriticalSection(&lock_);
  const long long bytes = live_bytes_;
  LeaveCriticalSection(&lock_);
  return bytes;
}

std::string HeapCounter::Describe() const {
  EnterCriticalSection(&lock_);
  std::string text;
  for (const auto& block : live_) {
    char entry[48];
    wsprintfA(entry, "%u@%p ", static_cast<unsigned>(block.second), block.first);
    text += entry;
  }
  LeaveCriticalSection(&lock_);
  return text;
}

long HeapCounter::Allocations() const {
  EnterCriticalSection(&lock_);
  const long count = allocations_;
  LeaveCriticalSection(&lock_);
  return count;
}

HandleCounter::HandleCounter(HMODULE module) : module_(module) {
  InitializeCriticalSection(&lock_);
  ActiveHandles = this;
  Patch(module_, HandleHooks(), true);
}

HandleCounter::~HandleCounter() {
  Patch(module_, HandleHooks(), false);
  ActiveHandles = nullptr;
  DeleteCriticalSection(&lock_);
}

void HandleCounter::NoteOpened(HANDLE handle) {
  EnterCriticalSection(&lock_);
  ++open_[handle];
  ++opened_;
  LeaveCriticalSection(&lock_);
}

void HandleCounter::NoteClosed(HANDLE handle) {
  EnterCriticalSection(&lock_);
  auto found = open_.find(handle);
  if (found != open_.end() && --found->second == 0) open_.erase(found);
  LeaveCriticalSection(&lock_);
}

long HandleCounter::Opened() const {
  EnterCriticalSection(&lock_);
  const long count = opened_;
  LeaveCriticalSection(&lock_);
  return count;
}

long HandleCounter::Open() const {
  EnterCriticalSection(&lock_);
  long count = 0;
  for (const auto& entry : open_) count += entry.second;
  LeaveCriticalSection(&lock_);
  return count;
}
