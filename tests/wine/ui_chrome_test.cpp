// What the two windows share, exercised on real windows under wine: colour
// blend, centring, icon buttons, controls made from layout rows, fonts and
// pens, painting helpers, and the modal run with its resources released
// after every opening.
//
// The plug-in's code is linked into this program, so GdiCounter watches this
// program's own imports; the bitmaps and icons come from translit.dll.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "plugin/library_state.h"
#include "tests/wine/support/gdi_counter.h"
#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/sample_window.h"
#include "tests/wine/support/window_probe.h"
#include "ui/chrome.h"
#include "ui/drawing.h"
#include "ui/layout.h"
#include "ui/modal_run.h"
#include "ui/options_dialog.h"
#include "ui/text_window.h"
#include "ui/window_classes.h"

namespace {

HMODULE ThisProgram() { return GetModuleHandleA(nullptr); }

// The plug-in's resources, a host window and the sample window's class, for
// every test of this program.
class WindowsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    PluginModule = LoadLibraryA(PluginDllPath().c_str());
    ASSERT_NE(PluginModule, nullptr);
    host_ = new TestHostWindow();
    HostWindow = host_->get();
    RegisterSampleWindowClass();
  }
  void TearDown() override {
    delete host_;
    FreeLibrary(PluginModule);
  }

 private:
  TestHostWindow* host_ = nullptr;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WindowsEnvironment);

// A 32-bit top-down DIB to paint on and read back.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = ToPixel(fill);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  static std::uint32_t ToPixel(COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  }
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  std::uint32_t* bits_ = nullptr;
};

// A plain top-level parent for controls, destroyed with the test.
class Parent {
 public:
  Parent() {
    window_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
  }
  ~Parent() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// ---- BlendColor --------------------------------------------------------

TEST(BlendColor, SeventyPercentFromShadowToFace) {
  EXPECT_EQ(BlendColor(RGB(128, 128, 128), RGB(212, 208, 200), 70), RGB(187, 184, 178));
}

TEST(BlendColor, ZeroGivesTheFirstAndAHundredOrMoreTheSecond) {
  const COLORREF a = RGB(10, 200, 30), b = RGB(250, 0, 128);
  EXPECT_EQ(BlendColor(a, b, 0), a);
  for (int percent : {100, 101, 200, 255}) {
    EXPECT_EQ(BlendColor(a, b, static_cast<std::uint8_t>(percent)), b) << percent;
  }
}

TEST(BlendColor, DescendingChannelsLandBetweenTheTwo) {
  EXPECT_EQ(BlendColor(RGB(200, 100, 50), RGB(100, 50, 0), 30), RGB(170, 85, 35));
  EXPECT_EQ(BlendColor(RGB(255, 255, 255), RGB(0, 0, 0), 70), RGB(76, 76, 76));  // 76.5 -> 76
}

TEST(BlendColor, HalvesGoToTheEvenNeighbour) {
  // 0 + 1 * 0.5 = 0.5 -> 0; 1 + 1 * 0.5 = 1.5 -> 2; 5 * 0.7 = 3.5 -> 4;
  // 15 * 0.7 = 10.5 -> 10 (0.7 is not exact in binary floating point).
  EXPECT_EQ(BlendColor(RGB(0, 1, 0), RGB(1, 2, 5), 50), RGB(0, 2, 2));
  EXPECT_EQ(BlendColor(RGB(0, 0, 0), RGB(5, 15, 25), 70), RGB(4, 10, 18));  // 17.5 -> 18
}

TEST(BlendColor, TopBytesAreIgnoredAndTheResultsIsZero) {
  const COLORREF a = 0xFF000000 | RGB(128, 128, 128);
  const COLORREF b = 0x7F000000 | RGB(212, 208, 200);
  for (int percent : {0, 70, 100}) {
    EXPECT_EQ(BlendColor(a, b, static_cast<std::uint8_t>(percent)) >> 24, 0u) << percent;
  }
  EXPECT_EQ(BlendColor(a, b, 70), RGB(187, 184, 178));
}

// ---- Centring ----------------------------------------------------------

TEST(Centring, BothWindowsOnA1024By768Screen) {
  const POINT options = CentredOrigin(1024, 768, 283, 303);
  EXPECT_EQ(options.x, 371);
  EXPECT_EQ(options.y, 233);
  const POINT text = CentredOrigin(1024, 768, 431, 469);
  EXPECT_EQ(text.x, 297);
  EXPECT_EQ(text.y, 150);
}

TEST(Centring, HalvesAreTakenSeparatelyAndRoundedDown) {
  const POINT odd = CentredOrigin(1025, 769, 283, 303);
  EXPECT_EQ(odd.x, 512 - 141);
  EXPECT_EQ(odd.y, 384 - 151);
  const POINT larger = CentredOrigin(200, 100, 431, 469);  // W div 2 - w div 2 < 0
  EXPECT_EQ(larger.x, 100 - 215);
  EXPECT_EQ(larger.y, 50 - 234);
}

TEST(Centring, UsesTheScreenDevice) {
  // The tests run on a 1024 x 768 Xvfb screen.
  const POINT options = CentredOnScreen(283, 303);
  EXPECT_EQ(options.x, 371);
  EXPECT_EQ(options.y, 233);
}

// ---- SetButtonIcon -------------------------------------------------------

// Records what a subclassed button receives and answers BCM_SETIMAGELIST
// with a chosen value.
struct ButtonSpy {
  static inline WNDPROC original = nullptr;
  static inline std::vector<UINT> messages;
  static inline LRESULT image_list_answer = 0;
  static inline BUTTON_IMAGELIST received{};
  static inline int received_images = -1;
  static inline SIZE received_size{};
  static inline WPARAM image_type = 99;
  static inline LPARAM image = 0;

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    messages.push_back(message);
    if (message == BCM_SETIMAGELIST) {
      received = *reinterpret_cast<const BUTTON_IMAGELIST*>(lparam);
      received_images = ImageList_GetImageCount(received.himl);
      int cx = 0, cy = 0;
      ImageList_GetIconSize(received.himl, &cx, &cy);
      received_size = SIZE{cx, cy};
      return image_list_answer;
    }
    if (message == BM_SETIMAGE) {
      image_type = wparam;
      image = lparam;
      return 0x77;
    }
    return CallWindowProcA(original, window, message, wparam, lparam);
  }

