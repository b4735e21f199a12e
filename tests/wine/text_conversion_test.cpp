// The text window's conversions on workers, through the real translit.dll:
// bursts of changes end on the right text, at most one conversion runs at a
// time, long and many-line pastes arrive whole, a worker that cannot be
// started costs nothing, and no worker, pen or font outlives the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/wine/support/gdi_counter.h"
#include "tests/wine/text_window_fixture.h"

namespace {

const std::string kProfileA =
    ProfileText("Профиль А", "Кириллица", "Латиница",
                {"щ shch", "ж zh", "Ж Zh", "а a", "б b", "в v", "и i", "к k", "о o", "р r",
                 "с s", "т t"});
const std::string kProfileB = ProfileText("Профиль Б", "Буквы", "Цифры", {"а 1", "б 2", "в 3"});

// Lines of Russian text, numbered so that no two are alike.
std::string RussianLines(int count) {
  static const char* const kLines[] = {
      "Съешь же ещё этих мягких французских булок, да выпей чаю.",
      "Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства.",
      "В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!",
      "ЭХ, ЧУЖАК, ОБЩИЙ СЪЁМ ЦЕН ШЛЯП (ЮФТЬ) — ВДРЫЗГ!",
  };
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += std::to_string(i + 1) + ". " + kLines[i % 4] + "\r\n";
  }
  return text;
}

class Conversion : public TextWindowTest {
 protected:
  void SetUp() override {
    AddProfile("a.pch", kProfileA);
    AddProfile("b.pch", kProfileB);
    const std::string standart = ShippedProfileBytes("standart.pch");
    ASSERT_FALSE(standart.empty());
    AddProfile("standart.pch", standart);
    Load();
  }
  // The profile that the box shows, by its position in the catalogue.
  std::string SelectedPath(const TextWindowControls& c) const {
    static const char* const kNames[] = {"a.pch", "b.pch", "standart.pch"};
    const LRESULT selected = SendMessageA(c.profile_box, CB_GETCURSEL, 0, 0);
    return PathOf(kNames[selected]);
  }
  // What the window should show once the requests stop.
  std::string ExpectedResult(const TextWindowControls& c) const {
    return Converted(SelectedPath(c), TextOf(c.source), IsChecked(c.case_box),
                     IsChecked(c.forward));
  }
};

// One change of the window's state, as a user makes it.
void RandomChange(const TextWindowControls& c, std::mt19937& random) {
  static const char* const kKeys[] = {"а", "б", "в", "ж", "Ж", "щ", "о", "к", "т", "р", " ",
                                      "s", "h", "c", "Z", "h", "i", "\r\n"};
  switch (random() % 10) {
    case 0:
    case 1:
    case 2:
    case 3: AppendText(c.source, kKeys[random() % std::size(kKeys)]); break;
    case 4: TakeBackLastCharacter(c.source); break;
    case 5: AppendText(c.source, RussianLines(1 + static_cast<int>(random() % 3))); break;
    case 6: ClickButton(random() % 2 ? c.forward : c.reverse); break;
    case 7: ClickButton(c.case_box); break;
    case 8: SelectComboItem(c.profile_box, static_cast<int>(random() % 3)); break;
    default: TypeText(c.source, RussianLines(1 + static_cast<int>(random() % 5))); break;
  }
}

// 500 changes of every kind, a few per tick with the workers served in
// between, so that conversions start, go stale and finish all through the
// burst.
TEST_F(Conversion, ABurstOfFiveHundredChangesEndsOnTheConversionOfTheLastState) {
  WorkerThreadCounter threads(plugin().module());
  ConversionProbe probe;
  std::mt19937 random(20261207);
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  int changes = 0;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        probe.Attach(c);
      })
      .WaitFor([&] {
        const int now = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < now && changes < 500; ++i, ++changes) {
          RandomChange(c, random);
          if (random() % 3 == 0) ServeSentMessages();
          if (random() % 7 == 0) Sleep(1);
        }
        return changes == 500;
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_TRUE(SameText(TextOf(c.result), ExpectedResult(c)));
        EXPECT_EQ(probe.MostInFlight(), 1) << "one conversion at a time";
        EXPECT_EQ(probe.WorkerWrites(), 0) << "workers write no control";
        EXPECT_EQ(probe.Reads(), threads.Started());
        EXPECT_EQ(probe.Reports(), threads.Started());
        EXPECT_LT(threads.Started(), 500) << "superseded requests are not run one by one";
        EXPECT_GE(probe.ResultsWritten(), 1);
        std::printf("500 changes: %ld conversions started, %d shown, %ld abandoned\n",
                    threads.Started(), probe.ResultsWritten(),
                    threads.Started() - probe.ResultsWritten());
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver, 60000));
  EXPECT_EQ(threads.Started(), threads.Ended());
}

// The same burst without a break: the first change starts a conversion,
// which cannot even read the source until the burst is over; the other 499
// only mark it stale. One more conversion then runs, on the last state.
TEST_F(Conversion, ABurstInOneGoCostsTwoConversions) {
  WorkerThreadCounter threads(plugin().module());
  ConversionProbe probe;
  std::mt19937 random(7);
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        probe.Attach(c);
        for (int i = 0; i < 500; ++i) RandomChange(c, random);
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_TRUE(SameText(TextOf(c.result), ExpectedResult(c)));
        EXPECT_EQ(threads.Started(), 2);
        EXPECT_EQ(probe.ResultsWritten(), 1) << "the stale first run shows nothing";
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver, 30000));
}

