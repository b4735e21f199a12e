#include "tests/wine/support/shipped_profile.h"

#include <windows.h>

#include <algorithm>

#include "tests/wine/support/options_block.h"

std::string ShippedProfilesDir() { return std::string(TRANSLIT_TEST_PROFILES_DIR) + "\\"; }

std::vector<std::string> ListShippedProfiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((ShippedProfilesDir() + "*.pch").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

ShippedProfile::ShippedProfile(const std::string& file_name)
    : name_(file_name), bytes_(ReadWholeFile(ShippedProfilesDir() + file_name)) {
  host_.AddProfile(name_, bytes_);
  plugin_.setDir(host_.dir().c_str());
  plugin_.initialize(nullptr);
}

std::string ShippedProfile::Convert(const std::string& text, int direction, bool case_sensitive,
                                    bool in_extension) {
  static const std::string kFolder = "C:\\names\\";
  OptionsBlock options(plugin_);
  options.Profile(name_)
      .Direction(direction)
      .CaseSensitive(case_sensitive ? 1 : 0)
      .InExtension(in_extension ? 1 : 0);
  const ProcessResult result = CallProcess(plugin_, options, kFolder + text, true);
  if (result.path.compare(0, kFolder.size(), kFolder) != 0)
    return "<folder lost: " + result.path + ">";
  return result.path.substr(kFolder.size());
}
