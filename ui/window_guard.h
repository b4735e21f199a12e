// The wall between a window procedure's C++ and the window system, which
// cannot carry a C++ exception. A procedure runs each handler through
// GuardedWindowCall:
//  - any exception ends the handler; the message gets the fallback result;
//  - exhausted memory is remembered, and the modal run raises it again as
//    std::bad_alloc once its window is gone and the host's window is enabled,
//    so that the entry point hands it to the host.
#pragma once

#include <windows.h>

#include <new>

// Notes that a handler ran out of memory.
void NoteOutOfMemoryInWindow() noexcept;
// Throws std::bad_alloc if a handler ran out of memory since the last call.
void RethrowOutOfMemoryFromWindow();

template <typename Handler>
LRESULT GuardedWindowCall(Handler&& handler, LRESULT fallback = 0) noexcept {
  try {
    return handler();
  } catch (const std::bad_alloc&) {
    NoteOutOfMemoryInWindow();
  } catch (...) {
  }
  return fallback;
}
