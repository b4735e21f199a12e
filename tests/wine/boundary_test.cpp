// translit.dll as the host sees it: loaded with LoadLibraryA, entry points
// found by name and ordinal, records checked byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/pe_image.h"
#include "tests/wine/support/plugin_library.h"

namespace {

const char* const kEntryPoints[] = {"setDir",     "freeOpt",     "newOpt",
                                    "clickBtn",   "exportBtns",  "showOptions",
                                    "initialize", "process",     "getInfo"};

std::string Field(const char* bytes, std::size_t width) { return std::string(bytes, width); }

std::string Padded(const char* text, std::size_t width) {
  std::string field(text);
  field.resize(width, '\0');
  return field;
}

// ---- Exports and imports ---------------------------------------------------

TEST(Exports, ExactlyTheNineEntryPointsUnderOrdinalsOneToNine) {
  PluginLibrary plugin;
  auto exports = ListExports(plugin.module());
  ASSERT_EQ(exports.size(), 9u);
  std::sort(exports.begin(), exports.end(),
            [](const ExportEntry& a, const ExportEntry& b) { return a.ordinal < b.ordinal; });
  for (WORD i = 0; i < 9; ++i) {
    EXPECT_EQ(exports[i].ordinal, i + 1);
    EXPECT_EQ(exports[i].name, kEntryPoints[i]) << "ordinal " << i + 1;
  }
}

TEST(Exports, NameAndOrdinalResolveToTheSameCode) {
  PluginLibrary plugin;
  for (WORD i = 0; i < 9; ++i) {
    FARPROC by_name = plugin.ByName(kEntryPoints[i]);
    ASSERT_NE(by_name, nullptr) << kEntryPoints[i];
    EXPECT_EQ(by_name, plugin.ByOrdinal(i + 1)) << kEntryPoints[i];
  }
  EXPECT_EQ(plugin.ByOrdinal(10), nullptr);
  // Decorated stdcall names must not leak out.
  EXPECT_EQ(plugin.ByName("getInfo@4"), nullptr);
  EXPECT_EQ(plugin.ByName("_getInfo@4"), nullptr);
}

TEST(Imports, OnlySystemLibraries) {
  PluginLibrary plugin;
  const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL",  "GDI32.DLL",
                                        "COMCTL32.DLL", "MSVCRT.DLL",  "ADVAPI32.DLL"};
  auto dlls = ListImportedDlls(plugin.module());
  ASSERT_FALSE(dlls.empty());
  for (std::string dll : dlls) {
    std::transform(dll.begin(), dll.end(), dll.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    EXPECT_TRUE(system.count(dll)) << dll << " is not a system library";
  }
}

// ---- getInfo and exportBtns ------------------------------------------------

TEST(GetInfo, FillsEveryFieldAndLeavesTheGapByte) {
  PluginLibrary plugin;
  unsigned char buffer[216];
  std::memset(buffer, 0xFF, sizeof buffer);
  plugin.getInfo(reinterpret_cast<TPluginInfo*>(buffer));
  const char* b = reinterpret_cast<const char*>(buffer);
  EXPECT_EQ(Field(b + 0, 10), Padded("1.0.02", 10));
  EXPECT_EQ(Field(b + 10, 50), Padded("\xD2\xF0\xE0\xED\xF1\xEB\xE8\xF2", 50));  // Транслит
  EXPECT_EQ(Field(b + 60, 50), Padded("Tolvrang", 50));
  EXPECT_EQ(Field(b + 110, 50), Padded("\xD2\xF0\xE0\xED\xF1\xEB\xE8\xF2", 50));
  EXPECT_EQ(Field(b + 160, 50), Padded("*.*", 50));
  EXPECT_EQ(buffer[210], 0);
  EXPECT_EQ(buffer[211], 0xFF);
  EXPECT_EQ(Field(b + 212, 4), std::string("\x38\x00\x00\x00", 4));
}

TEST(GetInfo, NeedsNoOtherCallFirstAndOverwritesStaleFieldBytes) {
  PluginLibrary plugin;
  TPluginInfo info;
  std::memset(&info, 'x', sizeof info);
  plugin.getInfo(&info);
  EXPECT_EQ(Field(info.FileMask, 50), Padded("*.*", 50));
  EXPECT_EQ(info.OptionsSize, 56);
}

TEST(ExportBtns, OneButtonWithItsLengthPrefixedCaption) {
  PluginLibrary plugin;
  unsigned char storage[32];
  std::memset(storage, 0xFF, sizeof storage);
  std::int32_t count = -7;
  plugin.exportBtns(reinterpret_cast<TPluginButtons*>(storage), &count);
  EXPECT_EQ(count, 1);
  // 15, then "Транслит текста" in Windows-1251.
  const std::string expected = "\x0F\xD2\xF0\xE0\xED\xF1\xEB\xE8\xF2\x20\xF2\xE5\xEA\xF1\xF2\xE0";
  EXPECT_EQ(std::string(reinterpret_cast<char*>(storage), 16), expected);
  EXPECT_EQ(storage[16], 0xFF);
}

// ---- Option blocks ---------------------------------------------------------

TEST(OptionBlocks, NewOptHandsOutADefaultBlockThatFreeOptTakesBack) {
  PluginLibrary plugin;
  TReplOptions* first = nullptr;
  TReplOptions* second = nullptr;
  plugin.newOpt(&first);
  plugin.newOpt(&second);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(Field(first->ProfileName, 50), Padded("standart.pch", 50));
  EXPECT_EQ(first->CaseSensitive, 0);
  EXPECT_EQ(first->ReplaceInExtension, 0);
  EXPECT_EQ(first->Direction, 0);
  TReplOptions* kept = first;
  plugin.freeOpt(first);
  EXPECT_EQ(first, kept) << "freeOpt must not change the host's copy of the pointer";
  plugin.freeOpt(second);
}

TEST(OptionBlocks, FreeOptOfNullDoesNothing) {
  PluginLibrary plugin;
  plugin.freeOpt(nullptr);
  SUCCEED() << "no crash";
}

// ---- Out of memory ---------------------------------------------------------

void* __cdecl FailingMalloc(size_t) { return nullptr; }

DWORD g_seen_code = 0;
LONG CALLBACK ResumeAfterNoMemory(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode != STATUS_NO_MEMORY) return EXCEPTION_CONTINUE_SEARCH;
  g_seen_code = info->ExceptionRecord->ExceptionCode;
  return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(OutOfMemory, BecomesTheHeapsStructuredExceptionAndHandsOutNothing) {
  PluginLibrary plugin;
  TReplOptions* block = reinterpret_cast<TReplOptions*>(0x1234);
  g_seen_code = 0;
  PVOID handler = AddVectoredExceptionHandler(1, ResumeAfterNoMemory);
  {
    ImportPatch no_memory(plugin.module(), "msvcrt.dll", "malloc",
                          reinterpret_cast<void*>(&FailingMalloc));
    ASSERT_NE(no_memory.original(), nullptr) << "the DLL allocates through msvcrt's malloc";
    plugin.newOpt(&block);
  }
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(g_seen_code, static_cast<DWORD>(STATUS_NO_MEMORY));
  EXPECT_EQ(block, reinterpret_cast<TReplOptions*>(0x1234)) << "no block handed out";

  // The library still works afterwards.
  TReplOptions* fresh = nullptr;
  plugin.newOpt(&fresh);
  ASSERT_NE(fresh, nullptr);
  plugin.freeOpt(fresh);
}

}  // namespace

