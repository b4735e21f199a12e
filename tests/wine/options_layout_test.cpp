// The options dialog as built: the window, its ten controls with every
// attribute they were created with, their fonts and icons, the catalogue in
// the profile box, and the painted header.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <memory>

#include "tests/wine/options_dialog_test.h"

namespace options_test {
namespace {

// Pixels of an icon's colour image, as 32-bit values.
std::vector<std::uint32_t> IconPixels(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = 16;
  format.bmiHeader.biHeight = -16;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(16 * 16);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, 16, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

// The icon a push button was given: the image of BM_SETIMAGE (wine's button
// refuses image lists, so the icon comes that way).
HICON IconSentTo(const WindowSpy& spy, HWND button) {
  for (const SentMessage& sent : spy.SentTo(button, BM_SETIMAGE)) {
    if (sent.wparam == IMAGE_ICON) return reinterpret_cast<HICON>(sent.lparam);
  }
  return nullptr;
}

struct ExpectedControl {
  const char* class_name;  // as registered
  const char* caption;
  DWORD style;
  DWORD ex_style;
  int id;
  int x, y, width, height;
};

// The ten controls in creation order.
const ExpectedControl kExpected[] = {
    {"Button", "Направление", 0x50020107, 0, 0, 16, 108, 242, 65},
    {"Button", "прямое", 0x50000109, 0, 3, 24, 125, 225, 17},
    {"Button", "обратное", 0x50000109, 0, 4, 24, 145, 225, 17},
    {"Button", "OK", 0x50000000, 0, 1, 99, 241, 81, 27},
    {"Button", "Отмена", 0x50000000, 0, 2, 186, 241, 81, 27},
    {"Button", "Инфо", 0x50000000, 0, 5, 183, 71, 75, 27},
    {"Button", "Учитывать регистр", 0x50000003, 0, 0, 16, 183, 242, 17},
    {"Button", "Заменять и в разширении файла", 0x50000003, 0, 0, 16, 204, 242, 17},
    {"Static", "Профиль замены:", 0x50000000, 0, 0, 16, 56, 161, 13},
    {"ComboBox", "", 0x50000003, WS_EX_CLIENTEDGE, 6, 16, 75, 161, 21},
};

// Where a 283 x 303 window is centred on the screen device: each half taken
// and rounded down on its own.
POINT CentredOnScreen() {
  HDC screen = GetDC(nullptr);
  const int width = GetDeviceCaps(screen, HORZRES);
  const int height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  if (width == 1024 && height == 768) return POINT{371, 233};
  return POINT{width / 2 - 141, height / 2 - 151};
}

class OptionsLayoutTest : public OptionsDialogTest {};

TEST_F(OptionsLayoutTest, TheDialogWindow) {
  Initialize();
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  WindowSpy spy;
  Driver()
      .Then([&] {
        const ControlInfo window = DescribeWindow(dialog_);
        EXPECT_EQ(window.caption, "Опции преобразования ");
        EXPECT_EQ(window.class_name, kDialogClass);
        EXPECT_EQ(window.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                  WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD),
                  static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
        // Centred on the screen device: (371, 233) on the tests' 1024 x 768
        // Xvfb screen; a wine server that another display started may
        // report another size.
        const POINT centred = CentredOnScreen();
        EXPECT_EQ(window.rect.left, centred.x);
        EXPECT_EQ(window.rect.top, centred.y);
        EXPECT_EQ(window.width(), 283);
        EXPECT_EQ(window.height(), 303);
        EXPECT_EQ(GetWindow(dialog_, GW_OWNER), host_window_.get());
        EXPECT_EQ(GetMenu(dialog_), nullptr);

        const CreatedWindow* created = spy.CreationOf(dialog_);
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->style, 0x00C80000u) << "not visible until shown";
        EXPECT_EQ(created->ex_style & ~WS_EX_WINDOWEDGE, 0u) << "wine adds the edge of a caption";
        EXPECT_EQ(created->x, centred.x);
        EXPECT_EQ(created->y, centred.y);
        EXPECT_EQ(created->width, 283);
        EXPECT_EQ(created->height, 303);
        EXPECT_EQ(created->parent, host_window_.get());
        EXPECT_EQ(created->menu, 0);
        EXPECT_EQ(created->instance, nullptr);
        EXPECT_EQ(created->param, nullptr);

        // The dialog is sent the controls' font, without a redraw.
        const std::vector<SentMessage> fonts = spy.SentTo(dialog_, WM_SETFONT);
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_EQ(fonts[0].wparam, static_cast<WPARAM>(SendMessageA(
                                       Controls().ok, WM_GETFONT, 0, 0)));
        EXPECT_EQ(fonts[0].lparam, 0);
        EXPECT_EQ(GetFocus(), Controls().profile_box);
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

TEST_F(OptionsLayoutTest, TheTenControlsAsTheyWereCreated) {
  Initialize();
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  WindowSpy spy;
  Driver()
      .Then([&] {
        const std::vector<ControlInfo> children = ChildControls(dialog_);
        ASSERT_EQ(children.size(), std::size(kExpected));
        for (std::size_t i = 0; i < children.size(); ++i) {
          const ControlInfo& child = children[i];
          const ExpectedControl& expected = kExpected[i];
          SCOPED_TRACE("control " + std::to_string(i) + " " + expected.caption);
          EXPECT_EQ(child.class_name, expected.class_name);
          EXPECT_EQ(child.id, expected.id);
          EXPECT_EQ(child.rect.left, expected.x);
          EXPECT_EQ(child.rect.top, expected.y);
          EXPECT_EQ(child.width(), expected.width);
          EXPECT_EQ(child.font_face, "Tahoma");
          EXPECT_EQ(child.font_height, -11);
          EXPECT_EQ(child.font_weight, FW_NORMAL);
          EXPECT_EQ(child.font_charset, DEFAULT_CHARSET);

          const CreatedWindow* created = spy.CreationOf(child.handle);
          ASSERT_NE(created, nullptr);
          EXPECT_EQ(created->caption, expected.caption);
          EXPECT_EQ(created->style, expected.style);
          EXPECT_EQ(created->ex_style, expected.ex_style);
          EXPECT_EQ(created->menu, expected.id);
          EXPECT_EQ(created->x, expected.x);
          EXPECT_EQ(created->y, expected.y);
          EXPECT_EQ(created->width, expected.width);
          EXPECT_EQ(created->height, expected.height);
          EXPECT_EQ(created->parent, dialog_);
          EXPECT_EQ(created->instance, plugin_.module());
          EXPECT_EQ(created->param, nullptr);
          // A combo box keeps the height of its closed field, not the
          // height asked for its list.
          if (child.class_name != "ComboBox") {
            EXPECT_EQ(child.height(), expected.height);
          }

          const std::vector<SentMessage> fonts = spy.SentTo(child.handle, WM_SETFONT);
          ASSERT_FALSE(fonts.empty());
          EXPECT_EQ(fonts.back().lparam, 0) << "no redraw";
        }
        // Captions as the controls show them; the radio buttons are renamed
        // only by a loaded profile, and there is none.
        for (std::size_t i = 0; i + 1 < children.size(); ++i) {
          EXPECT_EQ(children[i].caption, kExpected[i].caption) << i;
        }
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

TEST_F(OptionsLayoutTest, PushButtonsCarryTheirIcons) {
  Initialize();
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  WindowSpy spy;
  Driver()
      .Then([&] {
        const struct {
          HWND button;
          const char* resource;
        } buttons[] = {{Controls().ok, "BTNOK"},
                       {Controls().cancel, "BTNCANCEL"},
                       {Controls().info, "BTNINFO"}};
        for (const auto& expected : buttons) {
          SCOPED_TRACE(expected.resource);
          EXPECT_EQ(spy.SentTo(expected.button, BCM_SETIMAGELIST).size(), 1u);
          const HICON sent = IconSentTo(spy, expected.button);
          ASSERT_NE(sent, nullptr);
          const HICON resource = static_cast<HICON>(
              LoadImageA(plugin_.module(), expected.resource, IMAGE_ICON, 16, 16, 0));
          ASSERT_NE(resource, nullptr);
          EXPECT_EQ(IconPixels(sent), IconPixels(resource));
          DestroyIcon(resource);
        }
        for (HWND plain : {Controls().forward, Controls().case_box, Controls().group}) {
          EXPECT_TRUE(spy.SentTo(plain, BM_SETIMAGE).empty());
          EXPECT_TRUE(spy.SentTo(plain, BCM_SETIMAGELIST).empty());
        }
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

TEST_F(OptionsLayoutTest, TheProfileBoxListsTheCatalogueInItsOrder) {
  // The directory search delivers names sorted; "Б" sorts after "z" in
  // Windows-1251, and the box must not sort by its own rules.
  for (const char* name : {"a.pch", "Z.pch", "б.pch", "b.pch"}) {
    host_.AddProfile(name, Profile("", "L", "R"));
  }
  Initialize();
  std::vector<std::string> catalogue;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((host_.profiles() + "*.pch").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    catalogue.push_back(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);

  OptionsBlock block(plugin_);
  char* caption = nullptr;
  Driver()
      .Then([&] {
        const HWND box = Controls().profile_box;
        std::vector<std::string> listed;
        const auto count = SendMessageA(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
          char item[64] = {};
          SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
          listed.push_back(item);
        }
        EXPECT_EQ(listed, catalogue);
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

// ---- Painting ------------------------------------------------------------

// Reads the dialog's client pixels once it has painted.
class ClientPixels {
 public:
  explicit ClientPixels(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) pixels_[y][x] = GetPixel(dc, x, y);
    }
    ReleaseDC(window, dc);
  }
  COLORREF At(int x, int y) const { return pixels_[y][x]; }
  // How many pixels of a rectangle have exactly this colour.
  int Count(COLORREF color, int left, int top, int right, int bottom) const {
    int found = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) found += pixels_[y][x] == color;
    }
    return found;
  }

  static constexpr int kWidth = 283;
  static constexpr int kHeight = 245;

 private:
  COLORREF pixels_[kHeight][kWidth];
};

COLORREF SystemColor(int index) { return GetSysColor(index) & 0xFFFFFF; }

COLORREF DarkLineColor() {
  // 70 % of the way from the shadow colour to the face colour.
  const COLORREF a = SystemColor(COLOR_BTNSHADOW), b = SystemColor(COLOR_BTNFACE);
  const auto channel = [](int from, int to) {
    const double value = from + (to - from) * 0.7;
    return static_cast<int>(value + 0.5);
  };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

// Pixels of the dialog's client area that differ from the DLL's banner
// bitmap "OPTBG" placed at (left, 0), outside the rows from skip_top to
// skip_bottom; -1 when the bitmap is not 100 x 50.
int BannerMismatches(const ClientPixels& pixels, int client_width, int left, int skip_top,
                     int skip_bottom, HMODULE plugin) {
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageA(plugin, "OPTBG", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return -1;
  BITMAP size{};
  GetObjectA(bitmap, sizeof(size), &size);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  int mismatches = 0;
  for (int y = 0; y < size.bmHeight; ++y) {
    if (y >= skip_top && y < skip_bottom) continue;
    for (int x = 0; x < size.bmWidth && left + x < client_width; ++x) {
      mismatches += GetPixel(memory, x, y) != pixels.At(left + x, y);
    }
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return size.bmWidth == 100 && size.bmHeight == 50 ? mismatches : -1;
}

TEST_F(OptionsLayoutTest, TheHeaderSeparatorsAndHostMarkArePainted) {
  Initialize();
  OptionsBlock block(plugin_);
  char* caption = nullptr;
  Driver()
      .Then([&] {
        auto pixels = std::make_unique<ClientPixels>(dialog_);
        const int right = ClientSize(dialog_).cx - 1;  // the frame takes a few of the 283
        ASSERT_GE(right, 276);
        const COLORREF white = RGB(255, 255, 255);
        const COLORREF face = SystemColor(COLOR_BTNFACE);
        // The white band, left of the banner, where no text is.
        EXPECT_EQ(pixels->At(2, 2), white);
        EXPECT_EQ(pixels->At(170, 48), white);
        EXPECT_EQ(pixels->At(5, 49), white);
        // The two etched separators across the whole width, face between.
        for (int x : {0, 5, 100, right}) {
          EXPECT_EQ(pixels->At(x, 50), DarkLineColor()) << x;
          EXPECT_EQ(pixels->At(x, 51), SystemColor(COLOR_WINDOW)) << x;
          EXPECT_EQ(pixels->At(x, 52), face) << x;
        }
        for (int x : {0, 5, 80, right}) {
          EXPECT_EQ(pixels->At(x, 236), DarkLineColor()) << x;
          EXPECT_EQ(pixels->At(x, 237), SystemColor(COLOR_WINDOW)) << x;
          EXPECT_EQ(pixels->At(x, 235), face) << x;
        }
        // The host mark's opaque background interrupts the lower lines: its
        // first character is a blank.
        EXPECT_EQ(pixels->At(16, 236), face);
        EXPECT_EQ(pixels->At(16, 237), face);
        EXPECT_GT(pixels->Count(SystemColor(COLOR_BTNSHADOW), 15, 232, 80, 245), 0);
        // Title in grey at (16, 12), version in the window-text colour at
        // (134, 34), both on the white band.
        EXPECT_GT(pixels->Count(RGB(128, 128, 128), 16, 12, 176, 34), 20);
        EXPECT_EQ(pixels->Count(RGB(128, 128, 128), 0, 0, 15, 50), 0);
        EXPECT_GT(pixels->Count(SystemColor(COLOR_WINDOWTEXT), 134, 34, 176, 46), 5);
        // The banner, pixel for pixel, from x = 283 - 6 - 100 (its right
        // edge 6 pixels left of the dialog's), white left of it. The version
        // line is written over its left part afterwards.
        EXPECT_EQ(BannerMismatches(*pixels, right + 1, 177, 34, 48, plugin_.module()), 0);
        EXPECT_GT(pixels->Count(SystemColor(COLOR_WINDOWTEXT), 177, 34, 200, 48), 0)
            << "the version over the banner";
        EXPECT_EQ(pixels->At(176, 0), white);
      })
      .Then([&] { ClickButton(Controls().cancel); });
  EXPECT_EQ(ShowDriven(0, block.address(), &caption), 0);
}

}  // namespace
}  // namespace options_test