  // Subclasses the button; records from now on.
  static void Attach(HWND button, LRESULT answer) {
    messages.clear();
    image_list_answer = answer;
    received = BUTTON_IMAGELIST{};
    received_images = -1;
    image_type = 99;
    image = 0;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    messages.clear();
  }
};

class SetButtonIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    button_ = CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE, 0, 0, 81, 27,
                              parent_.get(), nullptr, nullptr, nullptr);
    icon_ = static_cast<HICON>(LoadImageA(PluginModule, "BTNOK", IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(button_);
    WindowChrome.Release();
    DestroyIcon(icon_);
  }
  Parent parent_;
  HWND button_ = nullptr;
  HICON icon_ = nullptr;
};

TEST_F(SetButtonIconTest, ImageTypeTwoOrMoreLeavesTheButtonAlone) {
  ButtonSpy::Attach(button_, 1);
  GdiCounter counter(ThisProgram());
  EXPECT_EQ(SetButtonIcon(button_, icon_, 2, 16, 16), 0);
  EXPECT_EQ(SetButtonIcon(button_, icon_, 3, 16, 16), 0);
  EXPECT_TRUE(ButtonSpy::messages.empty());
  EXPECT_EQ(counter.Created(GdiKind::kImageList), 0);
}

TEST_F(SetButtonIconTest, AButtonThatTakesImageListsGetsFiveImagesAtTheLeft) {
  ButtonSpy::Attach(button_, 1);
  GdiCounter counter(ThisProgram());
  EXPECT_EQ(SetButtonIcon(button_, icon_, IMAGE_ICON, 16, 16), 1);
  EXPECT_EQ(ButtonSpy::received_images, 5);
  EXPECT_EQ(ButtonSpy::received_size.cx, 16);
  EXPECT_EQ(ButtonSpy::received_size.cy, 16);
  EXPECT_EQ(ButtonSpy::received.margin.left, 10);
  EXPECT_EQ(ButtonSpy::received.margin.top, 0);
  EXPECT_EQ(ButtonSpy::received.margin.right, 0);
  EXPECT_EQ(ButtonSpy::received.margin.bottom, 0);
  EXPECT_EQ(ButtonSpy::received.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_LEFT));
  EXPECT_EQ(ButtonSpy::image_type, 99u) << "no BM_SETIMAGE after an accepted list";
  // The button draws from the list until its window's resources go.
  EXPECT_EQ(counter.Alive(GdiKind::kImageList), 1);
  EXPECT_EQ(counter.Alive(GdiKind::kIcon), 0) << "the blended icon is a temporary";
  WindowChrome.Release();
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
}

TEST_F(SetButtonIconTest, ABitmapGoesIntoTheListToo) {
  ButtonSpy::Attach(button_, 1);
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
  EXPECT_EQ(SetButtonIcon(button_, bitmap, IMAGE_BITMAP, 16, 16), 1);
  EXPECT_EQ(ButtonSpy::received_images, 5);
  WindowChrome.Release();
  DeleteObject(bitmap);
}

