// What the options dialog does with the host's option block: the fresh block
// of CreateNew, the values shown at opening, what OK writes back and what
// every other way out leaves alone, the caption, the profile selection and
// the profile loaded for the radio captions, and the Info box.
#include "tests/wine/options_dialog_test.h"

namespace options_test {
namespace {

char* const kUntouchedCaption = reinterpret_cast<char*>(0x5A5A5A5A);

// The bytes of a block with a name whose bytes after the NUL hold a marker.
void MarkAfterName(TReplOptions* block) {
  const std::size_t end = std::strlen(block->ProfileName) + 1;
  std::memset(block->ProfileName + end, 0x5A, sizeof(block->ProfileName) - end);
}

class OptionsRecordTest : public OptionsDialogTest {};

TEST_F(OptionsRecordTest, CancelWithCreateNewLeavesAFreshDefaultBlock) {
  InitializeWithTwoProfiles();
  OptionsBlock hosts_old(plugin_);
  hosts_old.Profile("greek.pch").CaseSensitive(1).InExtension(1).Direction(1);
  const std::vector<unsigned char> old_bytes = Bytes(hosts_old.get());
  TReplOptions* variable = hosts_old.get();
  char* caption = kUntouchedCaption;
  Driver()
      .Then([&] {
        // The dialog shows the defaults, not the old block.
        EXPECT_TRUE(IsChecked(Controls().forward));
        EXPECT_FALSE(IsChecked(Controls().reverse));
        EXPECT_FALSE(IsChecked(Controls().case_box));
        EXPECT_FALSE(IsChecked(Controls().extension_box));
        EXPECT_EQ(Text(Controls().profile_box), "standart.pch");
      })
      .Then([&] { ClickButton(Controls().reverse); })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(1, &variable, &caption), 0);
  ASSERT_NE(variable, nullptr);
  EXPECT_NE(variable, hosts_old.get());
  EXPECT_EQ(Bytes(variable), DefaultBytes());
  EXPECT_EQ(Bytes(hosts_old.get()), old_bytes) << "neither read nor changed";
  EXPECT_EQ(caption, kUntouchedCaption);
  plugin_.freeOpt(variable);
}

TEST_F(OptionsRecordTest, OkWithCreateNewFillsTheFreshBlock) {
  InitializeWithTwoProfiles();
  TReplOptions* variable = nullptr;
  char* caption = nullptr;
  Driver()
      .Then([&] { ClickButton(Controls().case_box); })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(1, &variable, &caption), 1);
  ASSERT_NE(variable, nullptr);
  std::vector<unsigned char> expected = DefaultBytes();
  expected[50] = 1;
  EXPECT_EQ(Bytes(variable), expected);
  ASSERT_NE(caption, nullptr);
  EXPECT_STREQ(caption, "Транслит standart.pch");
  plugin_.freeOpt(variable);
}

TEST_F(OptionsRecordTest, OkAfterAnotherProfileStoresItsNameAndCaption) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  MarkAfterName(block.get());
  TReplOptions* const original = block.get();
  std::vector<unsigned char> expected = Bytes(block.get());
  std::memcpy(expected.data(), "greek.pch", 10);  // the name and its NUL
  char* caption = kUntouchedCaption;
  Driver()
      .Then([&] { EXPECT_EQ(Text(Controls().profile_box), "standart.pch"); })
      .Then([&] { SelectComboItem(Controls().profile_box, 0); })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(block.get(), original) << "the host's own block";
  EXPECT_EQ(Bytes(block.get()), expected) << "bytes after the NUL keep what they held";
  ASSERT_NE(caption, kUntouchedCaption);
  EXPECT_STREQ(caption, "Транслит greek.pch");

  // The caption stays readable after the call, and the next confirmed call
  // gives the next caption.
  Driver()
      .Then([&] { EXPECT_STREQ(caption, "Транслит greek.pch"); })
      .Then([&] { SelectComboItem(Controls().profile_box, 1); })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_STREQ(caption, "Транслит standart.pch");
}

TEST_F(OptionsRecordTest, DirectionsRoundTripThroughOk) {
  InitializeWithTwoProfiles();
  for (std::int32_t direction : {1, 0}) {
    SCOPED_TRACE(direction);
    OptionsBlock block(plugin_);
    block.Profile("standart.pch").Direction(direction);
    const std::vector<unsigned char> before = Bytes(block.get());
    char* caption = nullptr;
    Driver()
        .Then([&] {
          EXPECT_EQ(IsChecked(Controls().forward), direction == 0);
          EXPECT_EQ(IsChecked(Controls().reverse), direction == 1);
        })
        .Then([&] { ClickButton(Controls().ok); });
    EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
    EXPECT_EQ(Bytes(block.get()), before);
  }
}

