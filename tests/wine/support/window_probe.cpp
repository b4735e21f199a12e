#include "tests/wine/support/window_probe.h"

#include <stdexcept>

namespace {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

constexpr char kHostClass[] = "TranslitTestHost";

}  // namespace

ControlInfo DescribeWindow(HWND window) {
  ControlInfo info;
  info.handle = window;
  info.class_name = ClassName(window);
  info.caption = WindowText(window);
  info.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  info.ex_style = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  info.id = GetDlgCtrlID(window);
  GetWindowRect(window, &info.rect);
  if (info.style & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&info.rect), 2);
  }
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))) {
    LOGFONTA logfont{};
    if (GetObjectA(font, sizeof(logfont), &logfont)) {
      info.font_face = logfont.lfFaceName;
      info.font_height = logfont.lfHeight;
      info.font_weight = logfont.lfWeight;
      info.font_charset = logfont.lfCharSet;
    }
  }
  return info;
}

std::vector<ControlInfo> ChildControls(HWND parent) {
  std::vector<ControlInfo> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(DescribeWindow(child));
  }
  return children;
}

HWND FindChildById(HWND parent, int id) { return GetDlgItem(parent, id); }

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

HWND FindThreadWindow(const char* class_name) {
  for (HWND window : ThreadWindows()) {
    if (lstrcmpiA(ClassName(window).c_str(), class_name) == 0) return window;
  }
  return nullptr;
}

void ClickButton(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void SelectComboItem(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(combo)), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void TypeText(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool MessageBoxInfo::ShowsInformationIcon() const {
  return icon && icon == LoadIconA(nullptr, IDI_INFORMATION);
}

std::optional<MessageBoxInfo> FindMessageBox() {
  HWND box = FindThreadWindow("#32770");
  if (!box) return std::nullopt;
  MessageBoxInfo info;
  info.handle = box;
  info.owner = GetWindow(box, GW_OWNER);
  info.caption = WindowText(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = ClassName(child);
    if (lstrcmpiA(kind.c_str(), "Static") == 0) {
      const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
      if ((style & SS_TYPEMASK) == SS_ICON) {
        info.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
      } else {
        info.text = WindowText(child);
      }
    } else if (lstrcmpiA(kind.c_str(), "Button") == 0 && IsWindowVisible(child)) {
      info.buttons.emplace_back(GetDlgCtrlID(child), WindowText(child));
    }
  }
  return info;
}

void AnswerMessageBox(const MessageBoxInfo& box, int button_id) {
  PostMessageA(box.handle, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.handle, button_id)));
}

namespace {
WindowSpy* Spying = nullptr;
}  // namespace

WindowSpy::WindowSpy() {
  if (Spying) throw std::logic_error("one WindowSpy at a time");
  Spying = this;
  cbt_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  call_ = SetWindowsHookExA(WH_CALLWNDPROC, OnCall, nullptr, GetCurrentThreadId());
}

WindowSpy::~WindowSpy() {
  UnhookWindowsHookEx(call_);
  UnhookWindowsHookEx(cbt_);
  Spying = nullptr;
}

LRESULT CALLBACK WindowSpy::OnCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && Spying) {
    const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    CreatedWindow entry;
    entry.handle = reinterpret_cast<HWND>(wparam);
    entry.class_name = ClassName(entry.handle);
    if (create.lpszName) entry.caption = create.lpszName;
    entry.style = static_cast<DWORD>(create.style);
    entry.ex_style = create.dwExStyle;
    entry.x = create.x;
    entry.y = create.y;
    entry.width = create.cx;
    entry.height = create.cy;
    entry.parent = create.hwndParent;
    entry.menu = reinterpret_cast<INT_PTR>(create.hMenu);
    entry.instance = create.hInstance;
    entry.param = create.lpCreateParams;
    Spying->created_.push_back(entry);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK WindowSpy::OnCall(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && Spying) {
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lparam);
    Spying->sent_.push_back({call.hwnd, call.message, call.wParam, call.lParam});
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

const CreatedWindow* WindowSpy::CreationOf(HWND window) const {
  for (const CreatedWindow& entry : created_) {
    if (entry.handle == window) return &entry;
  }
  return nullptr;
}

std::vector<SentMessage> WindowSpy::SentTo(HWND window, UINT message) const {
  std::vector<SentMessage> found;
  for (const SentMessage& entry : sent_) {
    if (entry.window == window && entry.message == message) found.push_back(entry);
  }
  return found;
}

std::vector<SentMessage> WindowSpy::SentTo(HWND window) const {
  std::vector<SentMessage> found;
  for (const SentMessage& entry : sent_) {
    if (entry.window == window) found.push_back(entry);
  }
  return found;
}

TestHostWindow::TestHostWindow() {
  WNDCLASSA host_class{};
  host_class.lpfnWndProc = HostProc;
  host_class.hInstance = GetModuleHandleA(nullptr);
  host_class.lpszClassName = kHostClass;
  RegisterClassA(&host_class);  // fails harmlessly when a previous host registered it
  window_ = CreateWindowExA(0, kHostClass, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                            100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestHostWindow::~TestHostWindow() {
  if (window_) DestroyWindow(window_);
}