TEST_F(SetButtonIconTest, AButtonThatRefusesImageListsGetsThePlainImage) {
  ButtonSpy::Attach(button_, 0);
  GdiCounter counter(ThisProgram());
  EXPECT_EQ(SetButtonIcon(button_, icon_, IMAGE_ICON, 16, 16), 0x77) << "BM_SETIMAGE's answer";
  EXPECT_EQ(ButtonSpy::image_type, static_cast<WPARAM>(IMAGE_ICON));
  EXPECT_EQ(ButtonSpy::image, reinterpret_cast<LPARAM>(icon_));
  EXPECT_EQ(counter.Created(GdiKind::kImageList), 1);
  EXPECT_TRUE(counter.Balanced()) << "no image list remains\n" << counter.Report();
}

TEST_F(SetButtonIconTest, WinesOwnButtonRefusesTheListAndNoListRemains) {
  // wine's button knows no image lists, so it gets the plain image; it keeps
  // an image only with BS_ICON or BS_BITMAP, so its answer is 0.
  WindowSpy spy;
  GdiCounter counter(ThisProgram());
  EXPECT_EQ(SetButtonIcon(button_, icon_, IMAGE_ICON, 16, 16), 0);
  const std::vector<SentMessage> sent = spy.SentTo(button_);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(BCM_SETIMAGELIST));
  EXPECT_EQ(sent[1].message, static_cast<UINT>(BM_SETIMAGE));
  EXPECT_EQ(sent[1].wparam, static_cast<WPARAM>(IMAGE_ICON));
  EXPECT_EQ(sent[1].lparam, reinterpret_cast<LPARAM>(icon_));
  EXPECT_EQ(counter.Created(GdiKind::kImageList), 1);
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
}

// ---- Controls from layout rows -------------------------------------------

class ControlRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { WindowChrome.CreateDialogFont(); }
  void TearDown() override { WindowChrome.Release(); }
  Parent parent_;
};

TEST_F(ControlRowsTest, EachRowBecomesAChildAsDescribed) {
  const TControlRow rows[] = {
      {"button", kDirectionButtons[1].Caption, BS_LEFT | BS_AUTORADIOBUTTON, 0, 24, 145, 225, 17,
       kDirectionButtons[1].Id, kDirectionButtons[1].Slot, nullptr},
      {"combobox", "", CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE, 16, 75, 161, 21, 6, TSlot::kProfileBox,
       nullptr},
      {"static", "Профиль замены:", SS_LEFT, 0, 16, 56, 161, 13, 0, TSlot::kProfileLabel, nullptr},
  };
  WindowSpy spy;
  CreateControls(parent_.get(), rows, PluginModule);

  const std::vector<ControlInfo> children = ChildControls(parent_.get());
  ASSERT_EQ(children.size(), 3u);

  const ControlInfo& radio = children[0];
  EXPECT_EQ(radio.handle, ControlTable.DirectionButton[1]);
  EXPECT_STREQ(radio.class_name.c_str(), "Button");
  EXPECT_EQ(radio.caption, "\xEE\xE1\xF0\xE0\xF2\xED\xEE\xE5");  // "обратное" in Windows-1251
  EXPECT_EQ(radio.style, 0x50000109u);
  EXPECT_EQ(radio.ex_style & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(radio.id, 4);
  EXPECT_EQ(radio.rect.left, 24);
  EXPECT_EQ(radio.rect.top, 145);
  EXPECT_EQ(radio.width(), 225);
  EXPECT_EQ(radio.height(), 17);
  EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(radio.handle, GWLP_HINSTANCE)),
            PluginModule);

  const ControlInfo& combo = children[1];
  EXPECT_EQ(combo.handle, ControlTable.ProfileBox);
  EXPECT_STREQ(combo.class_name.c_str(), "ComboBox");
  EXPECT_EQ(combo.style & 0xFFFF000Fu, 0x50000003u);
  EXPECT_EQ(combo.id, 6);
  ASSERT_NE(spy.CreationOf(combo.handle), nullptr);
  EXPECT_EQ(spy.CreationOf(combo.handle)->ex_style, static_cast<DWORD>(WS_EX_CLIENTEDGE))
      << "asked for; the combo box then draws the edge itself";

  const ControlInfo& label = children[2];
  EXPECT_EQ(label.handle, ControlTable.ProfileLabel);
  EXPECT_EQ(label.caption, "\xCF\xF0\xEE\xF4\xE8\xEB\xFC \xE7\xE0\xEC\xE5\xED\xFB:");
  EXPECT_EQ(label.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_LEFT));

  for (const ControlInfo& child : children) {
    const CreatedWindow* creation = spy.CreationOf(child.handle);
    ASSERT_NE(creation, nullptr);
    EXPECT_EQ(creation->parent, parent_.get());
    EXPECT_EQ(creation->menu, child.id);
    EXPECT_EQ(creation->instance, PluginModule);
    EXPECT_EQ(creation->param, nullptr);
    EXPECT_EQ(child.font_face, "Tahoma") << child.class_name;
    EXPECT_EQ(child.font_height, -11) << child.class_name;
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child.handle, WM_GETFONT, 0, 0)),
              ControlTable.DialogFont);
  }
}

