// Move-only owners of the kernel objects translit-host opens. Each releases
// its handle with the one call that matches the call that made it; a handle
// that a call returned as a failure (null or INVALID_HANDLE_VALUE) is held
// as empty.
#pragma once

#include <windows.h>

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
