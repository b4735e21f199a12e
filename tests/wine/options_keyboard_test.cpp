// The options dialog's keyboard, pressed as a user presses it (SendInput):
// Enter, Escape, Tab and the arrows inside the dialog, the drop-down list
// keeping its own keys, the host's windows keeping theirs, and no hot key
// taken from the rest of the system.
#include "tests/wine/options_dialog_test.h"

namespace options_test {
namespace {

char* const kUntouchedCaption = reinterpret_cast<char*>(0x5A5A5A5A);

class OptionsKeyboardTest : public OptionsDialogTest {
 protected:
  void SetUp() override { InitializeWithTwoProfiles(); }
};

TEST_F(OptionsKeyboardTest, EnterConfirmsAsOk) {
  OptionsBlock block(plugin_);
  block.Profile("standart.pch").Direction(0);
  char* caption = nullptr;
  Driver()
      .Then([&] { SelectComboItem(Controls().profile_box, 0); })  // greek.pch
      .Then([&] { ASSERT_EQ(GetFocus(), Controls().profile_box); })
      .Then([&] { PressKey(VK_RETURN); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_STREQ(block.get()->ProfileName, "greek.pch");
  ASSERT_NE(caption, nullptr);
  EXPECT_STREQ(caption, "Транслит greek.pch");
}

TEST_F(OptionsKeyboardTest, EscapeCancels) {
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  const std::vector<unsigned char> before = Bytes(block.get());
  char* const kUntouched = reinterpret_cast<char*>(0x1234);
  char* caption = kUntouched;
  Driver()
      .Then([&] { SelectComboItem(Controls().profile_box, 0); })
      .Then([&] { PressKey(VK_ESCAPE); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  EXPECT_EQ(Bytes(block.get()), before);
  EXPECT_EQ(caption, kUntouched);
}

TEST_F(OptionsKeyboardTest, EnterOnAFocusedPushButtonPressesThatButton) {
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  std::optional<MessageBoxInfo> box;
  char* caption = kUntouchedCaption;
  ModalDriver& driver = Driver().Then([&] { SetFocus(Controls().info); });
  Press(driver, VK_RETURN)
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->text, "Стандартный");
        AnswerMessageBox(*box);
      })
      .WaitFor([] { return !FindMessageBox().has_value(); })
      .Then([&] { EXPECT_TRUE(IsWindow(dialog_)); })
      .Then([&] { SetFocus(Controls().cancel); })
      .Then([&] { PressKey(VK_RETURN); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  EXPECT_EQ(caption, kUntouchedCaption);
}

TEST_F(OptionsKeyboardTest, AnOpenListKeepsEnterEscapeAndTheArrows) {
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  char* caption = nullptr;
  const auto dropped = [&] {
    return SendMessageA(Controls().profile_box, CB_GETDROPPEDSTATE, 0, 0) != 0;
  };
  Driver()
      .Then([&] { SendMessageA(Controls().profile_box, CB_SHOWDROPDOWN, TRUE, 0); })
      .WaitFor(dropped);
  Press(driver_, VK_UP);  // greek.pch in the list
  Press(driver_, VK_RETURN)
      .WaitFor([&] { return !dropped(); })
      .Then([&] {
        EXPECT_TRUE(IsWindow(dialog_)) << "Enter closed the list, not the dialog";
        EXPECT_EQ(Text(Controls().profile_box), "greek.pch");
        EXPECT_TRUE(IsChecked(Controls().forward)) << "the arrows were the list's";
        SendMessageA(Controls().profile_box, CB_SHOWDROPDOWN, TRUE, 0);
      })
      .WaitFor(dropped);
  Press(driver_, VK_ESCAPE)
      .WaitFor([&] { return !dropped(); })
      .Then([&] { EXPECT_TRUE(IsWindow(dialog_)) << "Escape closed the list, not the dialog"; })
      .Then([&] { PressKey(VK_RETURN); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_STREQ(block.get()->ProfileName, "greek.pch");
}

TEST_F(OptionsKeyboardTest, TabWalksTheControlsInOrderAndWraps) {
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  DialogControls c;
  std::vector<HWND> forward, backward;
  ModalDriver& driver = Driver();
  driver.Then([&] {
    c = Controls();
    forward.push_back(GetFocus());
  });
  for (int i = 0; i < 8; ++i) {
    Press(driver, VK_TAB).Then([&] { forward.push_back(GetFocus()); });
  }
  for (int i = 0; i < 8; ++i) {
    Press(driver, VK_TAB, Modifier::kShift).Then([&] { backward.push_back(GetFocus()); });
  }
  driver.Then([&] { ClickButton(c.cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);

  const std::vector<HWND> order = {c.profile_box, c.info,          c.forward, c.reverse,
                                   c.case_box,    c.extension_box, c.ok,      c.cancel,
                                   c.profile_box};
  EXPECT_EQ(forward, order);
  const std::vector<HWND> back_order = {c.cancel,  c.ok,      c.extension_box, c.case_box,
                                        c.reverse, c.forward, c.info,          c.profile_box};
  EXPECT_EQ(backward, back_order);
}

TEST_F(OptionsKeyboardTest, TheArrowsMoveBetweenTheRadioButtonsAndCheckThem) {
  OptionsBlock block(plugin_);
  block.Profile("standart.pch").Direction(0);
  char* caption = nullptr;
  ModalDriver& driver = Driver();
  Press(driver, VK_TAB);
  Press(driver, VK_TAB).Then([&] { ASSERT_EQ(GetFocus(), Controls().forward); });
  Press(driver, VK_DOWN).Then([&] {
    EXPECT_EQ(GetFocus(), Controls().reverse);
    EXPECT_TRUE(IsChecked(Controls().reverse));
    EXPECT_FALSE(IsChecked(Controls().forward));
  });
  Press(driver, VK_RIGHT).Then([&] {  // wraps to the first
    EXPECT_EQ(GetFocus(), Controls().forward);
    EXPECT_TRUE(IsChecked(Controls().forward));
    EXPECT_FALSE(IsChecked(Controls().reverse));
  });
  Press(driver, VK_UP).Then([&] {
    EXPECT_EQ(GetFocus(), Controls().reverse);
    EXPECT_TRUE(IsChecked(Controls().reverse));
    EXPECT_FALSE(IsChecked(Controls().forward));
  });
  Press(driver, VK_LEFT).Then([&] {
    EXPECT_EQ(GetFocus(), Controls().forward);
    EXPECT_TRUE(IsChecked(Controls().forward));
  });
  Press(driver, VK_DOWN);
  Press(driver, VK_TAB).Then([&] { ASSERT_EQ(GetFocus(), Controls().case_box); });
  Press(driver, VK_DOWN).Then([&] {
    EXPECT_EQ(GetFocus(), Controls().case_box) << "the arrows move only among the radios";
    EXPECT_TRUE(IsChecked(Controls().reverse));
  });
  Press(driver, VK_SPACE).Then([] { PressKey(VK_RETURN); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(block.get()->Direction, 1);
  EXPECT_EQ(block.get()->CaseSensitive, 1) << "Space ticks the focused box";
}

// A window of the host's, enabled while the dialog runs (a tool window,
// say), that records the keys it is given.
class HostToolWindow {
 public:
  HostToolWindow() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "TranslitTestHostTool";
    RegisterClassA(&window_class);
    window_ = CreateWindowExA(0, window_class.lpszClassName, "tool", WS_POPUP | WS_VISIBLE, 0,
                              0, 50, 50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    keys().clear();
  }
  ~HostToolWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }
  static std::vector<std::pair<UINT, WPARAM>>& keys() {
    static std::vector<std::pair<UINT, WPARAM>> seen;
    return seen;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KEYDOWN || message == WM_CHAR) keys().emplace_back(message, wparam);
    return DefWindowProcA(window, message, wparam, lparam);
  }
  HWND window_;
};

TEST_F(OptionsKeyboardTest, TheHostsOwnWindowsKeepTheirKeys) {
  HostToolWindow tool;
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  char* caption = nullptr;
  Driver()
      .Then([&] {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB}) {
          PostMessageA(tool.get(), WM_KEYDOWN, key, 1);
        }
      })
      .WaitFor([&] { return HostToolWindow::keys().size() >= 6; })
      .Then([&] {
        EXPECT_TRUE(IsWindow(dialog_)) << "the host's keys are not the dialog's";
        EXPECT_EQ(GetFocus(), Controls().profile_box);
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  // Dispatched, and translated into characters on the way.
  // (The characters are posted behind the three keys.)
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_TAB},
      {WM_CHAR, '\r'},         {WM_CHAR, 0x1B},         {WM_CHAR, '\t'}};
  EXPECT_EQ(HostToolWindow::keys(), expected);
}

// Registering a hot key fails when any window of the system holds it.
bool HotKeyIsFree(UINT modifiers, UINT key) {
  constexpr int kProbeId = 0x7001;
  if (!RegisterHotKey(nullptr, kProbeId, modifiers, key)) return false;
  UnregisterHotKey(nullptr, kProbeId);
  return true;
}

TEST_F(OptionsKeyboardTest, TheDialogTakesNoHotKeys) {
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  Driver()
      .Then([&] {
        EXPECT_TRUE(HotKeyIsFree(0, VK_RETURN));
        EXPECT_TRUE(HotKeyIsFree(0, VK_TAB));
        EXPECT_TRUE(HotKeyIsFree(MOD_SHIFT, VK_TAB));
      })
      .Then([&] { PressKey(VK_RETURN); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_TRUE(HotKeyIsFree(0, VK_RETURN));
  EXPECT_TRUE(HotKeyIsFree(0, VK_TAB));
  EXPECT_TRUE(HotKeyIsFree(MOD_SHIFT, VK_TAB));
}

}  // namespace
}  // namespace options_test
