// The options dialog's run as the host sees it: the host's window disabled
// while the dialog runs and enabled and in front afterwards, whichever way
// the dialog closes; a dialog that cannot be created; and hundreds of
// openings that release every object they create.
#include "tests/wine/options_dialog_test.h"

#include <iterator>

#include "tests/wine/support/gdi_counter.h"

namespace options_test {
namespace {

struct WayOut {
  const char* name;
  std::int32_t result;
  void (*close)(HWND dialog);
};

const WayOut kWaysOut[] = {
    {"OK", 1, [](HWND dialog) { ClickButton(GetDlgItem(dialog, kOk)); }},
    {"Cancel", 0, [](HWND dialog) { ClickButton(GetDlgItem(dialog, kCancel)); }},
    {"close box", 0, [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"WM_CLOSE", 0, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    {"Alt+F4", 0, [](HWND) { PressKey(VK_F4, Modifier::kAlt); }},
    {"Enter", 1, [](HWND) { PressKey(VK_RETURN); }},
    {"Escape", 0, [](HWND) { PressKey(VK_ESCAPE); }},
};

class OptionsLifecycleTest : public OptionsDialogTest {};

TEST_F(OptionsLifecycleTest, TheHostIsDisabledWhileOpenAndInFrontAfterwards) {
  InitializeWithTwoProfiles();
  for (const WayOut& way : kWaysOut) {
    SCOPED_TRACE(way.name);
    OptionsBlock block(plugin_);
    block.Profile("standart.pch");
    char* caption = nullptr;
    // Something else in front of the host before the dialog opens.
    SetForegroundWindow(GetDesktopWindow());
    Driver()
        .Then([&] {
          EXPECT_FALSE(IsWindowEnabled(host_window_.get()));
          EXPECT_TRUE(IsWindowVisible(dialog_));
          EXPECT_EQ(GetForegroundWindow(), dialog_);
        })
        .Then([&] { way.close(dialog_); });
    EXPECT_EQ(ShowDriven(0, block.address(), &caption), way.result);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_TRUE(IsWindowEnabled(host_window_.get()));
    EXPECT_EQ(GetForegroundWindow(), host_window_.get());
  }
}

TEST_F(OptionsLifecycleTest, ADialogThatCannotBeCreatedLeavesEverythingAsItWas) {
  InitializeWithTwoProfiles();
  // Without its class the dialog's window cannot be created.
  ASSERT_TRUE(UnregisterClassA(kDialogClass, GetModuleHandleA(nullptr)));

  OptionsBlock block(plugin_);
  block.Profile("greek.pch").CaseSensitive(1).Direction(1);
  const std::vector<unsigned char> before = Bytes(block.get());
  TReplOptions* const original = block.get();
  char* const kUntouched = reinterpret_cast<char*>(0x5A5A5A5A);
  char* caption = kUntouched;
  EXPECT_EQ(plugin_.showOptions(0, block.address(), &caption), 0);
  EXPECT_EQ(block.get(), original);
  EXPECT_EQ(Bytes(block.get()), before);
  EXPECT_EQ(caption, kUntouched);
  EXPECT_TRUE(IsWindowEnabled(host_window_.get()));

  // CreateNew still hands out its fresh block.
  TReplOptions* variable = block.get();
  EXPECT_EQ(plugin_.showOptions(1, &variable, &caption), 0);
  ASSERT_NE(variable, block.get());
  EXPECT_EQ(Bytes(variable), DefaultBytes());
  EXPECT_EQ(caption, kUntouched);
  EXPECT_TRUE(IsWindowEnabled(host_window_.get()));
  plugin_.freeOpt(variable);

  MSG quit{};
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
      << "the host's loop must not see a quit message";
}

TEST_F(OptionsLifecycleTest, HundredsOfOpeningsReleaseEveryObjectTheyCreate) {
  InitializeWithTwoProfiles();
  constexpr int kOpenings = 300;
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  char* caption = nullptr;
  GdiCounter counter(plugin_.module());
  const DWORD start = GetTickCount();
  ASSERT_TRUE(OpenAndCloseRepeatedly(
      kOpenings, kDialogClass, [&] { plugin_.showOptions(0, block.address(), &caption); },
      [](HWND dialog, int opening) {
        const WayOut& way = kWaysOut[static_cast<std::size_t>(opening) % std::size(kWaysOut)];
        way.close(dialog);
      }));
  RecordProperty("openings_ms", static_cast<int>(GetTickCount() - start));
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
  // Each opening made its own: three fonts, two pens, the banner, three
  // icons and their image lists, and memory contexts for the banner.
  EXPECT_EQ(counter.Created(GdiKind::kFont), 3 * kOpenings) << counter.Report();
  EXPECT_EQ(counter.Created(GdiKind::kPen), 2 * kOpenings);
  EXPECT_EQ(counter.Created(GdiKind::kBitmap), kOpenings);
  EXPECT_GE(counter.Created(GdiKind::kIcon), 3 * kOpenings);
  EXPECT_EQ(counter.Created(GdiKind::kImageList), 3 * kOpenings);
  EXPECT_GE(counter.Created(GdiKind::kDC), kOpenings);
}

}  // namespace
}  // namespace options_test
