// One shipped profile from profiles/, installed into a throw-away host folder
// with the real DLL loaded over it. Text goes through process exactly as a
// file name does (preview only, extension included), forward or back.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/plugin_library.h"

// The profiles/ folder of the source tree, as a wine path ending in "\".
std::string ShippedProfilesDir();
// The file names of every *.pch in it.
std::vector<std::string> ListShippedProfiles();

// What a profile wrote, in ASCII capitals (a word in capitals).
inline std::string LatinCapitals(std::string latin) {
  for (char& c : latin) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return latin;
}

// What a profile wrote, its first Latin letter in capitals (a capitalised word).
inline std::string LatinCapitalised(std::string latin) {
  for (char& c : latin) {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      break;
    }
  }
  return latin;
}

class ShippedProfile {
 public:
  explicit ShippedProfile(const std::string& file_name);
  ShippedProfile(const ShippedProfile&) = delete;
  ShippedProfile& operator=(const ShippedProfile&) = delete;

  // The profile's bytes as shipped; empty when it could not be read.
  const std::string& bytes() const { return bytes_; }

  // text must not hold "\" or ":" (they would split off a folder).
  std::string Forward(const std::string& text, bool case_sensitive = false) {
    return Convert(text, 0, case_sensitive);
  }
  std::string Reverse(const std::string& text, bool case_sensitive = false) {
    return Convert(text, 1, case_sensitive);
  }
  // As a file name by default: the extension split off and kept.
  std::string ForwardFileName(const std::string& name) { return Convert(name, 0, false, false); }
  std::string ReverseFileName(const std::string& name) { return Convert(name, 1, false, false); }

 private:
  std::string Convert(const std::string& text, int direction, bool case_sensitive,
                      bool in_extension = true);

  PluginLibrary plugin_;
  HostFolder host_;
  std::string name_;
  std::string bytes_;
};