TEST_F(ControlRowsTest, AnIconRowGetsItsIconBeforeItsFont) {
  const TControlRow row = {"button", "Инфо", BS_PUSHBUTTON, 0, 183, 71, 75, 27, 5,
                           TSlot::kInfoButton, "BTNINFO"};
  WindowChrome.Release();
  WindowSpy spy;
  GdiCounter counter(ThisProgram());
  WindowChrome.CreateDialogFont();
  HWND button = CreateControl(parent_.get(), row, 0, PluginModule);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(ControlTable.InfoButton, button);

  std::vector<UINT> order;
  HICON icon = nullptr;
  for (const SentMessage& sent : spy.SentTo(button)) {
    if (sent.message == BCM_SETIMAGELIST || sent.message == WM_SETFONT) {
      order.push_back(sent.message);
    }
    if (sent.message == BM_SETIMAGE) {
      order.push_back(sent.message);
      EXPECT_EQ(sent.wparam, static_cast<WPARAM>(IMAGE_ICON));
      icon = reinterpret_cast<HICON>(sent.lparam);
    }
    if (sent.message == WM_SETFONT) {
      EXPECT_EQ(reinterpret_cast<HFONT>(sent.wparam), ControlTable.DialogFont);
      EXPECT_EQ(sent.lparam, 0) << "no redraw";
    }
  }
  EXPECT_EQ(order, (std::vector<UINT>{BCM_SETIMAGELIST, BM_SETIMAGE, WM_SETFONT}));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectA(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 16);
  EXPECT_EQ(colour.bmHeight, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(counter.Alive(GdiKind::kIcon), 1) << "kept while the button may draw it";
  DestroyWindow(button);
  WindowChrome.Release();
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
}

TEST_F(ControlRowsTest, ClientWidthRowsSpanTheParent) {
  RECT client{};
  GetClientRect(parent_.get(), &client);
  const TControlRow row = {"edit", "", ES_MULTILINE, WS_EX_CLIENTEDGE, 0, 108, kClientWidth, 142,
                           10, TSlot::kSourceEdit, nullptr};
  CreateControls(parent_.get(), &row, 1, PluginModule);
  const ControlInfo edit = DescribeWindow(ControlTable.SourceEdit);
  EXPECT_EQ(edit.width(), client.right);
  EXPECT_EQ(edit.height(), 142);
  EXPECT_EQ(edit.id, 10);
}

TEST_F(ControlRowsTest, AControlThatCannotBeCreatedLeavesItsSlotEmpty) {
  ControlTable.CaseBox = reinterpret_cast<HWND>(0x1234);
  const TControlRow row = {"NoSuchClass", "", 0, 0, 0, 0, 10, 10, 11, TSlot::kCaseBox, "BTNOK"};
  EXPECT_EQ(CreateControl(parent_.get(), row, 0, PluginModule), nullptr);
  EXPECT_EQ(ControlTable.CaseBox, nullptr);
}

TEST(DirectionButtons, RowIStandsForDirectionI) {
  EXPECT_EQ(kDirectionButtons[0].Id, 3);
  EXPECT_STREQ(kDirectionButtons[0].Caption, "\xEF\xF0\xFF\xEC\xEE\xE5");  // "прямое"
  EXPECT_EQ(SlotHandle(kDirectionButtons[0].Slot), &ControlTable.DirectionButton[0]);
  EXPECT_EQ(kDirectionButtons[1].Id, 4);
  EXPECT_EQ(SlotHandle(kDirectionButtons[1].Slot), &ControlTable.DirectionButton[1]);
  EXPECT_EQ(ControlTable.SearchText, nullptr);
  EXPECT_EQ(ControlTable.ResultText, nullptr);
}

// ---- Fonts, pens and the banner -----------------------------------------

LOGFONTA FontOf(HFONT font) {
  LOGFONTA logfont{};
  GetObjectA(font, sizeof(logfont), &logfont);
  return logfont;
}

TEST(WindowChrome, ThreeTahomaFontsOfTheirHeights) {
  WindowChrome.CreateDialogFont();
  WindowChrome.CreateTitleFont();
  WindowChrome.CreateSmallFont();
  const struct {
    HFONT font;
    LONG height;
  } fonts[] = {{ControlTable.DialogFont, -11}, {ControlTable.TitleFont, -19},
               {ControlTable.SmallFont, -8}};
  for (const auto& expected : fonts) {
    ASSERT_NE(expected.font, nullptr);
    const LOGFONTA font = FontOf(expected.font);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfHeight, expected.height);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, 0);
    EXPECT_EQ(font.lfClipPrecision, 0);
    EXPECT_EQ(font.lfQuality, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0);
  }
  WindowChrome.Release();
  EXPECT_EQ(ControlTable.DialogFont, nullptr);
  EXPECT_EQ(ControlTable.TitleFont, nullptr);
  EXPECT_EQ(ControlTable.SmallFont, nullptr);
}

