// A window built on the plug-in's shared chrome the way its two windows are:
// a class of its own, a layout table with direction buttons, icon buttons and
// a profile box, the etched separator with the host mark, the banner, and the
// modal run. It lives in the test program (linked with the plug-in's object
// library) so that the chrome can be tested before, and apart from, the two
// real windows; the screenshot tool shows it too.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kSampleWindowClass[] = "TranslitSampleWindow";
inline constexpr int kSampleWidth = 283;
inline constexpr int kSampleHeight = 303;

enum TSampleId : int {
  kSampleOkId = 1,
  kSampleCloseId = 2,
  kSampleInfoId = 5,
  kSampleProfileBoxId = 6,
  kSampleCaseBoxId = 11,
};

extern HWND SampleWindow;
// The profile that the window loads when it opens and whose information the
// Info button shows; empty for none.
extern std::string SampleProfilePath;

// Registers the class once per process (null module handle, like the
// plug-in's classes).
void RegisterSampleWindowClass();
// The modal run of the sample window, as showOptions and clickBtn run theirs.
void RunSampleWindow();
