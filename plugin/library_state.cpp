#include "plugin/library_state.h"

#include <cstring>

#include "translit_version.h"
#include "ui/handles.h"

HINSTANCE PluginModule = nullptr;
std::string PluginDir;
HWND HostWindow = nullptr;
TProfileCatalogue ProfileCatalogue;

TUiHost UiHost() {
  return TUiHost{PluginModule, PluginDir, HostWindow, &ProfileCatalogue, TRANSLIT_VERSION_TEXT};
}

void ScanProfileCatalogue() {
  const std::string pattern = PluginDir + "Plugins\\rep_profiles\\*.pch";
  WIN32_FIND_DATAA entry;
  const TUniqueFind search(FindFirstFileA(pattern.c_str(), &entry));

  // Every matching entry counts, hidden, system and sub-directories included.
  // A name that does not fit a 50-byte slot is left out: cut short it would
  // name a file that does not exist.
  std::int32_t count = 0;
  if (search) {
    do {
      const std::size_t length = std::strlen(entry.cFileName);
      if (length >= sizeof(ProfileSlot)) continue;
      if (ProfileCatalogue.Slots.size() < static_cast<std::size_t>(count) + 1) {
        ProfileCatalogue.Slots.resize(static_cast<std::size_t>(count) + 1);
      }
      ProfileSlot& slot = ProfileCatalogue.Slots[static_cast<std::size_t>(count)];
      slot.fill('\0');
      std::memcpy(slot.data(), entry.cFileName, length);
      ++count;
    } while (FindNextFileA(search.get(), &entry));
  }
  ProfileCatalogue.Count = count;
}
