// The two window classes of the real translit.dll: registered by initialize,
// unregistered when the library goes, and safe across unloading and loading
// again.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/window_probe.h"

namespace {

constexpr char kOptionsClass[] = "TReplPrflWindow";
constexpr char kTextClass[] = "TTransTextWindow";

// A class registered with a null module handle belongs to the process's
// main module, and is found under its handle (a null handle would look
// among the system's classes).
bool ClassExists(const char* name) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof(info);
  return GetClassInfoExA(GetModuleHandleA(nullptr), name, &info) != FALSE;
}

WNDCLASSEXA ClassInfo(const char* name) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof(info);
  GetClassInfoExA(GetModuleHandleA(nullptr), name, &info);
  return info;
}

// Whether an address lies inside the image of a loaded module.
bool InsideModule(HMODULE module, const void* address) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto* at = static_cast<const BYTE*>(address);
  return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

DWORD ImageSize(HMODULE module) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew)
      ->OptionalHeader.SizeOfImage;
}

// Creates a window of the class, as the plug-in's windows are created (null
// module handle), runs its window procedure through a few messages, and
// destroys it. True when the window existed.
bool OpenAndCloseWindowOf(const char* class_name, HWND owner) {
  HWND window = CreateWindowExA(0, class_name, "probe", WS_CAPTION | WS_SYSMENU, 10, 10, 200, 100,
                                owner, nullptr, nullptr, nullptr);
  if (!window) return false;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("again"));
  DestroyWindow(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return true;
}

class WindowClassTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Every library of a test is gone by now, and with it its classes.
    EXPECT_FALSE(ClassExists(kOptionsClass));
    EXPECT_FALSE(ClassExists(kTextClass));
  }
  HostFolder host_;
  TestHostWindow host_window_;
};

TEST_F(WindowClassTest, LoadingRegistersNothing) {
  PluginLibrary plugin;
  EXPECT_FALSE(ClassExists(kOptionsClass));
  EXPECT_FALSE(ClassExists(kTextClass));
}

TEST_F(WindowClassTest, InitializeRegistersBothClassesWithTheirAttributes) {
  PluginLibrary plugin;
  plugin.setDir(host_.dir().c_str());
  plugin.initialize(host_window_.get());
  for (const char* name : {kOptionsClass, kTextClass}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(ClassExists(name));
    const WNDCLASSEXA info = ClassInfo(name);
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_TRUE(InsideModule(plugin.module(), reinterpret_cast<const void*>(info.lpfnWndProc)));
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_EQ(info.hIcon, nullptr);
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(info.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(info.lpszMenuName, nullptr);
  }
  EXPECT_NE(ClassInfo(kOptionsClass).lpfnWndProc, ClassInfo(kTextClass).lpfnWndProc);
}

TEST_F(WindowClassTest, InitializeWithoutAProfileFolderStillRegisters) {
  PluginLibrary plugin;
  plugin.setDir((host_.dir() + "nowhere\\").c_str());
  plugin.initialize(host_window_.get());
  EXPECT_TRUE(ClassExists(kOptionsClass));
  EXPECT_TRUE(ClassExists(kTextClass));
}

LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(WindowClassTest, TheTextClassIsNotTriedWhenTheOptionsClassFails) {
  WNDCLASSA foreign{};
  foreign.lpfnWndProc = ForeignProc;
  foreign.lpszClassName = kOptionsClass;
  ASSERT_NE(RegisterClassA(&foreign), 0);
  {
    PluginLibrary plugin;
    plugin.setDir(host_.dir().c_str());
    plugin.initialize(host_window_.get());
    EXPECT_FALSE(ClassExists(kTextClass));
    EXPECT_EQ(ClassInfo(kOptionsClass).lpfnWndProc, ForeignProc);
  }
  // The library leaves alone a class it did not register.
  EXPECT_TRUE(ClassExists(kOptionsClass));
  EXPECT_EQ(ClassInfo(kOptionsClass).lpfnWndProc, ForeignProc);
  EXPECT_TRUE(UnregisterClassA(kOptionsClass, GetModuleHandleA(nullptr)));
}

TEST_F(WindowClassTest, ASecondInitializeIsHarmless) {
  PluginLibrary plugin;
  plugin.setDir(host_.dir().c_str());
  plugin.initialize(host_window_.get());
  const WNDPROC options = ClassInfo(kOptionsClass).lpfnWndProc;
  const WNDPROC text = ClassInfo(kTextClass).lpfnWndProc;
  plugin.initialize(host_window_.get());
  EXPECT_EQ(ClassInfo(kOptionsClass).lpfnWndProc, options);
  EXPECT_EQ(ClassInfo(kTextClass).lpfnWndProc, text);
  EXPECT_TRUE(OpenAndCloseWindowOf(kOptionsClass, host_window_.get()));
  EXPECT_TRUE(OpenAndCloseWindowOf(kTextClass, host_window_.get()));
}

TEST_F(WindowClassTest, UnloadingAndLoadingAgainGivesFreshClasses) {
  auto plugin = std::make_unique<PluginLibrary>();
  plugin->setDir(host_.dir().c_str());
  plugin->initialize(host_window_.get());
  EXPECT_TRUE(OpenAndCloseWindowOf(kOptionsClass, host_window_.get()));
  EXPECT_TRUE(OpenAndCloseWindowOf(kTextClass, host_window_.get()));
  const HMODULE old_base = plugin->module();
  const DWORD old_size = ImageSize(old_base);
  plugin.reset();
  EXPECT_FALSE(ClassExists(kOptionsClass));
  EXPECT_FALSE(ClassExists(kTextClass));

  // Keep the old image's addresses unusable, so that the library loads
  // elsewhere and a window procedure left behind at the old address would
  // fault instead of running the new copy by chance.
  void* fence = VirtualAlloc(old_base, old_size, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_EQ(fence, static_cast<void*>(old_base));
  plugin = std::make_unique<PluginLibrary>();
  ASSERT_NE(plugin->module(), old_base);
  plugin->setDir(host_.dir().c_str());
  plugin->initialize(host_window_.get());
  EXPECT_TRUE(InsideModule(plugin->module(),
                           reinterpret_cast<const void*>(ClassInfo(kOptionsClass).lpfnWndProc)));
  EXPECT_TRUE(InsideModule(plugin->module(),
                           reinterpret_cast<const void*>(ClassInfo(kTextClass).lpfnWndProc)));
  EXPECT_TRUE(OpenAndCloseWindowOf(kOptionsClass, host_window_.get()));
  EXPECT_TRUE(OpenAndCloseWindowOf(kTextClass, host_window_.get()));
  plugin.reset();
  VirtualFree(fence, 0, MEM_RELEASE);
}

}  // namespace