TEST(WindowChrome, PensBlendShadowIntoFaceAndUseTheWindowColour) {
  WindowChrome.CreatePens();
  LOGPEN dark{}, light{};
  ASSERT_TRUE(GetObjectA(ControlTable.DarkPen, sizeof(dark), &dark));
  ASSERT_TRUE(GetObjectA(ControlTable.LightPen, sizeof(light), &light));
  EXPECT_EQ(dark.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(dark.lopnWidth.x, 1);
  EXPECT_EQ(dark.lopnColor,
            BlendColor(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), 70));
  EXPECT_EQ(light.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(light.lopnWidth.x, 1);
  EXPECT_EQ(light.lopnColor, GetSysColor(COLOR_WINDOW));

  GdiCounter counter(ThisProgram());
  WindowChrome.DeletePens();
  EXPECT_EQ(ControlTable.DarkPen, nullptr);
  EXPECT_EQ(ControlTable.LightPen, nullptr);
  WindowChrome.Release();
  EXPECT_EQ(counter.ForeignReleases(), 2) << "each pen deleted once, before the counter began";
}

TEST(WindowChrome, TheBannerIsTheHundredByFiftyBitmap) {
  WindowChrome.LoadBannerBitmap(PluginModule);
  BITMAP banner{};
  ASSERT_TRUE(GetObjectA(ControlTable.BannerBitmap, sizeof(banner), &banner));
  EXPECT_EQ(banner.bmWidth, 100);
  EXPECT_EQ(banner.bmHeight, 50);
  WindowChrome.Release();
  EXPECT_EQ(ControlTable.BannerBitmap, nullptr);
}

// ---- Painting helpers -----------------------------------------------------

constexpr COLORREF kFill = RGB(1, 2, 3);

TEST(Painting, AnEtchedSeparatorIsADarkAndALightLine) {
  WindowChrome.CreatePens();
  Canvas canvas(300, 10, kFill);
  DrawEtchedSeparator(canvas.dc(), 4, 283);
  LOGPEN dark{}, light{};
  GetObjectA(ControlTable.DarkPen, sizeof(dark), &dark);
  GetObjectA(ControlTable.LightPen, sizeof(light), &light);
  for (int x : {0, 100, 282}) {
    EXPECT_EQ(canvas.At(x, 4), dark.lopnColor) << x;
    EXPECT_EQ(canvas.At(x, 5), light.lopnColor) << x;
    EXPECT_EQ(canvas.At(x, 3), kFill) << x;
    EXPECT_EQ(canvas.At(x, 6), kFill) << x;
  }
  EXPECT_EQ(canvas.At(283, 4), kFill) << "the end point is not drawn";
  EXPECT_EQ(canvas.At(283, 5), kFill);

  // Once a closing window has deleted its pens, a late paint draws no line.
  WindowChrome.DeletePens();
  DrawEtchedSeparator(canvas.dc(), 7, 283);
  EXPECT_EQ(canvas.At(10, 7), kFill);
  EXPECT_EQ(canvas.At(10, 8), kFill);
  WindowChrome.Release();
}

TEST(Painting, TheHostMarkIsOpaqueShadowOnFaceAndRestoresTheContext) {
  WindowChrome.CreateSmallFont();
  Canvas canvas(120, 30, kFill);
  HGDIOBJ font_before = GetCurrentObject(canvas.dc(), OBJ_FONT);
  SetTextColor(canvas.dc(), RGB(9, 9, 9));
  SetBkColor(canvas.dc(), RGB(8, 8, 8));
  SetBkMode(canvas.dc(), TRANSPARENT);

  DrawHostMark(canvas.dc(), 15, 10);

  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font_before);
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(9, 9, 9));
  EXPECT_EQ(GetBkColor(canvas.dc()), RGB(8, 8, 8));
  EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);

  // The mark's cell: the size of the ten characters in the small font.
  SIZE cell{};
  {
    HGDIOBJ previous = SelectObject(canvas.dc(), ControlTable.SmallFont);
    GetTextExtentPoint32A(canvas.dc(), kHostMark, 10, &cell);
    SelectObject(canvas.dc(), previous);
  }
  ASSERT_GT(cell.cx, 20);
  int face = 0, ink = 0, untouched = 0;
  for (int y = 10; y < 10 + cell.cy; ++y) {
    for (int x = 15; x < 15 + cell.cx; ++x) {
      const COLORREF pixel = canvas.At(x, y);
      face += pixel == GetSysColor(COLOR_BTNFACE);
      untouched += pixel == kFill;
      ink += pixel != GetSysColor(COLOR_BTNFACE) && pixel != kFill;
    }
  }
  EXPECT_EQ(untouched, 0) << "the background is opaque";
  EXPECT_GT(face, 0);
  EXPECT_GT(ink, 0) << "the letters are drawn";
  EXPECT_EQ(canvas.At(14, 12), kFill);
  EXPECT_EQ(canvas.At(15 + cell.cx, 12), kFill);
  WindowChrome.Release();
}

