// Loading a profile for the windows: the rule arrays, the captions of the two
// direction buttons, the information box, and loads racing conversions.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "engine/profile.h"
#include "plugin/library_state.h"
#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/sample_window.h"
#include "tests/wine/support/window_probe.h"
#include "ui/chrome.h"
#include "ui/profile_loading.h"

namespace {

// A profile file: information line, left name, right name, rule lines.
std::string Profile(const std::string& information, const std::string& left,
                    const std::string& right, const std::vector<std::string>& rules) {
  std::string text = information + "\r\n" + left + "\r\n" + right;
  for (const std::string& rule : rules) text += "\r\n" + rule;
  return text;
}

std::vector<std::string> NumberedRules(char letter, int count) {
  std::vector<std::string> rules;
  for (int i = 1; i <= count; ++i) {
    rules.push_back(std::string(1, letter) + std::to_string(i) + " " +
                    std::string(1, static_cast<char>(letter - 'a' + 'A')) + std::to_string(i));
  }
  return rules;
}

void ScanProfileCatalogueIn(const std::string& dir) {
  PluginDir = dir;
  ScanProfileCatalogue();
}

std::string Caption(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// Two real radio buttons in ControlTable entries 0 and 1, as an open window
// has them.
class LoadProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                              nullptr, nullptr);
    for (int i = 0; i < 2; ++i) {
      ControlTable.DirectionButton[i] =
          CreateWindowExA(0, "button", kDirectionButtons[i].Caption,
                          WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 20 * i, 200, 17, parent_,
                          nullptr, nullptr, nullptr);
    }
    // Start from a known profile.
    LoadProfile(Add("start.pch", Profile("", "S", "T", {"s t"})));
  }
  void TearDown() override { DestroyWindow(parent_); }

  std::string Add(const std::string& name, const std::string& bytes) {
    host_.AddProfile(name, bytes);
    return ProfilePath(host_.dir(), name);
  }
  std::string Forward() const { return Caption(ControlTable.DirectionButton[0]); }
  std::string Reverse() const { return Caption(ControlTable.DirectionButton[1]); }

  HostFolder host_;
  HWND parent_ = nullptr;
};

TEST_F(LoadProfileTest, TheArraysHoldExactlyTheRuleLines) {
  LoadProfile(Add("fifteen.pch", Profile("i", "L", "R", NumberedRules('a', 15))));
  std::vector<TRule> rules = *LoadedRules();
  ASSERT_EQ(rules.size(), 15u);
  EXPECT_EQ(rules[14].Left, "a15");
  EXPECT_EQ(rules[14].Right, "A15");

  LoadProfile(Add("sixteen.pch", Profile("i", "L", "R", NumberedRules('b', 16))));
  rules = *LoadedRules();
  ASSERT_EQ(rules.size(), 16u);
  EXPECT_EQ(rules[0].Left, "b1");
  EXPECT_EQ(rules[15].Left, "b16");
  EXPECT_EQ(rules[15].Right, "B16");

  LoadProfile(Add("many.pch", Profile("i", "L", "R", NumberedRules('c', 46))));
  EXPECT_EQ(LoadedRules()->size(), 46u);

  LoadProfile(Add("none.pch", "info\r\nL\r\nR\r\n"));
  EXPECT_TRUE(LoadedRules()->empty());
}

TEST_F(LoadProfileTest, RuleLinesAreSplitAtTheirFirstSpace) {
  LoadProfile(Add("split.pch", Profile("i", "L", "R",
                                       {"a b c", "x/sy z", "self", "\xE6 zh", " lead", "trail "})));
  const std::vector<TRule> rules = *LoadedRules();
  ASSERT_EQ(rules.size(), 6u);
  EXPECT_EQ(rules[0].Left, "a");
  EXPECT_EQ(rules[0].Right, "b c");
  EXPECT_EQ(rules[1].Left, "x y");
  EXPECT_EQ(rules[1].Right, "z");
  EXPECT_EQ(rules[2].Left, "self");
  EXPECT_EQ(rules[2].Right, "self");
  EXPECT_EQ(rules[3].Left, "\xE6");  // Windows-1251 "ж" stays one byte
  EXPECT_EQ(rules[3].Right, "zh");
  EXPECT_EQ(rules[4].Left, "");
  EXPECT_EQ(rules[4].Right, "lead");
  EXPECT_EQ(rules[5].Left, "trail");
  EXPECT_EQ(rules[5].Right, "");
}

