// The named resources inside translit.dll and translit-host.exe: the
// pictures the host and the windows load by name, the application icon, and
// the version shown in the files' properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/support/plugin_library.h"

namespace {

#pragma pack(push, 1)
struct GroupIconEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

const void* ResourceBytes(HMODULE module, const char* name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return nullptr;
  return LockResource(LoadResource(module, found));
}

void ExpectBitmap(HMODULE module, const char* name, LONG width, LONG height, DWORD colors_used) {
  auto* header = static_cast<const BITMAPINFOHEADER*>(ResourceBytes(module, name, RT_BITMAP));
  ASSERT_NE(header, nullptr) << name;
  EXPECT_EQ(header->biWidth, width) << name;
  EXPECT_EQ(header->biHeight, height) << name << " is stored bottom-up";
  EXPECT_EQ(header->biBitCount, 8) << name;
  EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB)) << name;
  if (colors_used) {
    EXPECT_EQ(header->biClrUsed, colors_used) << name;
  }
  HANDLE loaded = LoadImageA(module, name, IMAGE_BITMAP, 0, 0, 0);
  EXPECT_NE(loaded, nullptr) << name;
  if (loaded) DeleteObject(loaded);
}

// The icon group holds exactly these sizes, in this order, at `bits`; each
// size loads, and 256 is stored as 0 in the group's byte-wide fields.
void ExpectIcon(HMODULE module, const char* name, const std::vector<int>& sizes, int bits) {
  auto* group = static_cast<const GroupIconHeader*>(ResourceBytes(module, name, RT_GROUP_ICON));
  ASSERT_NE(group, nullptr) << name;
  ASSERT_EQ(group->count, sizes.size()) << name;
  for (size_t i = 0; i < sizes.size(); ++i) {
    const GroupIconEntry& entry = group->entries[i];
    EXPECT_EQ(entry.width, sizes[i] & 0xff) << name << " image " << i;
    EXPECT_EQ(entry.height, sizes[i] & 0xff) << name << " image " << i;
    EXPECT_EQ(entry.bit_count, bits) << name << " image " << i;
    HANDLE loaded = LoadImageA(module, name, IMAGE_ICON, sizes[i], sizes[i], 0);
    EXPECT_NE(loaded, nullptr) << name << " at " << sizes[i];
    if (loaded) DestroyIcon(static_cast<HICON>(loaded));
  }
}

const std::vector<int> kMainIconSizes = {16, 24, 32, 48, 256};

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// translit-host.exe as a data file: its resources without running it.
class HostExecutable {
 public:
  HostExecutable()
      : module_(LoadLibraryExA(TRANSLIT_TEST_HOST_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~HostExecutable() {
    if (module_) FreeLibrary(module_);
  }
  HostExecutable(const HostExecutable&) = delete;
  HostExecutable& operator=(const HostExecutable&) = delete;
  HMODULE module() const { return module_; }

 private:
  HMODULE module_;
};

// ---- Pictures carried for the host ---------------------------------------

TEST(Resources, HostBitmapsAreSixteenPixelsAtEightBits) {
  PluginLibrary plugin;
  ExpectBitmap(plugin.module(), "ACTION", 16, 16, 0);
  ExpectBitmap(plugin.module(), "BUTTON0", 16, 16, 0);
}

TEST(Resources, HostIconGroupsHoldOneImageOfTheirSize) {
  PluginLibrary plugin;
  ExpectIcon(plugin.module(), "ACTION", {16}, 24);
  ExpectIcon(plugin.module(), "BUTTON0", {16}, 24);
}

TEST(Resources, MainIconHoldsEverySizeFromSixteenTo256) {
  PluginLibrary plugin;
  ExpectIcon(plugin.module(), "MAINICON", kMainIconSizes, 32);
}

TEST(Resources, HostExecutableCarriesTheMainIcon) {
  HostExecutable host;
  ASSERT_NE(host.module(), nullptr) << TRANSLIT_TEST_HOST_PATH;
  ExpectIcon(host.module(), "MAINICON", kMainIconSizes, 32);
  // Explorer shows a program's first icon group: MAINICON is the only one.
  int groups = 0;
  EnumResourceNamesA(host.module(), RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&groups));
  EXPECT_EQ(groups, 1);
}

// The 256-pixel image is PNG data inside the icon, the smaller ones DIBs.
TEST(Resources, MainIconStoresOnlyTheLargestImageAsPng) {
  PluginLibrary plugin;
  auto* group = static_cast<const GroupIconHeader*>(
      ResourceBytes(plugin.module(), "MAINICON", RT_GROUP_ICON));
  ASSERT_NE(group, nullptr);
  for (WORD i = 0; i < group->count; ++i) {
    auto* image = static_cast<const BYTE*>(
        ResourceBytes(plugin.module(), MAKEINTRESOURCEA(group->entries[i].id), RT_ICON));
    ASSERT_NE(image, nullptr) << "image " << i;
    const bool png = memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0;
    EXPECT_EQ(png, group->entries[i].width == 0) << "image " << i;
  }
}

// ---- Pictures of the windows ---------------------------------------------

TEST(Resources, BannerIsOneHundredByFiftyWith216Colours) {
  PluginLibrary plugin;
  ExpectBitmap(plugin.module(), "OPTBG", 100, 50, 216);
}

TEST(Resources, ButtonIconsAreSixteenPixelsWithAlpha) {
  PluginLibrary plugin;
  for (const char* name : {"BTNOK", "BTNCANCEL", "BTNINFO"})
    ExpectIcon(plugin.module(), name, {16}, 32);
}

// ---- Version -----------------------------------------------------------------

std::string VersionString(const std::string& info, const char* key) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041904E3\\") + key;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "<missing>";
  }
  return std::string(value, length && value[length - 1] == '\0' ? length - 1 : length);
}

// Both files say 1.0.0.2 in the fixed block and 1.0.02 in the strings.
TEST(Resources, VersionIsOneZeroZeroTwoOfTranslit) {
  const struct {
    std::string path;
    const char* original_name;
    DWORD file_type;
  } files[] = {{PluginDllPath(), "translit.dll", VFT_DLL},
               {TRANSLIT_TEST_HOST_PATH, "translit-host.exe", VFT_APP}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(file.path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwFileType, file.file_type);
    EXPECT_EQ(VersionString(info, "FileVersion"), "1.0.02");
    EXPECT_EQ(VersionString(info, "ProductVersion"), "1.0.02");
    EXPECT_EQ(VersionString(info, "ProductName"), "Translit");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), file.original_name);
  }
}

}  // namespace
