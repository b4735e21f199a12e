#include "plugin/entry_guard.h"

void RaiseOutOfMemory() noexcept {
  // Continuable: if the host's handler resumes, the entry point returns with
  // nothing handed out.
  RaiseException(STATUS_NO_MEMORY, 0, 0, nullptr);
}