// A bitmap of one colour.
HBITMAP SolidBitmap(int width, int height, COLORREF color) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(color);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

TEST(Painting, ABitmapEndsSixPixelsLeftOfTheRightEdge) {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  HBITMAP bitmap = SolidBitmap(10, 4, kRed);
  Canvas canvas(50, 12, kFill);
  GdiCounter counter(ThisProgram());
  DrawBitmapRightAligned(canvas.dc(), 40, 3, bitmap);
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
  EXPECT_EQ(canvas.At(23, 3), kFill);
  EXPECT_EQ(canvas.At(24, 3), kRed);
  EXPECT_EQ(canvas.At(33, 6), kRed);
  EXPECT_EQ(canvas.At(34, 3), kFill) << "six pixels left of x = 40";
  EXPECT_EQ(canvas.At(24, 2), kFill);
  EXPECT_EQ(canvas.At(24, 7), kFill);
  DeleteObject(bitmap);
}

TEST(Painting, ABitmapWiderThanTheRoomStartsLeftOfZero) {
  constexpr COLORREF kBlue = RGB(0, 0, 255);
  HBITMAP bitmap = SolidBitmap(60, 2, kBlue);
  Canvas canvas(50, 4, kFill);
  DrawBitmapRightAligned(canvas.dc(), 50, 0, bitmap);  // x = 50 - 60 - 6 = -16
  EXPECT_EQ(canvas.At(0, 0), kBlue);
  EXPECT_EQ(canvas.At(43, 1), kBlue);
  EXPECT_EQ(canvas.At(44, 0), kFill);
  DeleteObject(bitmap);
}

TEST(Painting, ABitmapThatCannotBeSelectedDrawsNothing) {
  Canvas canvas(20, 4, kFill);
  DrawBitmapRightAligned(canvas.dc(), 20, 0, nullptr);
  // A bitmap already selected into another context cannot be selected again.
  HBITMAP bitmap = SolidBitmap(4, 4, RGB(0, 255, 0));
  HDC holder = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(holder, bitmap);
  DrawBitmapRightAligned(canvas.dc(), 20, 0, bitmap);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(canvas.At(x, 1), kFill) << x;
  SelectObject(holder, previous);
  DeleteDC(holder);
  DeleteObject(bitmap);
}

// ---- The modal run -------------------------------------------------------

MSG PendingQuit() {
  MSG quit{};
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  return quit;
}

TEST(ModalRun, ShowsTheWindowCentredWithTheHostDisabledAndTheProfileBoxFocused) {
  WindowSpy spy;
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kSampleWindowClass, &window).Then([&] {
    EXPECT_EQ(window, SampleWindow);
    const CreatedWindow* creation = spy.CreationOf(window);
    ASSERT_NE(creation, nullptr);
    EXPECT_EQ(creation->style, static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(creation->ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u)
        << "none asked; the system adds the edge of a captioned window";
    EXPECT_EQ(creation->parent, HostWindow);
    EXPECT_EQ(creation->menu, 0);
    EXPECT_EQ(creation->instance, nullptr);
    EXPECT_EQ(creation->param, nullptr);
    const std::vector<SentMessage> fonts = spy.SentTo(window, WM_SETFONT);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HFONT>(fonts[0].wparam), ControlTable.DialogFont)
        << "the window itself is given DialogFont";
    EXPECT_FALSE(IsWindowEnabled(HostWindow));
    EXPECT_EQ(GetWindow(window, GW_OWNER), HostWindow);
    const ControlInfo info = DescribeWindow(window);
    EXPECT_EQ(info.rect.left, 371);
    EXPECT_EQ(info.rect.top, 233);
    EXPECT_EQ(info.width(), kSampleWidth);
    EXPECT_EQ(info.height(), kSampleHeight);
    EXPECT_EQ(GetFocus(), ControlTable.ProfileBox);
    EXPECT_EQ(SendMessageA(ControlTable.DirectionButton[0], BM_GETCHECK, 0, 0), BST_CHECKED)
        << "the initial state was set";
    EXPECT_NE(ControlTable.DarkPen, nullptr);
    EXPECT_EQ(ControlTable.LoopMessage.message, static_cast<UINT>(WM_TIMER))
        << "the loop runs on the control table's message record";
  });
  driver.Then([&] { ClickButton(FindChildById(window, kSampleCloseId)); });
  EXPECT_TRUE(driver.Run(RunSampleWindow));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
  EXPECT_EQ(GetForegroundWindow(), HostWindow);
  EXPECT_EQ(ControlTable.DialogFont, nullptr) << "the opening's resources are gone";
  EXPECT_EQ(ControlTable.LoopMessage.message, static_cast<UINT>(WM_QUIT));
}