TEST_F(LoadProfileTest, TheSideNamesLabelTheDirectionButtons) {
  LoadProfile(Add("ab.pch", Profile("", "A", "B", {})));
  EXPECT_EQ(Forward(), "A -> B");
  EXPECT_EQ(Reverse(), "B -> A");
  LoadProfile(Add("cyr.pch", Profile("", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9", "Latin", {})));
  EXPECT_EQ(Forward(), "\xD0\xF3\xF1\xF1\xEA\xE8\xE9 -> Latin");
  EXPECT_EQ(Reverse(), "Latin -> \xD0\xF3\xF1\xF1\xEA\xE8\xE9");
}

TEST_F(LoadProfileTest, AMissingProfileAfterAPresentOneKeepsTheFirst) {
  LoadProfile(Add("first.pch", Profile("", "A", "B", {"a b", "c d"})));
  LoadProfile(ProfilePath(host_.dir(), "missing.pch"));
  LoadProfile(ProfilePath(host_.dir(), ""));  // an empty name: the folder itself
  EXPECT_EQ(Forward(), "A -> B");
  EXPECT_EQ(Reverse(), "B -> A");
  const std::vector<TRule> rules = *LoadedRules();
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[1].Left, "c");
}

TEST_F(LoadProfileTest, AShortFileGivesEmptyNamesAndNoRules) {
  LoadProfile(Add("short.pch", "only the information"));
  EXPECT_EQ(Forward(), " -> ");
  EXPECT_EQ(Reverse(), " -> ");
  EXPECT_TRUE(LoadedRules()->empty());
  LoadProfile(Add("empty.pch", ""));
  EXPECT_EQ(Forward(), " -> ");
  EXPECT_TRUE(LoadedRules()->empty());
}

TEST_F(LoadProfileTest, AProfileThatCannotBeOpenedBehavesAsMissing) {
  LoadProfile(Add("first.pch", Profile("", "A", "B", {"a b"})));
  const std::string locked = Add("locked.pch", Profile("info", "X", "Y", {"x y", "z w"}));
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  LoadProfile(locked);
  {
    MessageBoxWatch watch;
    ShowProfileInfo(locked, parent_);
    EXPECT_EQ(watch.seen(), 0);
  }
  CloseHandle(lock);
  EXPECT_EQ(Forward(), "A -> B");
  EXPECT_EQ(LoadedRules()->size(), 1u);
  LoadProfile(locked);  // readable again
  EXPECT_EQ(Forward(), "X -> Y");
  EXPECT_EQ(LoadedRules()->size(), 2u);
}

// A conversion keeps the list it took, whatever is loaded after it; the list
// is shared, not copied.
TEST_F(LoadProfileTest, ATakenRuleListStaysAsItWasThroughLaterLoads) {
  LoadProfile(Add("two.pch", Profile("", "A", "B", NumberedRules('a', 2))));
  const std::shared_ptr<const std::vector<TRule>> taken = LoadedRules();
  EXPECT_EQ(LoadedRules().get(), taken.get()) << "no load between: the same list";
  LoadProfile(Add("three.pch", Profile("", "C", "D", NumberedRules('c', 3))));
  ASSERT_EQ(taken->size(), 2u);
  EXPECT_EQ((*taken)[1].Left, "a2");
  EXPECT_EQ((*taken)[1].Right, "A2");
  EXPECT_NE(LoadedRules().get(), taken.get());
  EXPECT_EQ(LoadedRules()->size(), 3u);
}

// A conversion worker's side: takes rule snapshots until told to stop and
// counts those that are not one whole profile (40 rules "aN AN" or 25 "bN BN").
struct ReaderState {
  std::atomic<bool> stop{false};
  std::atomic<int> snapshots{0};
  std::atomic<int> mixed{0};
};

DWORD WINAPI ReadRulesUntilStopped(void* parameter) {
  auto& state = *static_cast<ReaderState*>(parameter);
  while (!state.stop) {
    // Read without a copy, as a conversion reads them, while loads go on.
    const std::shared_ptr<const std::vector<TRule>> taken = LoadedRules();
    const std::vector<TRule>& rules = *taken;
    const char letter = rules.size() == 40 ? 'a' : rules.size() == 25 ? 'b' : '?';
    bool whole = letter != '?';
    for (std::size_t i = 0; whole && i < rules.size(); ++i) {
      whole = rules[i].Left == std::string(1, letter) + std::to_string(i + 1) &&
              rules[i].Right.size() == rules[i].Left.size();
    }
    if (!whole) ++state.mixed;
    ++state.snapshots;
  }
  return 0;
}

TEST_F(LoadProfileTest, LoadsNeverShowAHalfReplacedSetToAConversion) {
  const std::string a = Add("a.pch", Profile("", "A", "a", NumberedRules('a', 40)));
  const std::string b = Add("b.pch", Profile("", "B", "b", NumberedRules('b', 25)));
  LoadProfile(a);

  ReaderState shared;
  HANDLE thread = CreateThread(nullptr, 0, ReadRulesUntilStopped, &shared, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  for (int i = 0; i < 300; ++i) LoadProfile(i % 2 ? a : b);
  shared.stop = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_GT(shared.snapshots.load(), 0);
  EXPECT_EQ(shared.mixed.load(), 0);
}

// ---- The information box ---------------------------------------------------

constexpr char kInfoCaptionBytes[] =
    "\xC8\xED\xF4\xEE\xF0\xEC\xE0\xF6\xE8\xFF \xEE \xEF\xF0\xEE\xF4\xE8\xEB\xE5 "
    "\xE7\xE0\xEC\xE5\xED\xFB";  // "Информация о профиле замены"

TEST_F(LoadProfileTest, TheInformationLineIsShownInABoxOfItsOwner) {
  const std::string path = Add("info.pch", Profile("\xD2\xE5\xF1\xF2 1.0", "A", "B", {}));
  ModalDriver driver;
  std::optional<MessageBoxInfo> box;
  driver.WaitForMessageBox(&box).Then([&] {
    EXPECT_EQ(box->text, "\xD2\xE5\xF1\xF2 1.0");
    EXPECT_EQ(box->caption, kInfoCaptionBytes);
    EXPECT_EQ(box->owner, parent_);
    AnswerMessageBox(*box);
  });
  EXPECT_TRUE(driver.Run([&] { ShowProfileInfo(path, parent_); }));
}

TEST_F(LoadProfileTest, AnEmptyInformationLineStillShowsTheBox) {
  const std::string path = Add("blank.pch", Profile("", "A", "B", {"a b"}));
  ModalDriver driver;
  std::optional<MessageBoxInfo> box;
  driver.WaitForMessageBox(&box).Then([&] {
    EXPECT_EQ(box->text, "");
    EXPECT_EQ(box->caption, kInfoCaptionBytes);
    EXPECT_TRUE(box->ShowsInformationIcon());
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].first, IDOK);
    AnswerMessageBox(*box);
  });
  EXPECT_TRUE(driver.Run([&] { ShowProfileInfo(path, parent_); }));
}

TEST_F(LoadProfileTest, AMissingProfileShowsNoBox) {
  MessageBoxWatch watch;
  ShowProfileInfo(ProfilePath(host_.dir(), "missing.pch"), parent_);
  ShowProfileInfo(ProfilePath(host_.dir(), ""), parent_);
  EXPECT_EQ(watch.seen(), 0);
}

TEST_F(LoadProfileTest, TheInfoButtonOfAReopenedWindowOwnsItsBox) {
  SampleProfilePath = Add("sample.pch", Profile("sample info", "Left", "Right", {"l r"}));
  HWND first = nullptr;
  {
    ModalDriver driver;
    driver.WaitForWindow(kSampleWindowClass, &first).Then([&] {
      EXPECT_EQ(Caption(ControlTable.DirectionButton[0]), "Left -> Right");
      EXPECT_EQ(Caption(ControlTable.DirectionButton[1]), "Right -> Left");
      ClickButton(FindChildById(first, kSampleCloseId));
    });
    ASSERT_TRUE(driver.Run(RunSampleWindow));
  }
  ModalDriver driver;
  HWND second = nullptr;
  std::optional<MessageBoxInfo> box;
  driver.WaitForWindow(kSampleWindowClass, &second)
      .Then([&] { ClickButton(FindChildById(second, kSampleInfoId)); })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->owner, second);
        EXPECT_EQ(box->text, "sample info");
        AnswerMessageBox(*box);
      })
      .WaitFor([&] { return !IsWindow(box->handle); })
      .Then([&] { ClickButton(FindChildById(second, kSampleCloseId)); });
  EXPECT_TRUE(driver.Run(RunSampleWindow));
  SampleProfilePath.clear();
}

