// How the text window keeps up with a long text: 100 KB of Russian text
// pasted into the source field, then typed at, through the real
// translit.dll and the shipped standart.pch. Measures the time from the
// last change to the result on screen, what a keystroke costs the
// user-interface thread, and how many conversions a burst of changes
// costs (started, shown, abandoned). Prints the figures; run it alone with
//
//   ctest -R text_responsiveness --output-on-failure -V
//
// in a Windows build directory (under xvfb-run, with tools/wine-env.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/text_window_fixture.h"

namespace {

std::string RussianText(std::size_t at_least) {
  static const char* const kLines[] = {
      "Съешь же ещё этих мягких французских булок, да выпей чаю.",
      "Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства.",
      "В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!",
      "Эх, чужак, общий съём цен шляп (юфть) — вдрызг!",
  };
  std::string text;
  for (std::size_t i = 0; text.size() < at_least; ++i) text += std::string(kLines[i % 4]) + "\r\n";
  return text;
}

struct Figures {
  double paste_ms = 0;            // the paste itself, on the user-interface thread
  double first_result_ms = 0;     // from the end of the paste to its result shown
  std::vector<double> key_ms;     // each keystroke, on the user-interface thread
  double last_result_ms = 0;      // from the last keystroke to its result shown
  double last_read_ms = 0;        // from the last keystroke to the last conversion's start
  double last_run_ms = 0;         // the last conversion, from its first read to its report
  double last_write_ms = 0;       // setting its result into the field (UI thread)
  double longest_gap_ms = 0;      // the longest wait between two keystrokes
  long started = 0, shown = 0;    // conversions of the typing burst
};

class Responsiveness : public TextWindowTest {
 protected:
  void SetUp() override {
    const std::string standart = ShippedProfileBytes("standart.pch");
    ASSERT_FALSE(standart.empty());
    AddProfile("standart.pch", standart);
    Load();
  }
};

// Types `keys` characters at the end of a 100 KB text, one every tick of
// the modal loop's timer (faster than anyone types), or all at once.
Figures Measure(TextWindowTest& test, PluginLibrary& plugin, int keys, bool one_per_tick,
                const std::string& profile_path) {
  Figures figures;
  WorkerThreadCounter threads(plugin.module());
  ConversionProbe probe;
  const std::string text = RussianText(100 * 1024);
  ModalDriver driver;
  HWND window = nullptr;
  TextWindowControls c;
  LARGE_INTEGER pasted{}, last_key{};
  long started_before = 0;
  int shown_before = 0;
  int typed = 0;
  LARGE_INTEGER previous_key{};
  const auto type_one = [&] {
    const LARGE_INTEGER before = Now();
    if (typed > 0) {
      figures.longest_gap_ms = std::max(figures.longest_gap_ms, MillisecondsBetween(previous_key, before));
    }
    previous_key = before;
    AppendText(c.source, typed % 5 == 4 ? " " : "щ");
    last_key = Now();
    figures.key_ms.push_back(MillisecondsBetween(before, last_key));
    ++typed;
  };
  driver.WaitForWindow(kTextClass, &window)
      .Then([&] {
        c = ControlsOf(window);
        probe.Attach(c);
        const LARGE_INTEGER before = Now();
        TypeText(c.source, text);
        pasted = Now();
        figures.paste_ms = MillisecondsBetween(before, pasted);
      })
      .WaitFor([&] { return threads.Quiet(1); })
      .Then([&] {
        figures.first_result_ms = MillisecondsBetween(pasted, probe.LastResultShown());
        started_before = threads.Started();
        shown_before = probe.ResultsWritten();
      })
      .WaitFor([&] {
        if (one_per_tick) {
          type_one();
        } else {
          while (typed < keys) type_one();
        }
        return typed == keys;
      })
      .WaitFor([&] { return threads.Quiet(started_before + 1); })
      .Then([&] {
        figures.last_result_ms = MillisecondsBetween(last_key, probe.LastResultShown());
        figures.last_read_ms = MillisecondsBetween(last_key, probe.LastRead());
        figures.last_run_ms = MillisecondsBetween(probe.LastRead(), probe.LastReport());
        figures.last_write_ms = probe.LastWriteMs();
        figures.started = threads.Started() - started_before;
        figures.shown = probe.ResultsWritten() - shown_before;
        EXPECT_TRUE(SameText(TextOf(c.result), Converted(profile_path, TextOf(c.source), false, true)));
        EXPECT_EQ(probe.MostInFlight(), 1);
        ClickButton(c.close);
      });
  EXPECT_TRUE(driver.Run([&] { plugin.clickBtn(0); }, 60000));
  (void)test;
  return figures;
}

void Print(const char* title, const Figures& f) {
  const double slowest = f.key_ms.empty() ? 0 : *std::max_element(f.key_ms.begin(), f.key_ms.end());
  double sum = 0;
  for (double ms : f.key_ms) sum += ms;
  std::printf(
      "%s\n"
      "  paste of 100 KB on the UI thread      %8.1f ms\n"
      "  paste to its result shown             %8.1f ms\n"
      "  keystroke on the UI thread, mean/max  %8.1f / %.1f ms (%zu keys)\n"
      "  longest wait between two keystrokes   %8.1f ms\n"
      "  last keystroke to its result shown    %8.1f ms\n"
      "    of which: until the conversion read the text %.1f ms, the conversion %.1f ms,\n"
      "    setting the result field (UI thread) %.1f ms\n"
      "  conversions: %ld started, %ld shown, %ld abandoned\n",
      title, f.paste_ms, f.first_result_ms,
      f.key_ms.empty() ? 0 : sum / static_cast<double>(f.key_ms.size()), slowest, f.key_ms.size(),
      f.longest_gap_ms, f.last_result_ms, f.last_read_ms, f.last_run_ms, f.last_write_ms,
      f.started, f.shown, f.started - f.shown);
}

TEST_F(Responsiveness, TypingAtAHundredKilobyteText) {
  const Figures figures = Measure(*this, plugin(), 40, true, PathOf("standart.pch"));
  Print("40 keystrokes, one per timer tick, at the end of 100 KB:", figures);
  EXPECT_LT(figures.first_result_ms, 500.0);
  EXPECT_LT(figures.last_result_ms, 500.0);
  EXPECT_LE(figures.started, 40);
  EXPECT_GE(figures.shown, 1);
  RecordProperty("last_key_to_result_ms", static_cast<int>(figures.last_result_ms));
}

TEST_F(Responsiveness, ABurstOfKeystrokesAtAHundredKilobyteText) {
  const Figures figures = Measure(*this, plugin(), 40, false, PathOf("standart.pch"));
  Print("40 keystrokes at once at the end of 100 KB:", figures);
  EXPECT_LT(figures.last_result_ms, 500.0);
  EXPECT_EQ(figures.started, 2)
      << "the first key starts a conversion that goes stale before it can read the text; "
         "one more runs on the last state";
  EXPECT_EQ(figures.shown, 1);
  RecordProperty("last_key_to_result_ms", static_cast<int>(figures.last_result_ms));
}

}  // namespace