TEST(ModalRun, ACloseRequestEndsTheRunLikeTheCloseButton) {
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kSampleWindowClass, &window).Then([&] {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_TRUE(driver.Run(RunSampleWindow));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
}

int InitialStateCalls = 0;

TEST(ModalRun, AWindowThatWasNotCreatedEndsTheRunAtOnce) {
  HWND missing = nullptr;
  InitialStateCalls = 0;
  const DWORD start = GetTickCount();
  RunModalWindow(UiHost(),
                 {[](const TUiHost&) { return false; }, [] { ++InitialStateCalls; }, &missing});
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_EQ(InitialStateCalls, 0);
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
  EXPECT_EQ(PendingQuit().message, 0u);
}

TEST(ModalRun, AFailedBuildReleasesWhatItCreated) {
  HWND missing = nullptr;
  GdiCounter counter(ThisProgram());
  RunModalWindow(UiHost(), {[](const TUiHost&) {
                              WindowChrome.CreateDialogFont();
                              return false;
                            },
                            [] {}, &missing});
  EXPECT_EQ(counter.Created(GdiKind::kFont), 1);
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
}

HWND ThrowingBuildWindow = nullptr;

TEST(ModalRun, ExhaustedMemoryInTheBuildDestroysTheWindowAndReachesTheCaller) {
  const TModalWindow throwing = {[](const TUiHost& host) -> bool {
                                   WindowChrome.CreateDialogFont();
                                   ThrowingBuildWindow = CreateTopLevelWindow(
                                       kSampleWindowClass, "", WS_CAPTION, 100, 100, host.Window);
                                   throw std::bad_alloc();
                                 },
                                 [] {}, &ThrowingBuildWindow};
  EXPECT_THROW(RunModalWindow(UiHost(), throwing), std::bad_alloc);
  EXPECT_NE(ThrowingBuildWindow, nullptr);
  EXPECT_FALSE(IsWindow(ThrowingBuildWindow));
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
  EXPECT_EQ(PendingQuit().message, 0u) << "the host's own loop must not see a quit message";
  EXPECT_EQ(ControlTable.DialogFont, nullptr);
}

TEST(ModalRun, ExhaustedMemoryInAHandlerIsRaisedAfterTheLoop) {
  ModalDriver driver;
  HWND window = nullptr;
  int handled = 0;
  driver.WaitForWindow(kSampleWindowClass, &window).Then([&] {
    handled = static_cast<int>(GuardedWindowCall([]() -> LRESULT { throw std::bad_alloc(); }, 7));
  });
  driver.Then([&] { ClickButton(FindChildById(window, kSampleCloseId)); });
  EXPECT_THROW(driver.Run(RunSampleWindow), std::bad_alloc);
  EXPECT_EQ(handled, 7) << "the handler's fallback result";
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
  RethrowOutOfMemoryFromWindow();  // reported once only
}

TEST(ModalRun, HundredsOfOpeningsReleaseEveryObjectTheyCreate) {
  constexpr int kOpenings = 200;
  GdiCounter counter(ThisProgram());
  const DWORD start = GetTickCount();
  // Leave by the two ways out in turn: the Close button and a close request.
  ASSERT_TRUE(OpenAndCloseRepeatedly(kOpenings, kSampleWindowClass, RunSampleWindow,
                                     [](HWND window, int opening) {
                                       if (opening % 2) {
                                         ClickButton(FindChildById(window, kSampleCloseId));
                                       } else {
                                         PostMessageA(window, WM_CLOSE, 0, 0);
                                       }
                                     }));
  RecordProperty("openings_ms", static_cast<int>(GetTickCount() - start));
  EXPECT_TRUE(counter.Balanced()) << counter.Report();
  // Every opening made its own: three fonts, two pens, the banner, three
  // button icons and an image list per icon button.
  EXPECT_EQ(counter.Created(GdiKind::kFont), 3 * kOpenings);
  EXPECT_EQ(counter.Created(GdiKind::kPen), 2 * kOpenings);
  EXPECT_EQ(counter.Created(GdiKind::kBitmap), kOpenings);
  EXPECT_GE(counter.Created(GdiKind::kIcon), 3 * kOpenings);
  EXPECT_EQ(counter.Created(GdiKind::kImageList), 3 * kOpenings);
  EXPECT_GE(counter.Created(GdiKind::kDC), 2 * kOpenings) << "screen DC and paint";
}

// ---- The two windows' layouts ---------------------------------------------

// The room a control's caption has: a check box or radio button loses its
// box, a group box its frame, a push button with an icon the icon and its
// margin; fields and lists have no caption to fit.
int CaptionRoom(const ControlInfo& control) {
  if (control.class_name == "Static") return control.width();
  if (control.class_name != "Button") return -1;
  switch (control.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON: return control.width() - 16;
    case BS_GROUPBOX: return control.width() - 16;
    default: return control.width() - 26;
  }
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// What every layout table must give, whatever its numbers: every control
// inside the client area, no two identifiers alike (0 is "none"), no two
// controls overlapping unless a group box holds the other whole, and every
// caption fitting its control in the dialog font, except the one caption
// named as known to be cut.
void ExpectSoundLayout(HWND window, const std::string& known_cut = "") {
  const std::vector<ControlInfo> controls = ChildControls(window);
  ASSERT_GE(controls.size(), 8u);
  const SIZE client = ClientSize(window);
  const RECT client_rect{0, 0, client.cx, client.cy};
  TWindowDC screen(nullptr);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlInfo& a = controls[i];
    const std::string name = a.class_name + " \"" + a.caption + "\"";
    EXPECT_TRUE(Inside(a.rect, client_rect)) << name << " leaves the client area";
    const int room = CaptionRoom(a);
    if (room >= 0 && !a.caption.empty() && a.caption != known_cut) {
      const auto font = reinterpret_cast<HFONT>(SendMessageA(a.handle, WM_GETFONT, 0, 0));
      TSelectGuard selected(screen.get(), font);
      SIZE text{};
      GetTextExtentPoint32A(screen.get(), a.caption.c_str(), static_cast<int>(a.caption.size()),
                            &text);
      EXPECT_LE(text.cx, room) << name << " does not fit";
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const ControlInfo& b = controls[j];
      if (a.id != 0) {
        EXPECT_NE(a.id, b.id) << name << " shares its identifier";
      }
      RECT common{};
      if (!IntersectRect(&common, &a.rect, &b.rect)) continue;
      const auto is_group = [](const ControlInfo& c) {
        return c.class_name == "Button" && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
      };
      const bool held = (is_group(a) && Inside(b.rect, a.rect)) ||
                        (is_group(b) && Inside(a.rect, b.rect));
      EXPECT_TRUE(held) << name << " overlaps " << b.class_name << " \"" << b.caption << "\"";
    }
  }
}

TEST(Layout, BothWindowsKeepTheirControlsInsideApartAndReadable) {
  RegisterWindowClasses();
  HostFolder host;
  host.AddProfile("a.pch", "info\r\nLeft\r\nRight\r\na b");
  PluginDir = host.dir();
  ScanProfileCatalogue();
  const TUiHost ui_host = UiHost();
  {
    ModalDriver driver;
    HWND window = nullptr;
    driver.WaitForWindow(kTextWindowClass, &window).Then([&] {
      // The text window's label is 89 pixels wide in its fixed layout; wine's
      // Tahoma needs about 103 for it, and "замены:" wraps out of sight.
      ExpectSoundLayout(window, "Профиль замены:");
      ClickButton(FindChildById(window, 7));
    });
    EXPECT_TRUE(driver.Run([&] { RunTextWindow(ui_host); }));
  }
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kOptionsWindowClass, &window).Then([&] {
    ExpectSoundLayout(window);
    ClickButton(FindChildById(window, 2));
  });
  TDialogOptions options;
  options.ProfileName = "a.pch";
  EXPECT_TRUE(driver.Run([&] { EXPECT_FALSE(RunOptionsDialog(ui_host, options)); }));
  EXPECT_EQ(options.ProfileName, "a.pch") << "Cancel leaves the options";
}

// ---- The driver itself -------------------------------------------------------

// A step that never holds, while a message box of the window is open: the
// driver must still end the loop instead of hanging the test program.
void RunWithAStepThatNeverHolds() {
  ModalDriver driver;
  HWND window = nullptr;
  driver.WaitForWindow(kSampleWindowClass, &window)
      .Then([&] { ClickButton(FindChildById(window, kSampleInfoId)); })
      .WaitFor([] { return false; });
  EXPECT_FALSE(driver.Run(RunSampleWindow, 300));
}

TEST(ModalDriver, GivesUpOnAStuckStepAndEndsTheLoop) {
  HostFolder host;
  host.AddProfile("stuck.pch", "information\r\nA\r\nB\r\n");
  SampleProfilePath = host.profiles() + "stuck.pch";
  EXPECT_NONFATAL_FAILURE(RunWithAStepThatNeverHolds(), "timed out");
  SampleProfilePath.clear();
  EXPECT_FALSE(IsWindow(SampleWindow));
  EXPECT_FALSE(FindMessageBox().has_value());
  EXPECT_TRUE(IsWindowEnabled(HostWindow));
}

}  // namespace
