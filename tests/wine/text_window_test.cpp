// The text window through the real translit.dll, opened by clickBtn as the
// host opens it: its layout, its opening state, every command, and both
// ways of closing it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/gdi_counter.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/text_window_fixture.h"

namespace {

// Two small profiles; a.pch comes first in the catalogue.
const std::string kProfileA =
    ProfileText("Профиль А: проба", "Кириллица", "Латиница",
                {"щ shch", "ж zh", "Ж Zh", "а a", "б b", "в v", "и i", "к k", "о o", "р r",
                 "с s", "т t"});
const std::string kProfileB =
    ProfileText("Профиль Б", "Буквы", "Цифры", {"а 1", "б 2", "в 3"});
// The example of a rule in one case only.
const std::string kProfileCase = ProfileText("Регистр", "Слева", "Справа", {"Ж Zh"});

class TextWindow : public TextWindowTest {
 protected:
  void LoadWithTwoProfiles() {
    AddProfile("a.pch", kProfileA);
    AddProfile("b.pch", kProfileB);
    Load();
  }
};

// ---- Layout -----------------------------------------------------------------

struct ExpectedControl {
  const char* class_name;  // as registered
  const char* caption;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE
  DWORD ex_style;
  int x, y, width, height;  // width -1: the client width
  int id;
};

constexpr DWORD kGroupBox = WS_GROUP | BS_LEFT | BS_GROUPBOX;
constexpr DWORD kRadio = BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kField = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;

const ExpectedControl kExpectedControls[] = {
    {"Button", "Опции", kGroupBox, 0, 0, 0, -1, 105, 0},
    {"Button", "Направление", kGroupBox, 0, 8, 40, 405, 37, 0},
    {"Button", "прямое", kRadio, 0, 16, 55, 190, 17, 3},
    {"Button", "обратное", kRadio, 0, 216, 55, 190, 17, 4},
    {"Edit", "", kField, WS_EX_CLIENTEDGE, 0, 108, -1, 142, 10},
    {"Edit", "", kField, WS_EX_CLIENTEDGE, 0, 253, -1, 144, 0},
    {"Button", "Закрыть", BS_PUSHBUTTON, 0, 334, 407, 81, 27, 7},
    {"Button", "Инфо", BS_PUSHBUTTON, 0, 338, 15, 75, 24, 8},
    {"Button", "Учитывать регистр", BS_AUTOCHECKBOX, 0, 8, 82, 405, 17, 11},
    {"Static", "Профиль замены:", SS_LEFT, 0, 8, 20, 89, 13, 0},
    {"ComboBox", "", CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 103, 17, 229, 21, 9},
};

void ExpectDialogFont(const ControlInfo& info) {
  EXPECT_EQ(info.font_face, "Tahoma");
  EXPECT_EQ(info.font_height, -11);
  EXPECT_EQ(info.font_weight, 400);
  EXPECT_EQ(info.font_charset, DEFAULT_CHARSET);
}

// The index of the first message of a kind in a list, or -1.
int IndexOf(const std::vector<SentMessage>& messages, UINT message) {
  for (std::size_t i = 0; i < messages.size(); ++i) {
    if (messages[i].message == message) return static_cast<int>(i);
  }
  return -1;
}

TEST_F(TextWindow, TheWindowIsACaptionOnlyWindowCentredOnTheScreen) {
  Load();
  WindowSpy spy;
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kTextClass, &window).Then([&] {
    const CreatedWindow* creation = spy.CreationOf(window);
    ASSERT_NE(creation, nullptr);
    EXPECT_EQ(creation->style, static_cast<DWORD>(WS_CAPTION)) << "title bar and frame alone";
    EXPECT_EQ(creation->ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u);
    EXPECT_EQ(creation->caption, "Транслит текста :: Модуль транслита");
    EXPECT_EQ(creation->parent, host());
    EXPECT_EQ(creation->menu, 0);
    EXPECT_EQ(creation->instance, nullptr);
    EXPECT_EQ(creation->param, nullptr);

    const ControlInfo info = DescribeWindow(window);
    EXPECT_EQ(info.class_name, kTextClass);
    EXPECT_EQ(info.caption, "Транслит текста :: Модуль транслита");
    EXPECT_EQ(info.style & WS_SYSMENU, 0u) << "no system menu, so no close box";
    EXPECT_EQ(info.style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    HDC screen = GetDC(nullptr);
    const int screen_width = GetDeviceCaps(screen, HORZRES);
    const int screen_height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(info.rect.left, screen_width / 2 - 215);
    EXPECT_EQ(info.rect.top, screen_height / 2 - 234);
    if (screen_width == 1024 && screen_height == 768) {
      EXPECT_EQ(info.rect.left, 297);
      EXPECT_EQ(info.rect.top, 150);
    }
    EXPECT_EQ(info.width(), 431);
    EXPECT_EQ(info.height(), 469);
    EXPECT_EQ(GetWindow(window, GW_OWNER), host());
    // The window itself is given DialogFont too (a top-level window does not
    // keep it for WM_GETFONT: look at the font sent).
    const std::vector<SentMessage> fonts = spy.SentTo(window, WM_SETFONT);
    ASSERT_EQ(fonts.size(), 1u);
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(fonts[0].wparam), sizeof(font), &font), 0);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(fonts[0].lparam, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(fonts[0].wparam),
              reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(window, kSourceId), WM_GETFONT, 0, 0)))
        << "the same font as the controls";
    ClickButton(GetDlgItem(window, kCloseId));
  });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, ElevenControlsAreMadeFromTheTableInOrder) {
  Load();
  WindowSpy spy;
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kTextClass, &window).Then([&] {
    const int client_width = ClientSize(window).cx;
    const std::vector<ControlInfo> children = ChildControls(window);
    ASSERT_EQ(children.size(), std::size(kExpectedControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
      const ExpectedControl& expected = kExpectedControls[i];
      const ControlInfo& actual = children[i];
      SCOPED_TRACE(testing::Message() << "row " << i + 1 << " " << expected.caption);
      EXPECT_EQ(actual.class_name, expected.class_name);
      EXPECT_EQ(actual.caption, expected.caption);
      EXPECT_EQ(actual.id, expected.id);
      EXPECT_EQ(actual.rect.left, expected.x);
      EXPECT_EQ(actual.rect.top, expected.y);
      EXPECT_EQ(actual.width(), expected.width < 0 ? client_width : expected.width);
      if (expected.id != kProfileBoxId) {
        EXPECT_EQ(actual.height(), expected.height);
      }
      ExpectDialogFont(actual);

      const CreatedWindow* creation = spy.CreationOf(actual.handle);
      ASSERT_NE(creation, nullptr);
      EXPECT_EQ(creation->style, WS_CHILD | WS_VISIBLE | expected.style);
      EXPECT_EQ(creation->ex_style, expected.ex_style);
      EXPECT_EQ(creation->height, expected.height);
      EXPECT_EQ(creation->menu, expected.id);
      EXPECT_EQ(creation->instance, plugin().module());
      EXPECT_EQ(creation->param, nullptr);
      EXPECT_EQ(creation->parent, window);
      // The font is set with no redraw.
      const std::vector<SentMessage> fonts = spy.SentTo(actual.handle, WM_SETFONT);
      ASSERT_EQ(fonts.size(), 1u);
      EXPECT_EQ(fonts[0].lparam, 0);
    }
    // Both text fields scroll, so that a long text is taken whole.
    for (int row : {4, 5}) {
      EXPECT_EQ(children[static_cast<std::size_t>(row)].style & (ES_AUTOVSCROLL | WS_VSCROLL),
                static_cast<DWORD>(ES_AUTOVSCROLL | WS_VSCROLL));
    }
    // Close and Info get their icons before their font.
    for (int row : {6, 7}) {
      const std::vector<SentMessage> sent = spy.SentTo(children[static_cast<std::size_t>(row)].handle);
      const int image = IndexOf(sent, BCM_SETIMAGELIST);
      SCOPED_TRACE(row);
      ASSERT_GE(image, 0) << "an image list is offered";
      EXPECT_LT(image, IndexOf(sent, WM_SETFONT));
    }
    for (std::size_t row = 0; row < children.size(); ++row) {
      if (row == 6 || row == 7) continue;
      EXPECT_TRUE(spy.SentTo(children[row].handle, BCM_SETIMAGELIST).empty()) << row;
    }
    ClickButton(GetDlgItem(window, kCloseId));
  });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, TheProfileBoxListsTheCatalogueUnsorted) {
  AddProfile("b.pch", kProfileB);
  AddProfile("a.pch", kProfileA);
  AddProfile("c.pch", kProfileCase);
  Load();
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kTextClass, &window).Then([&] {
    const HWND box = GetDlgItem(window, kProfileBoxId);
    ASSERT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & CBS_SORT, 0);
    char item[64] = {};
    const char* names[] = {"a.pch", "b.pch", "c.pch"};  // the directory search's order
    for (int i = 0; i < 3; ++i) {
      SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      EXPECT_STREQ(item, names[i]);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(Open(driver));
}

// The window's client area as painted: separator and host mark.
TEST_F(TextWindow, PaintsTheSeparatorWithTheHostMarkOnIt) {
  Load();
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kTextClass, &window).Then([&] {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF dark = GetPixel(dc, 200, 402);
    EXPECT_NE(dark, face) << "the dark line at 402";
    EXPECT_EQ(GetPixel(dc, 300, 402), dark);
    EXPECT_EQ(GetPixel(dc, 200, 403), GetSysColor(COLOR_WINDOW)) << "the light line at 403";
    EXPECT_EQ(GetPixel(dc, 200, 401), face);
    EXPECT_EQ(GetPixel(dc, 200, 404), face);
    EXPECT_EQ(GetPixel(dc, 0, 402), dark) << "from x = 0";
    EXPECT_EQ(GetPixel(dc, ClientSize(window).cx - 1, 402), dark) << "across the whole width";
    // The mark's leading blank, on an opaque face background, interrupts
    // both lines; its text is in the shadow colour.
    EXPECT_EQ(GetPixel(dc, 16, 402), face);
    EXPECT_EQ(GetPixel(dc, 16, 403), face);
    EXPECT_EQ(GetPixel(dc, 14, 402), dark) << "the mark starts at x = 15";
    bool shadow_seen = false;
    for (int x = 15; x < 70 && !shadow_seen; ++x) {
      for (int y = 398; y < 410 && !shadow_seen; ++y) {
        shadow_seen = GetPixel(dc, x, y) == GetSysColor(COLOR_BTNSHADOW);
      }
    }
    EXPECT_TRUE(shadow_seen) << "\" QRM 2007 \" in COLOR_BTNSHADOW";
    ReleaseDC(window, dc);
    ClickButton(GetDlgItem(window, kCloseId));
  });
  EXPECT_TRUE(Open(driver));
}

