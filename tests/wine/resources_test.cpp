// The named resources inside translit.dll: the pictures the host and the
// windows load by name, and the version shown in the file's properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

void ExpectIcon(HMODULE module, const char* name, int size, int bits) {
  auto* group = static_cast<const GroupIconHeader*>(ResourceBytes(module, name, RT_GROUP_ICON));
  ASSERT_NE(group, nullptr) << name;
  ASSERT_EQ(group->count, 1) << name << " holds one image";
  EXPECT_EQ(group->entries[0].width, size) << name;
  EXPECT_EQ(group->entries[0].height, size) << name;
  EXPECT_EQ(group->entries[0].bit_count, bits) << name;
  HANDLE loaded = LoadImageA(module, name, IMAGE_ICON, size, size, 0);
  EXPECT_NE(loaded, nullptr) << name;
  if (loaded) DestroyIcon(static_cast<HICON>(loaded));
}

// ---- Pictures carried for the host ---------------------------------------

TEST(Resources, HostBitmapsAreSixteenPixelsAtEightBits) {
  PluginLibrary plugin;
  ExpectBitmap(plugin.module(), "ACTION", 16, 16, 0);
  ExpectBitmap(plugin.module(), "BUTTON0", 16, 16, 0);
}

TEST(Resources, HostIconGroupsHoldOneImageOfTheirSize) {
  PluginLibrary plugin;
  ExpectIcon(plugin.module(), "ACTION", 16, 24);
  ExpectIcon(plugin.module(), "BUTTON0", 16, 24);
  ExpectIcon(plugin.module(), "MAINICON", 32, 32);
}

// ---- Pictures of the windows ---------------------------------------------

TEST(Resources, BannerIsOneHundredByFiftyWith216Colours) {
  PluginLibrary plugin;
  ExpectBitmap(plugin.module(), "OPTBG", 100, 50, 216);
}

TEST(Resources, ButtonIconsAreSixteenPixelsWithAlpha) {
  PluginLibrary plugin;
  for (const char* name : {"BTNOK", "BTNCANCEL", "BTNINFO"}) ExpectIcon(plugin.module(), name, 16, 32);
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

TEST(Resources, VersionIsOneZeroZeroTwoOfTranslit) {
  const std::string path = PluginDllPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string info(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
  EXPECT_EQ(VersionString(info, "FileVersion"), "1.0.02");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "1.0.02");
  EXPECT_EQ(VersionString(info, "ProductName"), "Translit");
}

}  // namespace
