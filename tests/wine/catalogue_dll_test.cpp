// Profile catalogues at their extremes, seen where the user sees them: the
// profile box of the options dialog opened through the real DLL.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/window_probe.h"

namespace {

constexpr int kProfileBox = 6;
constexpr int kCancel = 2;

// Opens the dialog on a fresh block, reads every item of the profile box and
// cancels.
std::vector<std::string> ProfileBoxItems(PluginLibrary& plugin) {
  std::vector<std::string> items;
  HWND dialog = nullptr;
  TReplOptions* block = nullptr;
  char* caption = nullptr;
  ModalDriver driver;
  driver.WaitForWindow("TReplPrflWindow", &dialog).Then([&] {
    HWND box = GetDlgItem(dialog, kProfileBox);
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::string item(static_cast<std::size_t>(SendMessageA(box, CB_GETLBTEXTLEN, i, 0)), '\0');
      SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      items.push_back(item);
    }
    ClickButton(GetDlgItem(dialog, kCancel));
  });
  EXPECT_TRUE(driver.Run([&] { plugin.showOptions(1, &block, &caption); }, 60000));
  plugin.freeOpt(block);
  return items;
}

TEST(CatalogueThroughTheDll, FiveThousandProfilesAreAllListedInTheirOrder) {
  HostFolder host;
  for (int i = 0; i < 5000; ++i) {
    char name[32];
    wsprintfA(name, "p%04d.pch", i);
    host.AddProfile(name, "");
  }
  PluginLibrary plugin;
  plugin.setDir(host.dir().c_str());
  const DWORD start = GetTickCount();
  plugin.initialize(nullptr);
  const DWORD scan_ms = GetTickCount() - start;
  const std::vector<std::string> items = ProfileBoxItems(plugin);
  std::printf("5,000 profiles: scanned in %lu ms\n", static_cast<unsigned long>(scan_ms));
  ASSERT_EQ(items.size(), 5000u);
  EXPECT_EQ(items.front(), "p0000.pch");  // wine's search delivers names sorted
  EXPECT_EQ(items.back(), "p4999.pch");
}

TEST(CatalogueThroughTheDll, NamesOver49CharactersAreLeftOutAndTheRestListedWhole) {
  HostFolder host;
  const std::string fits = std::string(45, 'a') + ".pch";  // 49 characters
  host.AddProfile(fits, "");
  host.AddProfile(std::string(46, 'b') + ".pch", "");   // 50
  host.AddProfile(std::string(196, 'c') + ".pch", "");  // 200
  PluginLibrary plugin;
  plugin.setDir(host.dir().c_str());
  plugin.initialize(nullptr);
  EXPECT_EQ(ProfileBoxItems(plugin), std::vector<std::string>{fits});
}

}  // namespace