// ---- Opening -----------------------------------------------------------------

TEST_F(TextWindow, OpensOnTheFirstProfileForwardWithEmptyFieldsAndNoConversion) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  DWORD opened = 0;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        opened = GetTickCount();
        EXPECT_FALSE(IsWindowEnabled(host()));
        EXPECT_EQ(GetFocus(), c.profile_box);
        EXPECT_EQ(SendMessageA(c.profile_box, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(TextOf(c.profile_box), "a.pch");
        EXPECT_EQ(TextOf(c.forward), "Кириллица -> Латиница") << "the profile was loaded";
        EXPECT_EQ(TextOf(c.reverse), "Латиница -> Кириллица");
        EXPECT_TRUE(IsChecked(c.forward));
        EXPECT_FALSE(IsChecked(c.reverse));
        EXPECT_FALSE(IsChecked(c.case_box));
        EXPECT_EQ(TextOf(c.source), "");
        EXPECT_EQ(TextOf(c.result), "");
      })
      .WaitFor([&] { return GetTickCount() - opened > 300; })
      .Then([&] {
        EXPECT_EQ(threads.Calls(), 0) << "no conversion before the first change";
        EXPECT_EQ(TextOf(c.result), "");
        AppendText(c.source, "щит");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(threads.Started(), 1);
        EXPECT_EQ(TextOf(c.result), "shchit");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, WithoutAnyProfileTheButtonsKeepTheirCaptionsAndTextStaysAsItIs) {
  Load();  // an empty catalogue
  WorkerThreadCounter threads(plugin().module());
  MessageBoxWatch boxes;
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        EXPECT_EQ(SendMessageA(c.profile_box, CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(TextOf(c.forward), "прямое");
        EXPECT_EQ(TextOf(c.reverse), "обратное");
        ClickButton(c.info);
        AppendText(c.source, "Щука и жаба");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "Щука и жаба") << "no rules: the result is the source";
        EXPECT_EQ(boxes.seen(), 0) << "no profile, no information";
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

// A name of 49 characters, the most a catalogue slot holds, is read in
// full wherever the window reads the profile box.
TEST_F(TextWindow, AFortyNineCharacterNameIsReadInFull) {
  const std::string long_name = "a" + std::string(44, 'n') + ".pch";
  ASSERT_EQ(long_name.size(), 49u);
  AddProfile(long_name, ProfileText("Длинное имя", "Долгий", "Краткий", {"д d"}));
  AddProfile("b.pch", kProfileB);
  Load();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  std::optional<MessageBoxInfo> box;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        EXPECT_EQ(TextOf(c.profile_box), long_name);
        EXPECT_EQ(TextOf(c.forward), "Долгий -> Краткий") << "loaded at opening";
        ClickButton(c.info);
      })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->text, "Длинное имя") << "by the Info button";
        AnswerMessageBox(*box);
      })
      .WaitFor([&] { return !FindMessageBox(); })
      .Then([&] { SelectComboItem(c.profile_box, 1); })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.forward), "Буквы -> Цифры");
        SelectComboItem(c.profile_box, 0);
        AppendText(c.source, "да");
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.forward), "Долгий -> Краткий") << "by the selection handler";
        EXPECT_EQ(TextOf(c.result), "dа");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

