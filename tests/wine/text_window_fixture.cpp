#include "tests/wine/text_window_fixture.h"

#include <cerrno>
#include <cstdint>
#include <stdexcept>

#include "engine/profile.h"
#include "engine/replace.h"
#include "tests/wine/support/pe_image.h"
#include "ui/conversion.h"

std::string ProfileText(const std::string& information, const std::string& left,
                        const std::string& right, const std::vector<std::string>& rules) {
  std::string text = information + "\r\n" + left + "\r\n" + right;
  for (const std::string& rule : rules) text += "\r\n" + rule;
  return text;
}

std::string ShippedProfileBytes(const std::string& name) {
  return ReadWholeFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "\\" + name);
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

::testing::AssertionResult SameText(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at < 20 ? 0 : at - 20;
  return ::testing::AssertionFailure()
         << "lengths " << actual.size() << " and " << expected.size() << ", first difference at "
         << at << ":\n  actual   ..." << ::testing::PrintToString(actual.substr(from, 60))
         << "\n  expected ..." << ::testing::PrintToString(expected.substr(from, 60));
}

TextWindowControls ControlsOf(HWND window) {
  TextWindowControls controls;
  controls.window = window;
  controls.forward = GetDlgItem(window, kForwardId);
  controls.reverse = GetDlgItem(window, kReverseId);
  controls.close = GetDlgItem(window, kCloseId);
  controls.info = GetDlgItem(window, kInfoId);
  controls.profile_box = GetDlgItem(window, kProfileBoxId);
  controls.source = GetDlgItem(window, kSourceId);
  controls.case_box = GetDlgItem(window, kCaseBoxId);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, "Edit") == 0 && GetDlgCtrlID(child) == 0) controls.result = child;
  }
  return controls;
}

void AppendText(HWND edit, const std::string& text) {
  const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TakeBackLastCharacter(HWND edit) {
  const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  if (end == 0) return;
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end - 1), end);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