TEST_F(OptionsRecordTest, NeitherRadioButtonCheckedGivesReverse) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("standart.pch").Direction(0);
  char* caption = nullptr;
  Driver()
      .Then([&] {
        SendMessageA(Controls().forward, BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(Controls().reverse, BM_SETCHECK, BST_UNCHECKED, 0);
      })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(block.get()->Direction, 1);
}

// Incoming bytes and directions out of range: any non-zero switch shows as
// checked, any non-zero direction as reverse; OK writes 0 or 1 only.
TEST_F(OptionsRecordTest, OkWritesZeroOrOneWhateverCameIn) {
  InitializeWithTwoProfiles();
  const struct {
    std::uint8_t case_in, extension_in;
    std::int32_t direction_in;
    bool click_case, click_extension;  // the user's clicks before OK
    std::uint8_t case_out, extension_out;
    std::int32_t direction_out;
  } cases[] = {
      {2, 0xFF, 7, false, false, 1, 1, 1},
      {0x80, 0, -1, true, false, 0, 0, 1},
      {0, 0x02, 0x100, false, true, 0, 0, 1},
      {1, 1, static_cast<std::int32_t>(0x80000000), false, false, 1, 1, 1},
      {0, 0, 0, true, true, 1, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.case_in} << " " << int{c.extension_in} << " "
                                    << c.direction_in);
    OptionsBlock block(plugin_);
    block.Profile("standart.pch")
        .CaseSensitive(c.case_in)
        .InExtension(c.extension_in)
        .Direction(c.direction_in);
    char* caption = nullptr;
    Driver()
        .Then([&] {
          EXPECT_EQ(IsChecked(Controls().case_box), c.case_in != 0);
          EXPECT_EQ(IsChecked(Controls().extension_box), c.extension_in != 0);
          EXPECT_EQ(IsChecked(Controls().forward), c.direction_in == 0);
          EXPECT_EQ(IsChecked(Controls().reverse), c.direction_in != 0);
          if (c.click_case) ClickButton(Controls().case_box);
          if (c.click_extension) ClickButton(Controls().extension_box);
        })
        .Then([&] { ClickButton(Controls().ok); });
    EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
    EXPECT_EQ(block.get()->CaseSensitive, c.case_out);
    EXPECT_EQ(block.get()->ReplaceInExtension, c.extension_out);
    EXPECT_EQ(block.get()->Direction, c.direction_out);
  }
}

TEST_F(OptionsRecordTest, ANamePrefixSelectsTheEntryButLoadsTheExactName) {
  InitializeWithTwoProfiles();
  // "standart" has no file of its own: the radio buttons keep their captions.
  for (const char* name : {"standart", "STANDART"}) {
    SCOPED_TRACE(name);
    OptionsBlock block(plugin_);
    block.Profile(name);
    char* caption = nullptr;
    Driver()
        .Then([&] {
          EXPECT_EQ(Text(Controls().profile_box), "standart.pch");
          EXPECT_EQ(Text(Controls().forward), "прямое");
          EXPECT_EQ(Text(Controls().reverse), "обратное");
        })
        .Then([&] { ClickButton(Controls().cancel); });
    EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  }
  // A file of exactly that name (outside the catalogue, which lists *.pch)
  // names the radio buttons.
  host_.AddProfile("standart", Profile("", "Точно", "Так"));
  OptionsBlock block(plugin_);
  block.Profile("standart");
  char* caption = nullptr;
  Driver()
      .Then([&] {
        EXPECT_EQ(Text(Controls().profile_box), "standart.pch");
        EXPECT_EQ(Text(Controls().forward), "Точно -> Так");
        EXPECT_EQ(Text(Controls().reverse), "Так -> Точно");
      })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_STREQ(block.get()->ProfileName, "standart.pch") << "OK stores the selected entry";
}