// ---- Commands -------------------------------------------------------------------

// Each trigger converts the whole current text again. The source is set
// with WM_SETTEXT, which a multi-line field does not notify: only the
// trigger itself can bring the new text into the result.
TEST_F(TextWindow, EveryTriggerConvertsTheWholeCurrentTextAgain) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  long runs = 0;
  const auto silently_set = [&](const char* text) {
    SetWindowTextA(c.source, text);
    runs = threads.Started();
  };
  const auto converted_again = [&] { return threads.Quiet(runs + 1); };
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        runs = threads.Started();
        AppendText(c.source, "ток");  // typing
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "tok");
        silently_set("кот");
        EXPECT_EQ(TextOf(c.result), "tok") << "WM_SETTEXT alone converts nothing";
        ClickButton(c.forward);  // the button already selected
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "kot");
        silently_set("kot");
        ClickButton(c.reverse);
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_TRUE(IsChecked(c.reverse));
        EXPECT_FALSE(IsChecked(c.forward));
        EXPECT_EQ(TextOf(c.result), "кот") << "reverse";
        silently_set("rok");
        ClickButton(c.reverse);  // selected already
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "рок");
        silently_set("sok");
        ClickButton(c.case_box);
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_TRUE(IsChecked(c.case_box));
        EXPECT_EQ(TextOf(c.result), "сок");
        silently_set("bok");
        ClickButton(c.case_box);
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_FALSE(IsChecked(c.case_box));
        EXPECT_EQ(TextOf(c.result), "бок");
        ClickButton(c.forward);
      })
      .WaitFor(converted_again)
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "bok");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
  EXPECT_EQ(threads.Started(), 7);
}

