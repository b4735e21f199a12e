#include "ui/profile_loading.h"

#include <cstddef>
#include <utility>

#include "engine/profile.h"
#include "ui/chrome.h"
#include "ui/handles.h"

namespace {

// The loaded profile; null until the first load. Replaced on the
// user-interface thread, read by conversion workers: every access to the
// pointer holds ProfileLock, never a reading of the profile itself.
std::shared_ptr<const TProfile> Loaded;
SRWLOCK ProfileLock = SRWLOCK_INIT;

}  // namespace

void LoadProfile(const std::string& path) {
  if (!ProfilePresent(path)) return;
  auto read = std::make_shared<TProfile>();
  if (!ReadProfile(path, read.get())) return;

  const std::string forward = read->LeftName + " -> " + read->RightName;
  const std::string reverse = read->RightName + " -> " + read->LeftName;
  SetWindowTextA(ControlTable.DirectionButton[0], forward.c_str());
  SetWindowTextA(ControlTable.DirectionButton[1], reverse.c_str());

  std::shared_ptr<const TProfile> previous = std::move(read);
  {
    TExclusiveLock lock(ProfileLock);
    Loaded.swap(previous);
  }
  // The previous profile, unless a conversion still holds it, goes here,
  // outside the lock.
}

void ShowProfileInfo(const std::string& path, HWND owner) {
  if (!ProfilePresent(path)) return;
  std::string information;
  if (!ReadProfileInformation(path, &information)) return;
  MessageBoxA(owner, information.c_str(), kProfileInfoCaption, MB_ICONINFORMATION | MB_OK);
}

std::shared_ptr<const std::vector<TRule>> LoadedRules() {
  static const auto kNoRules = std::make_shared<const std::vector<TRule>>();
  TSharedLock lock(ProfileLock);
  if (!Loaded) return kNoRules;
  // Shares the ownership of the whole profile, points to its rules.
  return std::shared_ptr<const std::vector<TRule>>(Loaded, &Loaded->Rules);
}

void FillProfileBox(HWND box, const TProfileCatalogue* catalogue) {
  if (!catalogue || catalogue->Count <= 0) return;
  const auto count = static_cast<std::size_t>(catalogue->Count);
  for (std::size_t i = 0; i < count && i < catalogue->Slots.size(); ++i) {
    SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(catalogue->Slots[i].data()));
  }
}

std::string ProfileBoxText(HWND box) {
  char text[sizeof(ProfileSlot)] = {};
  const int length = GetWindowTextA(box, text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string SelectedProfilePath(HWND box, std::string_view plugin_dir) {
  return ProfilePath(plugin_dir, ProfileBoxText(box));
}