TEST_F(OptionsRecordTest, AProfileOutsideTheCatalogueSelectsNothing) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("gone.pch");
  MarkAfterName(block.get());
  std::vector<unsigned char> expected = Bytes(block.get());
  expected[0] = 0;
  char* caption = nullptr;
  Driver()
      .Then([&] {
        EXPECT_EQ(SendMessageA(Controls().profile_box, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(Text(Controls().profile_box), "");
      })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(Bytes(block.get()), expected) << "an empty name; the rest as it was";
  EXPECT_STREQ(caption, "Транслит ");
}

TEST_F(OptionsRecordTest, OpeningLoadsTheNamedProfileIntoTheRadioCaptions) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("greek.pch").Direction(1);
  char* caption = nullptr;
  Driver()
      .Then([&] {
        EXPECT_EQ(Text(Controls().forward), "Греческий -> Латиница");
        EXPECT_EQ(Text(Controls().reverse), "Латиница -> Греческий");
      })
      // Choosing another profile renames them at once and keeps the check.
      .Then([&] { SelectComboItem(Controls().profile_box, 1); })
      .Then([&] {
        EXPECT_EQ(Text(Controls().forward), "Кириллица -> Латиница");
        EXPECT_EQ(Text(Controls().reverse), "Латиница -> Кириллица");
        EXPECT_FALSE(IsChecked(Controls().forward));
        EXPECT_TRUE(IsChecked(Controls().reverse));
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

TEST_F(OptionsRecordTest, TheCloseBoxAfterAnEarlierOkAcceptsNothing) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  char* caption = nullptr;
  Driver().Then([&] { ClickButton(Controls().ok); });
  ASSERT_EQ(ShowDriven(0, block.address(), &caption), 1);
  char* const first_caption = caption;
  const std::vector<unsigned char> before = Bytes(block.get());

  Driver()
      .Then([&] { SelectComboItem(Controls().profile_box, 0); })
      .Then([&] { ClickButton(Controls().case_box); })
      .Then([&] { SendMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  EXPECT_EQ(Bytes(block.get()), before);
  EXPECT_EQ(caption, first_caption);
  EXPECT_STREQ(caption, "Транслит standart.pch");
}

TEST_F(OptionsRecordTest, AFortyNineCharacterNameIsReadInFull) {
  const std::string long_name = std::string(45, 'n') + ".pch";
  ASSERT_EQ(long_name.size(), 49u);
  host_.AddProfile("a.pch", Profile("Короткий", "A", "B"));
  host_.AddProfile(long_name, Profile("Длинный профиль", "Длинная", "Сторона"));
  Initialize();
  OptionsBlock block(plugin_);
  block.Profile("a.pch");
  std::optional<MessageBoxInfo> box;
  char* caption = nullptr;
  Driver()
      .Then([&] { EXPECT_EQ(Text(Controls().forward), "A -> B"); })
      .Then([&] { SelectComboItem(Controls().profile_box, 1); })
      .Then([&] { EXPECT_EQ(Text(Controls().forward), "Длинная -> Сторона"); })
      .Then([&] { ClickButton(Controls().info); })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->text, "Длинный профиль");
        AnswerMessageBox(*box);
      })
      .WaitFor([] { return !FindMessageBox().has_value(); })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(std::string(block.get()->ProfileName), long_name);
  EXPECT_EQ(block.get()->ProfileName[49], '\0');
  EXPECT_EQ(std::string(caption), "Транслит " + long_name);
}

TEST_F(OptionsRecordTest, InfoShowsTheSelectedProfilesLineInABoxOfTheDialog) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("greek.pch");
  std::optional<MessageBoxInfo> box;
  char* caption = nullptr;
  Driver()
      .Then([&] { SelectComboItem(Controls().profile_box, 1); })  // standart.pch
      .Then([&] { ClickButton(Controls().info); })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->caption, "Информация о профиле замены");
        EXPECT_EQ(box->text, "Стандартный");
        EXPECT_EQ(box->owner, dialog_);
        EXPECT_TRUE(box->ShowsInformationIcon());
        ASSERT_EQ(box->buttons.size(), 1u);
        EXPECT_EQ(box->buttons[0].first, IDOK);
        EXPECT_TRUE(IsWindow(dialog_));
        AnswerMessageBox(*box);
      })
      .WaitFor([] { return !FindMessageBox().has_value(); })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

TEST_F(OptionsRecordTest, InfoWithoutASelectionOrWithAVanishedFileShowsNothing) {
  InitializeWithTwoProfiles();
  OptionsBlock block(plugin_);
  block.Profile("gone.pch");
  char* caption = nullptr;
  MessageBoxWatch watch;
  DWORD waited = 0;
  const auto pause = [&] { waited = GetTickCount() + 200; };
  const auto paused = [&] { return static_cast<int>(GetTickCount() - waited) >= 0; };
  Driver()
      .Then([&] { ClickButton(Controls().info); })
      .Then(pause)
      .WaitFor(paused)
      .Then([&] { EXPECT_EQ(watch.seen(), 0) << "no selection"; })
      .Then([&] {
        SelectComboItem(Controls().profile_box, 0);
        ASSERT_TRUE(DeleteFileA((host_.profiles() + "greek.pch").c_str()));
        ClickButton(Controls().info);
      })
      .Then(pause)
      .WaitFor(paused)
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
  EXPECT_EQ(watch.seen(), 0);
}

TEST_F(OptionsRecordTest, AnEmptyCatalogueStoresAnEmptyName) {
  Initialize();
  OptionsBlock block(plugin_);
  block.Profile("standart.pch");
  MarkAfterName(block.get());
  std::vector<unsigned char> expected = Bytes(block.get());
  expected[0] = 0;
  char* caption = nullptr;
  Driver()
      .Then([&] { EXPECT_EQ(SendMessageA(Controls().profile_box, CB_GETCOUNT, 0, 0), 0); })
      .Then([&] { ClickButton(Controls().ok); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 1);
  EXPECT_EQ(Bytes(block.get()), expected);
  EXPECT_STREQ(caption, "Транслит ");
}

}  // namespace
}  // namespace options_test