TEST_F(TextWindow, ReverseReplacesRightTermsByLeftOnes) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  const std::string latin = "Zhaba shchi, zhir i KVAS";
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        ClickButton(c.reverse);
        AppendText(c.source, latin);
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "Жаба щи, жир и квас")
            << "the capitals of KVAS match only in the case-ignoring pass, in lower case";
        EXPECT_EQ(TextOf(c.result), Converted(PathOf("a.pch"), latin, false, false));
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, WithTheCaseBoxTickedOnlyTheExactPassRuns) {
  AddProfile("c.pch", kProfileCase);
  Load();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        AppendText(c.source, "Жж");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "Zhzh") << "the second pass ignores case";
        ClickButton(c.case_box);
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "Zhж") << "one exact pass";
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, AnotherProfileIsLoadedAndConverts) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        AppendText(c.source, "баба");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "baba");
        SelectComboItem(c.profile_box, 1);
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.forward), "Буквы -> Цифры");
        EXPECT_EQ(TextOf(c.reverse), "Цифры -> Буквы");
        EXPECT_EQ(TextOf(c.result), "2121");
        // A notification other than a selection change does nothing.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(kProfileBoxId, CBN_DROPDOWN),
                     reinterpret_cast<LPARAM>(c.profile_box));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(kSourceId, EN_UPDATE),
                     reinterpret_cast<LPARAM>(c.source));
        EXPECT_EQ(threads.Calls(), 2);
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, InfoShowsTheProfileOwnedByTheWindowAndConvertsNothing) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  WindowSpy spy;
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  std::optional<MessageBoxInfo> box;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        AppendText(c.source, "ква");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        SetWindowTextA(c.source, "другое");
        ClickButton(c.info);
      })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->owner, window);
        EXPECT_EQ(box->caption, "Информация о профиле замены");
        EXPECT_EQ(box->text, "Профиль А: проба");
        EXPECT_TRUE(box->ShowsInformationIcon());
        ASSERT_EQ(box->buttons.size(), 1u);
        EXPECT_EQ(box->buttons[0].first, IDOK);
        AnswerMessageBox(*box);
      })
      .WaitFor([&] { return !FindMessageBox(); })
      .Then([&] {
        EXPECT_EQ(threads.Calls(), 1) << "the Info button starts no conversion";
        EXPECT_EQ(TextOf(c.result), "kva");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

// The options dialog keeps OptionsWindow after it is gone; the text
// window's information box must not take that stale window as its owner.
TEST_F(TextWindow, InfoIsOwnedByTheTextWindowAfterTheOptionsDialogWasOpen) {
  LoadWithTwoProfiles();
  {
    ModalDriver driver;
    HWND options = nullptr;
    driver.WaitForWindow("TReplPrflWindow", &options).Then([&] {
      PostMessageA(options, WM_CLOSE, 0, 0);
    });
    OptionsBlock block(plugin());
    char* caption = nullptr;
    EXPECT_TRUE(driver.Run([&] { plugin().showOptions(0, block.address(), &caption); }))
        << "the options dialog opens and closes";
  }
  ModalDriver driver;
  HWND window = nullptr;
  std::optional<MessageBoxInfo> box;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] { ClickButton(GetDlgItem(window, kInfoId)); })
      .WaitForMessageBox(&box)
      .Then([&] {
        EXPECT_EQ(box->owner, window);
        EXPECT_TRUE(IsWindowVisible(box->handle));
        EXPECT_EQ(box->text, "Профиль А: проба");
        AnswerMessageBox(*box);
      })
      .WaitFor([&] { return !FindMessageBox(); })
      .Then([&] { ClickButton(GetDlgItem(window, kCloseId)); });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, EmptyingTheSourceEmptiesTheResult) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        AppendText(c.source, "шкаф");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "шkaф");
        TypeText(c.source, "");
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(TextWindow, TypingIntoTheResultTriggersNothingAndIsReplacedByTheNextConversion) {
  LoadWithTwoProfiles();
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  DWORD typed = 0;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        AppendText(c.source, "рот");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "rot");
        AppendText(c.result, " и ещё");
        TypeText(c.result, "вручную");
        typed = GetTickCount();
      })
      .WaitFor([&] { return GetTickCount() - typed > 200; })
      .Then([&] {
        EXPECT_EQ(threads.Calls(), 1) << "the result field triggers nothing";
        EXPECT_EQ(TextOf(c.result), "вручную") << "and accepts typing";
        AppendText(c.source, "ик");
      })
      .WaitFor([&] { return threads.Quiet(2); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "rotik");
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

// ---- Closing ------------------------------------------------------------------

// Pens still alive when the window receives WM_DESTROY: the closing path
// is to delete them before the window goes.
struct PenWatch {
  static inline GdiCounter* counter = nullptr;
  static inline WNDPROC original = nullptr;
  static inline int pens_at_destroy = -1;
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) pens_at_destroy = counter->Alive(GdiKind::kPen);
    return CallWindowProcA(original, window, message, wparam, lparam);
  }
  static void Attach(HWND window, GdiCounter* watched) {
    counter = watched;
    pens_at_destroy = -1;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
};

