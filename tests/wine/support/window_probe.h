// Reading back real windows and controls, clicking them, and finding and
// answering message boxes. Everything works on windows of the calling thread,
// the thread that runs the plug-in's modal loop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct ControlInfo {
  HWND handle = nullptr;
  std::string class_name;  // as registered: "Button", "Static", "Edit", "ComboBox"
  std::string caption;     // WM_GETTEXT bytes (Windows-1251)
  DWORD style = 0;
  DWORD ex_style = 0;
  int id = 0;
  // Position and size: in the parent's client area for a child, on the
  // screen for a top-level window.
  RECT rect{};
  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
  // The font the window was given (WM_GETFONT); face empty without one.
  std::string font_face;
  LONG font_height = 0;
  LONG font_weight = 0;
  BYTE font_charset = 0;
};

ControlInfo DescribeWindow(HWND window);
// The children of parent in creation order (the order of the child list:
// each new child goes to its end).
std::vector<ControlInfo> ChildControls(HWND parent);
HWND FindChildById(HWND parent, int id);

// The client rectangle's size of a window.
SIZE ClientSize(HWND window);

// The first top-level window of this thread with the class name; null when
// none exists.
HWND FindThreadWindow(const char* class_name);

// A real click (BM_CLICK): the button takes the press and release, checks
// itself when it is an auto radio button or check box, and sends its parent
// WM_COMMAND with BN_CLICKED.
void ClickButton(HWND button);

// What a user's choice in a drop-down list produces: the item is selected
// and the parent gets WM_COMMAND with CBN_SELCHANGE.
void SelectComboItem(HWND combo, int index);
// What a user's typing or paste produces: everything selected, then replaced
// (EM_REPLACESEL notifies the parent with EN_CHANGE; WM_SETTEXT would not).
void TypeText(HWND edit, const std::string& text);
// BM_GETCHECK of a check box or radio button.
bool IsChecked(HWND button);

struct MessageBoxInfo {
  HWND handle = nullptr;
  HWND owner = nullptr;
  std::string caption;
  std::string text;
  HICON icon = nullptr;  // as the box shows it (STM_GETICON of its icon)
  std::vector<std::pair<int, std::string>> buttons;  // ID and caption
  // Whether the icon is the system's information icon.
  bool ShowsInformationIcon() const;
};

// The message box ("#32770" dialog) open on this thread, if any.
std::optional<MessageBoxInfo> FindMessageBox();
// Presses one of its buttons (IDOK by default); the box closes.
void AnswerMessageBox(const MessageBoxInfo& box, int button_id = IDOK);

// While it exists, records the creation of every window on this thread with
// the parameters it was created with (a WH_CBT hook), and every message sent
// to a window of this thread (a WH_CALLWNDPROC hook). What a control does
// with its parameters afterwards does not matter here: a combo box, for one,
// drops WS_EX_CLIENTEDGE from its extended style and draws its own edge.
struct CreatedWindow {
  HWND handle = nullptr;
  std::string class_name;
  std::string caption;
  DWORD style = 0;
  DWORD ex_style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;  // the owner, for a top-level window
  INT_PTR menu = 0;       // the control ID of a child
  HINSTANCE instance = nullptr;
  void* param = nullptr;
};
struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

class WindowSpy {
 public:
  WindowSpy();
  ~WindowSpy();
  WindowSpy(const WindowSpy&) = delete;
  WindowSpy& operator=(const WindowSpy&) = delete;

  const std::vector<CreatedWindow>& created() const { return created_; }
  // How the window was created; null when it was not seen.
  const CreatedWindow* CreationOf(HWND window) const;
  // The messages sent to window, in order; of one kind, or all.
  std::vector<SentMessage> SentTo(HWND window, UINT message) const;
  std::vector<SentMessage> SentTo(HWND window) const;

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK OnCall(int code, WPARAM wparam, LPARAM lparam);
  HHOOK cbt_;
  HHOOK call_;
  std::vector<CreatedWindow> created_;
  std::vector<SentMessage> sent_;
};

// A visible top-level window that stands for the host's main window: the
// owner of the plug-in's windows, disabled while they run.
class TestHostWindow {
 public:
  TestHostWindow();
  ~TestHostWindow();
  TestHostWindow(const TestHostWindow&) = delete;
  TestHostWindow& operator=(const TestHostWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};
