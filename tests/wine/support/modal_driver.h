// Drives a window from inside the plug-in's own modal loop.
//
// The test calls the code that runs the loop (showOptions, clickBtn, or a
// modal run linked into the test) through ModalDriver::Run. A thread timer on
// this thread fires inside that loop and runs the steps, in order: an action
// runs once; a wait is asked again at every tick until it holds. Several steps
// run in one tick as long as none has to wait. A step that opens a nested
// modal loop (clicking "Инфо" opens a message box) is left running while the
// next steps run from inside the nested loop, so the step after it can read
// and answer the box.
//
//   ModalDriver driver;
//   HWND window = nullptr;
//   driver.WaitForWindow("TTransTextWindow", &window)
//       .Then([&] { EXPECT_EQ(DescribeWindow(window).caption, "..."); })
//       .Then([&] { ClickButton(FindChildById(window, 8)); })     // opens a box
//       .WaitForMessageBox(&box)
//       .Then([&] { AnswerMessageBox(*box); })
//       .Then([&] { ClickButton(FindChildById(window, 7)); });   // closes
//   EXPECT_TRUE(driver.Run([&] { plugin.clickBtn(0); }));
//
// If the steps have not all run when the time is up, the driver records a
// test failure and ends the loop: it answers message boxes with Cancel,
// destroys the enabled visible top-level windows of the thread, and at last
// posts the quit message itself.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "tests/wine/support/window_probe.h"

class ModalDriver {
 public:
  ModalDriver& Then(std::function<void()> action);
  ModalDriver& WaitFor(std::function<bool()> condition);
  // Waits until a top-level window of the class exists on this thread and
  // stores it.
  ModalDriver& WaitForWindow(const char* class_name, HWND* window);
  // Waits until a message box is open and stores what it shows.
  ModalDriver& WaitForMessageBox(std::optional<MessageBoxInfo>* box);

  // Runs open, which is to enter a modal loop on this thread, while the steps
  // are driven from inside it. True when every step ran before open
  // returned and before the timeout.
  bool Run(const std::function<void()>& open, DWORD timeout_ms = 5000);

  int StepsRun() const { return next_; }

 private:
  struct Step {
    std::function<bool()> run;  // true when done, false to be asked again
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  void GiveUp();

  std::vector<Step> steps_;
  int next_ = 0;
  DWORD deadline_ = 0;
  int give_up_ticks_ = 0;
  bool timed_out_ = false;
};

// Opens a window `times` times through open (which runs it modally, e.g.
// [&] { plugin.clickBtn(0); }), waits each time for a visible window of
// window_class, paints it, and closes it with close(window). True when every
// opening showed its window and ended. For leak tests with GdiCounter:
//
//   GdiCounter counter(plugin.module());
//   EXPECT_TRUE(OpenAndCloseRepeatedly(300, "TTransTextWindow",
//                                      [&] { plugin.clickBtn(0); },
//                                      [](HWND w) { ClickButton(GetDlgItem(w, 7)); }));
//   EXPECT_TRUE(counter.Balanced()) << counter.Report();
bool OpenAndCloseRepeatedly(int times, const char* window_class,
                            const std::function<void()>& open,
                            const std::function<void(HWND window, int opening)>& close);

// While it exists, answers with OK every message box that opens on this
// thread and remembers the last one: for checking that something shows no
// box, without hanging the test when it does.
class MessageBoxWatch {
 public:
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
  int seen() const { return seen_; }
  const std::optional<MessageBoxInfo>& last() const { return last_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  UINT_PTR timer_;
  int seen_ = 0;
  std::optional<MessageBoxInfo> last_;
  HWND answered_ = nullptr;
};
