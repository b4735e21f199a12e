// The profile catalogue that initialize builds from the host's directory,
// checked on the plug-in's own state (the windows list it later).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "plugin/library_state.h"
#include "translit/plugin_api.h"
#include "tests/wine/support/host_folder.h"

extern "C" {
void __stdcall setDir(const char* Dir);
void __stdcall initialize(HWND Window);
}

namespace {

std::vector<std::string> CatalogueNames() {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < ProfileCatalogue.Count; ++i) {
    names.emplace_back(ProfileCatalogue.Slots[static_cast<std::size_t>(i)].data());
  }
  std::sort(names.begin(), names.end());  // the directory's order is not ours to rely on
  return names;
}

void ScanIn(const std::string& dir) {
  setDir(dir.c_str());
  initialize(reinterpret_cast<HWND>(0x1234));
}

// ---- What the scan finds -----------------------------------------------------

TEST(Catalogue, FilesAndAMatchingSubDirectoryCount) {
  HostFolder host;
  host.AddProfile("a.pch", "");
  host.AddProfile("b.pch", "");
  host.AddProfile("c.pch", "");
  host.AddDirectory("Plugins\\rep_profiles\\d.pch");
  host.AddProfile("notes.txt", "");
  ScanIn(host.dir());
  EXPECT_EQ(ProfileCatalogue.Count, 4);
  EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"a.pch", "b.pch", "c.pch", "d.pch"}));
  EXPECT_EQ(HostWindow, reinterpret_cast<HWND>(0x1234));
}

TEST(Catalogue, HiddenAndSystemEntriesCount) {
  HostFolder host;
  const std::string hidden = host.AddProfile("hidden.pch", "");
  const std::string system = host.AddProfile("system.pch", "");
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
  ScanIn(host.dir());
  EXPECT_EQ(CatalogueNames(), (std::vector<std::string>{"hidden.pch", "system.pch"}));
}

TEST(Catalogue, CyrillicNamesKeepTheirWindows1251Bytes) {
  HostFolder host;
  host.AddProfile("Кириллица.pch", "");
  ScanIn(host.dir());
  ASSERT_EQ(ProfileCatalogue.Count, 1);
  EXPECT_EQ(std::string(ProfileCatalogue.Slots[0].data()),
            "\xCA\xE8\xF0\xE8\xEB\xEB\xE8\xF6\xE0.pch");
}

TEST(Catalogue, NoProfileDirectoryGivesAnEmptyCatalogue) {
  HostFolder host;
  ScanIn(host.dir() + "nowhere\\");
  EXPECT_EQ(ProfileCatalogue.Count, 0);
}

TEST(Catalogue, ASecondScanWithFewerMatchesCountsOnlyItsOwn) {
  HostFolder many, few, none;
  for (const char* name : {"1.pch", "2.pch", "3.pch"}) many.AddProfile(name, "");
  few.AddProfile("only.pch", "");
  ScanIn(many.dir());
  EXPECT_EQ(ProfileCatalogue.Count, 3);
  ScanIn(few.dir());
  EXPECT_EQ(ProfileCatalogue.Count, 1);
  EXPECT_STREQ(ProfileCatalogue.Slots[0].data(), "only.pch");
  ScanIn(none.dir());
  EXPECT_EQ(ProfileCatalogue.Count, 0);
}

// A name that does not fit a slot would be cut into the name of a file that
// does not exist; it is left out, and no slot holds more than 49 characters.
TEST(Catalogue, NamesLongerThan49CharactersAreLeftOut) {
  HostFolder host;
  const std::string fits = std::string(45, 'f') + ".pch";        // 49 characters
  const std::string too_long = std::string(46, 'g') + ".pch";    // 50 characters
  const std::string far_too_long = std::string(150, 'h') + ".pch";
  host.AddProfile(fits, "");
  host.AddProfile(too_long, "");
  host.AddProfile(far_too_long, "");
  ScanIn(host.dir());
  ASSERT_EQ(ProfileCatalogue.Count, 1);
  EXPECT_EQ(std::string(ProfileCatalogue.Slots[0].data()), fits);
  for (const ProfileSlot& slot : ProfileCatalogue.Slots) {
    EXPECT_NE(std::find(slot.begin(), slot.end(), '\0'), slot.end());
  }
}

// ---- How setDir forms the search pattern --------------------------------------

TEST(SetDir, IsUsedAsALiteralPrefix) {
  HostFolder host;
  host.AddProfile("with.pch", "");
  host.AddFile("HostPlugins\\rep_profiles\\without.pch", "");
  ScanIn(host.dir());
  EXPECT_EQ(CatalogueNames(), std::vector<std::string>{"with.pch"});
  // Without the closing separator the pattern runs on: <dir>HostPlugins\...
  ScanIn(host.dir() + "Host");
  EXPECT_EQ(CatalogueNames(), std::vector<std::string>{"without.pch"});
  EXPECT_EQ(PluginDir, host.dir() + "Host");
}

TEST(SetDir, NullMeansTheCurrentDirectory) {
  HostFolder host;
  host.AddProfile("here.pch", "");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(host.dir().c_str());
  ScanIn("somewhere else\\");
  setDir(nullptr);
  EXPECT_EQ(PluginDir, "");
  initialize(nullptr);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(CatalogueNames(), std::vector<std::string>{"here.pch"});
}

TEST(SetDir, KeepsItsOwnCopyOfTheHostsText) {
  char buffer[MAX_PATH];
  lstrcpyA(buffer, "C:\\Host\\");
  setDir(buffer);
  lstrcpyA(buffer, "changed");
  EXPECT_EQ(PluginDir, "C:\\Host\\");
}

}  // namespace
