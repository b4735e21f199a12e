// Move-only owners of the kernel objects translit-host opens. Each releases
// its handle with the one call that matches the call that made it; a handle
// that a call returned as a failure (null or INVALID_HANDLE_VALUE) is held
// as empty.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

template <typename Handle, typename Release>
class TOwnedHandle {
 public:
  TOwnedHandle() noexcept = default;
  explicit TOwnedHandle(Handle handle) noexcept
      : handle_(static_cast<void*>(handle) == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~TOwnedHandle() { reset(); }

  TOwnedHandle(TOwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  void reset() noexcept {
    if (handle_) Release{}(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

struct TCloseHandle {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct TFindClose {
  void operator()(HANDLE search) const noexcept { FindClose(search); }
};
struct TFreeLibrary {
  void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
struct TDestroyWindow {
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};

using TFileHandle = TOwnedHandle<HANDLE, TCloseHandle>;     // CreateFileW
using TFindHandle = TOwnedHandle<HANDLE, TFindClose>;       // FindFirstFileExW
using TModuleHandle = TOwnedHandle<HMODULE, TFreeLibrary>;  // LoadLibraryW
using TWindowHandle = TOwnedHandle<HWND, TDestroyWindow>;   // CreateWindowExW

// FindFirstFileExW without the short names and with large fetches, which
// folders of thousands of files gain from; Windows before 7 knows neither
// and gets the plain FindFirstFileW.
inline TFindHandle FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* entry) {
  TFindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, entry,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search && GetLastError() == ERROR_INVALID_PARAMETER) {
    search = TFindHandle(FindFirstFileW(pattern.c_str(), entry));
  }
  return search;
}