void ServeSentMessages() {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

std::string Converted(const std::string& profile_path, const std::string& text, bool case_sensitive,
                      bool forward) {
  TProfile profile;
  if (!ReadProfile(profile_path, &profile)) profile.Rules.clear();
  TRunOptions options;
  options.CaseSensitive = case_sensitive;
  options.Direction = forward ? TDirection::kForward : TDirection::kReverse;
  options.SelfMapping = TSelfMapping::kLikeEveryRule;
  TReplacePair pair;
  RunReplacement(pair, text, profile.Rules, options);
  return pair.ResultText();
}

// ---- WorkerThreadCounter --------------------------------------------------

namespace {

using ThreadBody = unsigned(__stdcall*)(void*);
using BeginThreadFn = std::uintptr_t(__cdecl*)(void*, unsigned, ThreadBody, void*, unsigned,
                                               unsigned*);

BeginThreadFn RealBeginThread = nullptr;
volatile LONG ThreadCalls = 0;
volatile LONG ThreadsStarted = 0;
volatile LONG ThreadsEnded = 0;
volatile LONG StartsToFail = 0;
bool Counting = false;

struct Launch {
  ThreadBody body;
  void* argument;
};

unsigned __stdcall CountedThread(void* launch_pointer) {
  const Launch launch = *static_cast<Launch*>(launch_pointer);
  delete static_cast<Launch*>(launch_pointer);
  const unsigned code = launch.body(launch.argument);
  InterlockedIncrement(&ThreadsEnded);
  return code;
}

std::uintptr_t __cdecl CountingBeginThread(void* security, unsigned stack, ThreadBody body,
                                           void* argument, unsigned flags, unsigned* id) {
  InterlockedIncrement(&ThreadCalls);
  if (StartsToFail > 0) {
    InterlockedDecrement(&StartsToFail);
    errno = EAGAIN;
    return 0;
  }
  auto* launch = new Launch{body, argument};
  const std::uintptr_t thread = RealBeginThread(security, stack, CountedThread, launch, flags, id);
  if (thread) {
    InterlockedIncrement(&ThreadsStarted);
  } else {
    delete launch;
  }
  return thread;
}

}  // namespace

WorkerThreadCounter::WorkerThreadCounter(HMODULE module) : module_(module) {
  if (Counting) throw std::logic_error("one WorkerThreadCounter at a time");
  ThreadCalls = ThreadsStarted = ThreadsEnded = StartsToFail = 0;
  original_ = PatchImport(module, "msvcrt.dll", "_beginthreadex",
                          reinterpret_cast<void*>(&CountingBeginThread));
  if (!original_) throw std::runtime_error("translit.dll does not import _beginthreadex");
  RealBeginThread = reinterpret_cast<BeginThreadFn>(original_);
  Counting = true;
}

WorkerThreadCounter::~WorkerThreadCounter() {
  PatchImport(module_, "msvcrt.dll", "_beginthreadex", original_);
  Counting = false;
}

long WorkerThreadCounter::Calls() const { return ThreadCalls; }
long WorkerThreadCounter::Started() const { return ThreadsStarted; }
long WorkerThreadCounter::Ended() const { return ThreadsEnded; }
void WorkerThreadCounter::FailNext(long count) { InterlockedExchange(&StartsToFail, count); }

// ---- ConversionProbe ------------------------------------------------------

namespace {

struct ProbeState {
  TextWindowControls controls;
  WNDPROC window_proc = nullptr;
  WNDPROC source_proc = nullptr;
  WNDPROC result_proc = nullptr;
  int reads = 0;
  int reports = 0;
  int most_in_flight = 0;
  int results_written = 0;
  int worker_writes = 0;
  LARGE_INTEGER last_result{};
  LARGE_INTEGER last_read{};
  LARGE_INTEGER last_report{};
  double last_write_ms = 0;
  double write_ms_in_report = 0;
  bool wrote_in_report = false;
  // Inside the window's handling of a worker's report: what the window does
  // there, it does on its own thread, though InSendMessage answers true.
  int in_report = 0;
} Probe;

WNDPROC Subclass(HWND window, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// Whether the message being handled comes straight from another thread.
bool FromWorker() { return InSendMessage() && Probe.in_report == 0; }

// The two ways of changing a field's text.
bool IsWrite(UINT message) { return message == WM_SETTEXT || message == EM_REPLACESEL; }

void NoteWorkerWrite(UINT message) {
  if (IsWrite(message) && FromWorker()) ++Probe.worker_writes;
}

}  // namespace

ConversionProbe::~ConversionProbe() {
  if (!attached_) return;
  // Put the window procedures back on controls that still exist.
  if (IsWindow(Probe.controls.window)) Subclass(Probe.controls.window, Probe.window_proc);
  if (IsWindow(Probe.controls.source)) Subclass(Probe.controls.source, Probe.source_proc);
  if (IsWindow(Probe.controls.result)) Subclass(Probe.controls.result, Probe.result_proc);
  Probe = ProbeState{};
}

void ConversionProbe::Attach(const TextWindowControls& controls) {
  if (attached_) throw std::logic_error("a probe watches one window");
  attached_ = true;
  Probe = ProbeState{};
  Probe.controls = controls;
  Probe.window_proc = Subclass(controls.window, WindowProc);
  Probe.source_proc = Subclass(controls.source, SourceProc);
  Probe.result_proc = Subclass(controls.result, ResultProc);
}

int ConversionProbe::Reads() const { return Probe.reads; }
int ConversionProbe::Reports() const { return Probe.reports; }
int ConversionProbe::MostInFlight() const { return Probe.most_in_flight; }
int ConversionProbe::ResultsWritten() const { return Probe.results_written; }
int ConversionProbe::WorkerWrites() const { return Probe.worker_writes; }
LARGE_INTEGER ConversionProbe::LastResultShown() const { return Probe.last_result; }
LARGE_INTEGER ConversionProbe::LastRead() const { return Probe.last_read; }
LARGE_INTEGER ConversionProbe::LastReport() const { return Probe.last_report; }
double ConversionProbe::LastWriteMs() const { return Probe.last_write_ms; }

LRESULT CALLBACK ConversionProbe::WindowProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  NoteWorkerWrite(message);
  if (message != kConversionFinishedMessage || !FromWorker()) {
    return CallWindowProcA(Probe.window_proc, window, message, wparam, lparam);
  }
  ++Probe.reports;
  QueryPerformanceCounter(&Probe.last_report);
  ++Probe.in_report;
  Probe.write_ms_in_report = 0;
  Probe.wrote_in_report = false;
  const LRESULT answer = CallWindowProcA(Probe.window_proc, window, message, wparam, lparam);
  --Probe.in_report;
  if (Probe.wrote_in_report) {
    ++Probe.results_written;
    QueryPerformanceCounter(&Probe.last_result);
    Probe.last_write_ms = Probe.write_ms_in_report;
  }
  return answer;
}

LRESULT CALLBACK ConversionProbe::SourceProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_GETTEXTLENGTH && FromWorker()) {
    ++Probe.reads;
    QueryPerformanceCounter(&Probe.last_read);
    const int in_flight = Probe.reads - Probe.reports;
    if (in_flight > Probe.most_in_flight) Probe.most_in_flight = in_flight;
  }
  NoteWorkerWrite(message);
  return CallWindowProcA(Probe.source_proc, window, message, wparam, lparam);
}

LRESULT CALLBACK ConversionProbe::ResultProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  NoteWorkerWrite(message);
  const bool write_by_window = Probe.in_report > 0 && IsWrite(message);
  const LARGE_INTEGER before = Now();
  const LRESULT answer = CallWindowProcA(Probe.result_proc, window, message, wparam, lparam);
  if (write_by_window) {
    Probe.wrote_in_report = true;
    Probe.write_ms_in_report += MillisecondsBetween(before, Now());
  }
  return answer;
}

double MillisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

// ---- TextWindowTest -------------------------------------------------------

std::string TextWindowTest::AddProfile(const std::string& name, const std::string& bytes) {
  return host_.AddProfile(name, bytes);
}

void TextWindowTest::Load() {
  plugin_ = std::make_unique<PluginLibrary>();
  plugin_->setDir(host_.dir().c_str());
  plugin_->initialize(host_window_.get());
}

bool TextWindowTest::Open(ModalDriver& driver, DWORD timeout_ms) {
  return driver.Run([&] { plugin_->clickBtn(0); }, timeout_ms);
}
