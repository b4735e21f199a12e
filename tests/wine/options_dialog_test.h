// What the options dialog's tests share: a host folder with profiles, the
// real translit.dll set up as the host sets it up, and helpers to open the
// dialog through showOptions and drive it from inside its modal loop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "translit/plugin_api.h"
#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/window_probe.h"

namespace options_test {

inline constexpr char kDialogClass[] = "TReplPrflWindow";

// Control IDs of the dialog.
enum : int { kOk = 1, kCancel = 2, kForward = 3, kReverse = 4, kInfo = 5, kProfileBox = 6 };

// A profile file: information line, the two side names, rule lines.
inline std::string Profile(const std::string& information, const std::string& left,
                           const std::string& right) {
  return information + "\r\n" + left + "\r\n" + right + "\r\nа a\r\nб b\r\n";
}

// The 56 bytes of a block.
inline std::vector<unsigned char> Bytes(const TReplOptions* block) {
  const auto* at = reinterpret_cast<const unsigned char*>(block);
  return std::vector<unsigned char>(at, at + sizeof(TReplOptions));
}

// The defaults of a fresh block: "standart.pch", NUL bytes, 0, 0, 0.
inline std::vector<unsigned char> DefaultBytes() {
  TReplOptions block{};
  std::memcpy(block.ProfileName, "standart.pch", 12);
  return Bytes(&block);
}

inline std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// The dialog's controls, found by their place in the child list (the
// controls with ID 0 have no other name).
struct DialogControls {
  HWND group = nullptr, forward = nullptr, reverse = nullptr, ok = nullptr, cancel = nullptr,
       info = nullptr, case_box = nullptr, extension_box = nullptr, label = nullptr,
       profile_box = nullptr;
};
inline DialogControls ControlsOf(HWND dialog) {
  DialogControls controls;
  HWND* const in_creation_order[] = {
      &controls.group,    &controls.forward,       &controls.reverse, &controls.ok,
      &controls.cancel,   &controls.info,          &controls.case_box, &controls.extension_box,
      &controls.label,    &controls.profile_box,
  };
  HWND child = GetWindow(dialog, GW_CHILD);
  for (HWND* slot : in_creation_order) {
    if (!child) break;
    *slot = child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return controls;
}

// Presses a key as the keyboard does (SendInput), with Shift or Alt held
// around it.
enum class Modifier { kNone, kShift, kAlt };
inline void PressKey(WORD key, Modifier modifier = Modifier::kNone) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  const WORD held = modifier == Modifier::kShift ? VK_SHIFT
                    : modifier == Modifier::kAlt ? VK_MENU
                                                 : 0;
  if (held) add(held, false);
  add(key, false);
  add(key, true);
  if (held) add(held, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A driver step that presses a key, and a wait until the loop has taken it:
// the driver's timer ticks again only when no input is left in the queue.
inline ModalDriver& Press(ModalDriver& driver, WORD key, Modifier modifier = Modifier::kNone) {
  auto ticks = std::make_shared<int>(0);
  return driver.Then([key, modifier] { PressKey(key, modifier); }).WaitFor([ticks] {
    return ++*ticks > 1;
  });
}

// Every test loads its own copy of the DLL over its own host folder. The
// catalogue holds the profiles the test adds before Initialize.
class OptionsDialogTest : public ::testing::Test {
 protected:
  void Initialize() {
    plugin_.setDir(host_.dir().c_str());
    plugin_.initialize(host_window_.get());
  }
  // The usual catalogue: standart.pch and greek.pch, sides named apart.
  void InitializeWithTwoProfiles() {
    host_.AddProfile("standart.pch", Profile("Стандартный", "Кириллица", "Латиница"));
    host_.AddProfile("greek.pch", Profile("Греческий", "Греческий", "Латиница"));
    Initialize();
  }

  // Opens the dialog with showOptions over variable, runs the steps of
  // driver inside it (the first step waits for the dialog and stores it in
  // dialog_), and returns showOptions' result.
  std::int32_t Show(ModalDriver& driver, std::uint8_t create_new, TReplOptions** variable,
                    char** caption) {
    std::int32_t result = -1;
    EXPECT_TRUE(driver.Run([&] { result = plugin_.showOptions(create_new, variable, caption); }));
    return result;
  }
  // The first step every driver needs.
  ModalDriver& Driver() {
    driver_ = ModalDriver();
    driver_.WaitForWindow(kDialogClass, &dialog_);
    return driver_;
  }
  std::int32_t ShowDriven(std::uint8_t create_new, TReplOptions** variable, char** caption) {
    return Show(driver_, create_new, variable, caption);
  }
  DialogControls Controls() const { return ControlsOf(dialog_); }

  HostFolder host_;
  TestHostWindow host_window_;
  PluginLibrary plugin_;
  ModalDriver driver_;
  HWND dialog_ = nullptr;
};

}  // namespace options_test