TEST_F(LoadProfileTest, ChoosingAnotherProfileRelabelsTheOpenWindowAtOnce) {
  // The sample window fills its profile box from the catalogue of this folder.
  Add("ab.pch", Profile("", "A", "B", {"a b"}));
  Add("cd.pch", Profile("", "C", "D", {"c d", "e f"}));
  ScanProfileCatalogueIn(host_.dir());
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kSampleWindowClass, &window)
      .Then([&] {
        HWND box = FindChildById(window, kSampleProfileBoxId);
        ASSERT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), ProfileCatalogue.Count);
        const int cd = static_cast<int>(
            SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("cd.pch")));
        ASSERT_GE(cd, 0);
        ClickButton(ControlTable.DirectionButton[1]);
        SelectComboItem(box, cd);
        EXPECT_EQ(Caption(ControlTable.DirectionButton[0]), "C -> D");
        EXPECT_EQ(Caption(ControlTable.DirectionButton[1]), "D -> C");
        EXPECT_TRUE(IsChecked(ControlTable.DirectionButton[1])) << "the check is kept";
        EXPECT_EQ(LoadedRules()->size(), 2u);
      })
      .Then([&] { ClickButton(FindChildById(window, kSampleCloseId)); });
  EXPECT_TRUE(driver.Run(RunSampleWindow));
}

}  // namespace
