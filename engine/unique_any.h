// TUniqueAny<Traits>: the one owner of every handle, descriptor and stream
// the product releases, on Windows and on Linux.
//
// A move-only owner: Traits names the handle type, its invalid value and the
// one call that releases it (the call that matches the one that made it):
//
//   struct TFdTraits {
//     using Handle = int;
//     static Handle Invalid() noexcept { return -1; }
//     static void Close(Handle fd) noexcept { close(fd); }
//   };
//   TUniqueAny<TFdTraits> fd(open(path, O_RDONLY));
//   if (!fd) return errno;  // errno still says why open failed
//
// Releasing a handle keeps the thread's last error (GetLastError on Windows,
// errno elsewhere): a caller may ask why a call failed after an owner has let
// its handle go on the way out.
#pragma once

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

// Keeps the thread's last error code across the guard's lifetime.
class TLastErrorKeeper {
 public:
#ifdef _WIN32
  TLastErrorKeeper() noexcept : error_(GetLastError()) {}
  ~TLastErrorKeeper() { SetLastError(error_); }

 private:
  DWORD error_;
#else
  TLastErrorKeeper() noexcept : error_(errno) {}
  ~TLastErrorKeeper() { errno = error_; }

 private:
  int error_;
#endif

 public:
  TLastErrorKeeper(const TLastErrorKeeper&) = delete;
  TLastErrorKeeper& operator=(const TLastErrorKeeper&) = delete;
};

template <typename Traits>
class TUniqueAny {
 public:
  using Handle = typename Traits::Handle;

  TUniqueAny() noexcept = default;
  explicit TUniqueAny(Handle handle) noexcept : handle_(handle) {}
  ~TUniqueAny() { reset(); }

  TUniqueAny(TUniqueAny&& other) noexcept : handle_(other.release()) {}
  TUniqueAny& operator=(TUniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  TUniqueAny(const TUniqueAny&) = delete;
  TUniqueAny& operator=(const TUniqueAny&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // Gives the handle up without releasing it.
  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  // Releases the handle held, keeping the last error, and takes the new one.
  void reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old == Traits::Invalid()) return;
    const TLastErrorKeeper keeper;
    Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Traits of the handles whose invalid value is null.
template <typename H, auto CloseFunction>
struct TNullInvalidTraits {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { CloseFunction(handle); }
};
