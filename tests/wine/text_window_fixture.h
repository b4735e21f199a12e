// What the text window's tests share: a host folder with profiles and the
// real translit.dll over it, the window's controls by role, the conversion
// that the engine (linked into the test) gives for a state of the window,
// and two observers of the window's workers:
//  - WorkerThreadCounter counts the threads that translit.dll starts and
//    that end, through its import of _beginthreadex, and can make a start
//    fail;
//  - ConversionProbe subclasses the open window and its two fields to see
//    each worker's reads, each report, and each result written.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/window_probe.h"

inline constexpr char kTextClass[] = "TTransTextWindow";

// Command IDs of the window's controls.
enum TextControlId : int {
  kForwardId = 3,
  kReverseId = 4,
  kCloseId = 7,
  kInfoId = 8,
  kProfileBoxId = 9,
  kSourceId = 10,
  kCaseBoxId = 11,
};

// A profile file: information line, left name, right name, rule lines.
std::string ProfileText(const std::string& information, const std::string& left,
                        const std::string& right, const std::vector<std::string>& rules);
// The bytes of a profile shipped in profiles/.
std::string ShippedProfileBytes(const std::string& name);

std::string TextOf(HWND window);

// Equal texts; on a difference, tells the lengths and shows where the two
// first part, instead of printing two long texts whole.
::testing::AssertionResult SameText(const std::string& actual, const std::string& expected);

// The open text window's controls.
struct TextWindowControls {
  HWND window = nullptr;
  HWND forward = nullptr, reverse = nullptr, close = nullptr, info = nullptr;
  HWND profile_box = nullptr, source = nullptr, case_box = nullptr;
  HWND result = nullptr;  // the edit field with ID 0
};
TextWindowControls ControlsOf(HWND window);

// Typing at the end of a field as a user does (caret at the end, then the
// characters), and taking the last character back; both notify.
void AppendText(HWND edit, const std::string& text);
void TakeBackLastCharacter(HWND edit);
// Answers the messages that other threads have sent to this thread's
// windows, without dispatching anything from the queue: the workers'
// reads go on while a test step runs.
void ServeSentMessages();

// What the engine makes of text by the profile at path (no rules when it is
// missing), as the window converts: one exact pass with the case box
// ticked, an exact then a case-ignoring pass without.
std::string Converted(const std::string& profile_path, const std::string& text, bool case_sensitive,
                      bool forward);

// Counts translit.dll's calls of _beginthreadex, the threads it started and
// the threads that have ended. One at a time; the counts are kept in static
// storage, as an ending thread may outlive the counter.
class WorkerThreadCounter {
 public:
  explicit WorkerThreadCounter(HMODULE module);
  ~WorkerThreadCounter();
  WorkerThreadCounter(const WorkerThreadCounter&) = delete;
  WorkerThreadCounter& operator=(const WorkerThreadCounter&) = delete;

  long Calls() const;    // starts asked for
  long Started() const;  // threads that started
  long Ended() const;    // threads whose body has returned
  // The next `count` calls fail as when the system cannot start a thread.
  void FailNext(long count);
  // No worker thread alive, and at least `at_least` started so far.
  bool Quiet(long at_least = 0) const { return Started() >= at_least && Started() == Ended(); }

 private:
  HMODULE module_;
  void* original_;
};

// Watches one open window: subclasses it and its two fields. Counts are of
// messages that came from another thread (a worker's) unless said.
class ConversionProbe {
 public:
  ConversionProbe() = default;
  ~ConversionProbe();
  ConversionProbe(const ConversionProbe&) = delete;
  ConversionProbe& operator=(const ConversionProbe&) = delete;

  void Attach(const TextWindowControls& controls);

  int Reads() const;            // conversions that began: WM_GETTEXTLENGTH to the source
  int Reports() const;          // conversions that reported back to the window
  int MostInFlight() const;     // the most conversions begun and not yet reported at once
  // Reports on which the window changed the result field (WM_SETTEXT or
  // EM_REPLACESEL while it handled the report): results shown.
  int ResultsWritten() const;
  int WorkerWrites() const;     // WM_SETTEXT or EM_REPLACESEL straight from a worker
  LARGE_INTEGER LastResultShown() const;  // when the last result had been set
  LARGE_INTEGER LastRead() const;         // when the last conversion began to read
  LARGE_INTEGER LastReport() const;       // when the last report arrived
  double LastWriteMs() const;             // how long changing the field took, last time

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SourceProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ResultProc(HWND, UINT, WPARAM, LPARAM);
  bool attached_ = false;
};

// Milliseconds between two QueryPerformanceCounter readings.
double MillisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to);
LARGE_INTEGER Now();

// A host folder, a host window and the real DLL set to them. Tests add
// their profiles, then call Load.
class TextWindowTest : public ::testing::Test {
 protected:
  // Writes a profile into the host's profile folder; returns its path.
  std::string AddProfile(const std::string& name, const std::string& bytes);
  std::string PathOf(const std::string& name) const { return host_.profiles() + name; }
  // Loads translit.dll, then setDir and initialize as the host does.
  void Load();
  PluginLibrary& plugin() { return *plugin_; }
  HWND host() const { return host_window_.get(); }
  // Runs clickBtn(0) with the driver's steps; true when they all ran.
  bool Open(ModalDriver& driver, DWORD timeout_ms = 10000);

  HostFolder host_;
  TestHostWindow host_window_;
  std::unique_ptr<PluginLibrary> plugin_;
};