// A pasted text of many lines (as a user pastes: all selected, then
// replaced, which notifies) is taken whole and converted whole.
TEST_F(Conversion, APasteOfManyLinesArrivesAndIsConvertedWhole) {
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  const std::string pasted = RussianLines(300);
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        SelectComboItem(c.profile_box, 2);
        TypeText(c.source, pasted);
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_TRUE(SameText(TextOf(c.source), pasted)) << "not cut at the lines the field can show";
        const std::string result = TextOf(c.result);
        EXPECT_TRUE(SameText(result, Converted(PathOf("standart.pch"), pasted, false, true)));
        EXPECT_EQ(result.substr(0, 17), "1. S''esh' zhe es");
        EXPECT_NE(result.find("300. EKH, CHUZHAK"), std::string::npos);
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
}

TEST_F(Conversion, AHundredKilobytePasteIsTakenWhole) {
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  std::string pasted = RussianLines(1500);
  ASSERT_GT(pasted.size(), 100000u);
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        TypeText(c.source, pasted);
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.source).size(), pasted.size()) << "no limit of about 30000 characters";
        EXPECT_TRUE(SameText(TextOf(c.result), Converted(PathOf("a.pch"), pasted, false, true)));
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver, 30000));
}

// When the system cannot start a thread, the change is lost but nothing
// else: the window goes on, and the next change tries again.
TEST_F(Conversion, AWorkerThatCannotBeStartedIsTriedAgainAtTheNextChange) {
  WorkerThreadCounter threads(plugin().module());
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  DWORD failed_at = 0;
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        threads.FailNext(1);
        AppendText(c.source, "к");
        EXPECT_EQ(threads.Calls(), 1);
        EXPECT_EQ(threads.Started(), 0);
        failed_at = GetTickCount();
      })
      .WaitFor([&] { return GetTickCount() - failed_at > 200; })
      .Then([&] {
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(TextOf(c.result), "");
        AppendText(c.source, "о");
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "ko");
        // A waiting request whose start fails when the running conversion
        // reports back.
        AppendText(c.source, "т");  // starts
        threads.FailNext(1);
        AppendText(c.source, "ик");  // waits, then cannot start
      })
      .WaitFor([&] { return threads.Quiet(2) && threads.Calls() == 4; })
      .Then([&] {
        EXPECT_EQ(threads.Started(), 2);
        EXPECT_EQ(TextOf(c.result), "ko") << "the stale run shows nothing";
        AppendText(c.source, "!");
      })
      .WaitFor([&] { return threads.Quiet(3); })
      .Then([&] {
        EXPECT_EQ(TextOf(c.result), "kotik!");
        threads.FailNext(1000);
        AppendText(c.source, "?");
        ClickButton(c.case_box);
        ClickButton(c.close);
      });
  EXPECT_TRUE(Open(driver));
  EXPECT_EQ(threads.Started(), threads.Ended());
}

// 50 openings, each closed while a conversion of a long text is under way:
// at once (the worker has not read anything yet), in the middle of its run,
// or by a close request from the queue. Every worker ends before clickBtn
// returns, and every GDI object is released.
TEST_F(Conversion, FiftyOpeningsClosedWhileConvertingLeaveNothingBehind) {
  GdiCounter gdi(plugin().module());
  WorkerThreadCounter threads(plugin().module());
  const std::string text = RussianLines(800);
  int closed_while_converting = 0;
  for (int opening = 0; opening < 50; ++opening) {
    SCOPED_TRACE(opening);
    ModalDriver driver;
    HWND window = nullptr;
    driver.WaitForWindow(kTextClass, &window).Then([&] {
      const TextWindowControls c = ControlsOf(window);
      SelectComboItem(c.profile_box, 2);
      TypeText(c.source, text);
      switch (opening % 3) {
        case 0: break;
        case 1:
          for (int i = 0; i < 3; ++i) {
            ServeSentMessages();
            Sleep(2);
          }
          break;
        default: ClickButton(c.reverse); break;
      }
      if (threads.Started() > threads.Ended()) ++closed_while_converting;
      if (opening % 3 == 2) {
        PostMessageA(window, WM_CLOSE, 0, 0);
      } else {
        ClickButton(c.close);
      }
    });
    ASSERT_TRUE(Open(driver));
    ASSERT_EQ(threads.Started(), threads.Ended()) << "a worker outlived its window";
  }
  EXPECT_GE(closed_while_converting, 30) << "most closings happen with a worker running";
  EXPECT_EQ(threads.Calls(), threads.Started());
  EXPECT_TRUE(gdi.Balanced()) << gdi.Report();
  EXPECT_EQ(gdi.Created(GdiKind::kPen), 100);
  EXPECT_EQ(gdi.Created(GdiKind::kFont), 100) << "DialogFont and SmallFont per opening";
  std::printf("50 openings: %ld workers, %d closings with one running\n", threads.Started(),
              closed_while_converting);
}

}  // namespace
