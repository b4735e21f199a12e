// The kept compiled profiles: a short list, most recently used first, under a
// lock.
#include "engine/profile_cache.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
// A slim reader/writer lock needs no memory of its own. The toolchain's
// std::mutex would take some from its threads library on first use and keep
// it after the module is unloaded.
class TListLock {
 public:
  void lock() { AcquireSRWLockExclusive(&lock_); }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};
#else
using TListLock = std::mutex;
#endif

using TProfiles = std::vector<std::shared_ptr<const TCompiledProfile>>;

struct TKeptProfiles {
  TListLock Lock;
  TProfiles Profiles;  // most recently used first
  std::size_t Memory = 0;
};

// At namespace scope, so that unloading the module frees what it holds (the
// C++ runtime guards a function-local static with a lock that it allocates
// and never frees).
TKeptProfiles Kept;

// Under the lock: the kept profile compiled from bytes, moved to the front;
// null when there is none.
std::shared_ptr<const TCompiledProfile> FindKept(const std::string& bytes) {
  TProfiles& profiles = Kept.Profiles;
  for (auto it = profiles.begin(); it != profiles.end(); ++it) {
    const std::string& kept = (*it)->Bytes();
    if (kept.size() == bytes.size() && std::memcmp(kept.data(), bytes.data(), kept.size()) == 0) {
      std::rotate(profiles.begin(), it, it + 1);
      return profiles.front();
    }
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<const TCompiledProfile> CompiledProfileFor(std::string bytes) {
  {
    const std::lock_guard<TListLock> hold(Kept.Lock);
    if (std::shared_ptr<const TCompiledProfile> kept = FindKept(bytes)) return kept;
  }
  // Compiled outside the lock; another thread may compile the same bytes
  // meanwhile, and then the first one kept is used.
  auto compiled = std::make_shared<const TCompiledProfile>(std::move(bytes));
  const std::size_t memory = compiled->MemorySize();
  if (memory > kCachedProfileMemory) return compiled;
  TProfiles dropped;  // freed once the lock is let go
  {
    const std::lock_guard<TListLock> hold(Kept.Lock);
    if (std::shared_ptr<const TCompiledProfile> kept = FindKept(compiled->Bytes())) return kept;
    TProfiles& profiles = Kept.Profiles;
    profiles.insert(profiles.begin(), compiled);
    Kept.Memory += memory;
    while (profiles.size() > kCachedProfiles || Kept.Memory > kCachedProfileMemory) {
      Kept.Memory -= profiles.back()->MemorySize();
      dropped.push_back(std::move(profiles.back()));
      profiles.pop_back();
    }
  }
  return compiled;
}

void ReleaseCompiledProfiles() {
  TProfiles dropped;
  const std::lock_guard<TListLock> hold(Kept.Lock);
  dropped.swap(Kept.Profiles);
  Kept.Memory = 0;
}

std::size_t CachedProfileCount() {
  const std::lock_guard<TListLock> hold(Kept.Lock);
  return Kept.Profiles.size();
}

std::size_t CachedProfileMemory() {
  const std::lock_guard<TListLock> hold(Kept.Lock);
  return Kept.Memory;
}
