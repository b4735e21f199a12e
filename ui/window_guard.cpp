#include "ui/window_guard.h"

namespace {

// Set on the user-interface thread only, like everything the windows touch.
bool OutOfMemoryPending = false;

}  // namespace

void NoteOutOfMemoryInWindow() noexcept { OutOfMemoryPending = true; }

void RethrowOutOfMemoryFromWindow() {
  if (OutOfMemoryPending) {
    OutOfMemoryPending = false;
    throw std::bad_alloc();
  }
}
