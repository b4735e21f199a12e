#include "ui/profile_loading.h"

#include <cstddef>
#include <utility>

#include "engine/profile.h"
#include "ui/control_table.h"

namespace {

// The rules of the loaded profile, index-aligned, always of equal length.
// Written on the user-interface thread, read by conversion workers: every
// access holds TermsLock.
std::vector<std::string> LeftTerms;
std::vector<std::string> RightTerms;
SRWLOCK TermsLock = SRWLOCK_INIT;

class TExclusiveLock {
 public:
  explicit TExclusiveLock(SRWLOCK& lock) noexcept : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~TExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
  TExclusiveLock(const TExclusiveLock&) = delete;
  TExclusiveLock& operator=(const TExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

class TSharedLock {
 public:
  explicit TSharedLock(SRWLOCK& lock) noexcept : lock_(lock) { AcquireSRWLockShared(&lock_); }
  ~TSharedLock() { ReleaseSRWLockShared(&lock_); }
  TSharedLock(const TSharedLock&) = delete;
  TSharedLock& operator=(const TSharedLock&) = delete;

 private:
  SRWLOCK& lock_;
};

// The arrays grow by this many entries at a time while a profile is read.
constexpr std::size_t kTermsGrowth = 15;

struct TReadProfile {
  std::string LeftName;
  std::string RightName;
  std::vector<std::string> Left;
  std::vector<std::string> Right;
};

// Reads the side names and the rule lines; false when the profile is missing
// or a read failed on the way.
bool ReadForWindows(const std::string& path, TReadProfile* read) {
  TProfileReader reader;
  if (!reader.Open(path)) return false;
  reader.ReadLine();  // the information line
  read->LeftName = reader.ReadLine();
  read->RightName = reader.ReadLine();

  read->Left.resize(kTermsGrowth);
  read->Right.resize(kTermsGrowth);
  std::size_t count = 0;
  while (!reader.AtEnd()) {
    const std::string line = reader.ReadLine();
    ++count;
    if (count >= read->Left.size()) {
      read->Left.resize(read->Left.size() + kTermsGrowth);
      read->Right.resize(read->Right.size() + kTermsGrowth);
    }
    TRule rule = SplitRuleLine(line);
    read->Left[count - 1] = std::move(rule.Left);
    read->Right[count - 1] = std::move(rule.Right);
  }
  read->Left.resize(count);
  read->Right.resize(count);
  read->Left.shrink_to_fit();
  read->Right.shrink_to_fit();
  return !reader.Failed();
}

}  // namespace

void LoadProfile(const std::string& path) {
  if (!ProfilePresent(path)) return;
  TReadProfile read;
  if (!ReadForWindows(path, &read)) return;

  const std::string forward = read.LeftName + " -> " + read.RightName;
  const std::string reverse = read.RightName + " -> " + read.LeftName;
  SetWindowTextA(ControlTable.DirectionButton[0], forward.c_str());
  SetWindowTextA(ControlTable.DirectionButton[1], reverse.c_str());

  TExclusiveLock lock(TermsLock);
  LeftTerms.swap(read.Left);
  RightTerms.swap(read.Right);
}

void ShowProfileInfo(const std::string& path, HWND owner) {
  if (!ProfilePresent(path)) return;
  std::string information;
  if (!ReadProfileInformation(path, &information)) return;
  MessageBoxA(owner, information.c_str(), kProfileInfoCaption, MB_ICONINFORMATION | MB_OK);
}

std::vector<TRule> LoadedRules() {
  TSharedLock lock(TermsLock);
  std::vector<TRule> rules(LeftTerms.size());
  for (std::size_t i = 0; i < rules.size(); ++i) {
    rules[i].Left = LeftTerms[i];
    rules[i].Right = RightTerms[i];
  }
  return rules;
}