class Closing : public TextWindow, public ::testing::WithParamInterface<const char*> {};

TEST_P(Closing, DeletesThePensEndsTheLoopAndGivesTheHostBackItsWindow) {
  LoadWithTwoProfiles();
  const bool by_button = std::string(GetParam()) == "button";
  GdiCounter gdi(plugin().module());
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kTextClass, &window).Then([&] {
    EXPECT_EQ(gdi.Alive(GdiKind::kPen), 2) << "DarkPen and LightPen";
    EXPECT_FALSE(IsWindowEnabled(host()));
    PenWatch::Attach(window, &gdi);
    AppendText(GetDlgItem(window, kSourceId), "вот");
    if (by_button) {
      ClickButton(GetDlgItem(window, kCloseId));
    } else {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  });
  EXPECT_TRUE(Open(driver)) << "the loop ended";
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(PenWatch::pens_at_destroy, 0) << "the pens go before the window";
  EXPECT_EQ(gdi.Created(GdiKind::kPen), 2);
  EXPECT_TRUE(gdi.Balanced()) << gdi.Report();
  EXPECT_TRUE(IsWindowEnabled(host()));
  EXPECT_EQ(GetForegroundWindow(), host());
  EXPECT_EQ(threads.Started(), threads.Ended()) << "no worker outlives the window";
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "the quit message ended the window's loop, not the host's";
}

INSTANTIATE_TEST_SUITE_P(BothWays, Closing, ::testing::Values("button", "close request"));

TEST_F(TextWindow, OtherButtonIndexesReturnAtOnce) {
  LoadWithTwoProfiles();
  WindowSpy spy;
  for (std::int32_t index : {1, -1, 2, 0x7FFFFFFF}) {
    const DWORD start = GetTickCount();
    plugin().clickBtn(index);
    EXPECT_LT(GetTickCount() - start, 1000u) << index;
    EXPECT_TRUE(spy.created().empty()) << "nothing is opened for index " << index;
    EXPECT_TRUE(IsWindowEnabled(host()));
  }
}

TEST_F(TextWindow, OpensAgainAfterItWasClosed) {
  LoadWithTwoProfiles();
  for (int opening = 0; opening < 3; ++opening) {
    ModalDriver driver;
    HWND window = nullptr;
    driver.WaitForWindow(kTextClass, &window).Then([&] {
      const TextWindowControls c = ControlsOf(window);
      EXPECT_EQ(TextOf(c.source), "") << "a new window each time";
      EXPECT_EQ(SendMessageA(c.profile_box, CB_GETCURSEL, 0, 0), 0);
      AppendText(c.source, "текст");
      SelectComboItem(c.profile_box, 1);
      ClickButton(c.close);
    });
    EXPECT_TRUE(Open(driver)) << opening;
  }
}

}  // namespace
