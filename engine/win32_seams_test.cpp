// The engine's two Windows seams against the real system, under wine with the
// ANSI code page 1251: lower-casing (kLower1251 == CharLowerBuffA) and opening
// a profile read-only with share-read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/lower_case.h"
#include "engine/profile.h"
#include "engine/testing/cp1251.h"

namespace {

TEST(Win32LowerCaseTest, TableEqualsCharLowerBuffAForAll256Bytes) {
  ASSERT_EQ(GetACP(), 1251u) << "the tests need the ANSI code page 1251 (tools/wine-env.sh)";
  for (int b = 0; b < 256; ++b) {
    char c = static_cast<char>(b);
    ASSERT_EQ(CharLowerBuffA(&c, 1), 1u);
    EXPECT_EQ(static_cast<unsigned char>(c), kLower1251[b]) << "byte " << b;
  }
  // The seam itself, over one buffer that holds every byte, NUL included.
  std::string all(256, '\0');
  for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<char>(b);
  LowerCaseInPlace(all);
  ASSERT_EQ(all.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(static_cast<unsigned char>(all[static_cast<std::size_t>(b)]), kLower1251[b])
        << "byte " << b;
  }
  EXPECT_TRUE(LowerCaseIsIdempotent());
}

TEST(Win32LowerCaseTest, EngineUsesTheSystemMapping) {
  TReplacePair pair(W("ЖжЁAb"));
  MaskedReplaceAll(pair, W("Ё"), "yo", false);
  EXPECT_EQ(pair.SearchText(), W("жж") + std::string(2, '\0') + "ab");
  EXPECT_EQ(pair.ResultText(), W("Жж") + "yoAb");
}

// A temporary folder with one profile in it.
class Win32ProfileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "translit-engine-" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    path_ = dir_ + "profile.pch";
    const std::string bytes = W("Информация\r\nРусский\r\nLatin\r\nЖ Zh\r\nа a\r\n");
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
  }
  void TearDown() override {
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(dir_.c_str());
  }

  HANDLE OpenOther(DWORD access, DWORD share) const {
    return CreateFileA(path_.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  }

  // Every reader of the profile: true when each found it readable.
  bool EveryReaderReads() const {
    TProfile profile;
    std::string information;
    TReplacePair pair;
    const bool read = ReadProfile(path_, &profile);
    const bool info = ReadProfileInformation(path_, &information);
    const bool run = RunProfileFile(pair, W("Жа"), path_, false, TDirection::kForward);
    EXPECT_EQ(read, info);
    EXPECT_EQ(read, run);
    if (read) {
      EXPECT_EQ(profile.Information, W("Информация"));
      EXPECT_EQ(profile.Rules.size(), 2u);
      EXPECT_EQ(pair.ResultText(), "Zha");
    }
    return read && info && run;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(Win32ProfileFiles, ReadableProfile) {
  EXPECT_TRUE(ProfilePresent(path_));
  EXPECT_TRUE(EveryReaderReads());
}

TEST_F(Win32ProfileFiles, ProfileLockedByAnotherHandleIsMissing) {
  HANDLE locked = OpenOther(GENERIC_READ, 0);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(ProfilePresent(path_));  // it exists
  TProfileReader reader;
  EXPECT_FALSE(reader.Open(path_));  // but cannot be opened
  TProfile profile;
  profile.Information = "kept";
  EXPECT_FALSE(ReadProfile(path_, &profile));
  EXPECT_EQ(profile.Information, "kept");
  EXPECT_FALSE(EveryReaderReads());
  CloseHandle(locked);
  EXPECT_TRUE(EveryReaderReads());
}

TEST_F(Win32ProfileFiles, ProfileOpenedForWritingElsewhereIsMissing) {
  // Opening with FILE_SHARE_READ only lets no one write meanwhile, so a writer
  // that is already there keeps the profile from being read.
  HANDLE writer = OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(EveryReaderReads());
  CloseHandle(writer);
}

TEST_F(Win32ProfileFiles, ProfileOpenedByAnotherReaderCanStillBeRead) {
  HANDLE other = OpenOther(GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(EveryReaderReads());
  CloseHandle(other);
}

TEST_F(Win32ProfileFiles, WhileReadOthersMayReadButNotWrite) {
  TProfileReader reader;
  ASSERT_TRUE(reader.Open(path_));
  HANDLE other_reader = OpenOther(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_NE(other_reader, INVALID_HANDLE_VALUE);
  if (other_reader != INVALID_HANDLE_VALUE) CloseHandle(other_reader);
  HANDLE writer = OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_EQ(reader.ReadLine(), W("Информация"));
}

TEST_F(Win32ProfileFiles, Presence) {
  EXPECT_FALSE(ProfilePresent(dir_));                   // a folder
  EXPECT_FALSE(ProfilePresent(dir_ + "missing.pch"));  // no such file
  EXPECT_FALSE(ProfilePresent(ProfilePath(dir_, "")));  // no Plugins folder here
  const std::string folder = dir_ + "Plugins\\";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "rep_profiles\\").c_str(), nullptr));
  EXPECT_FALSE(ProfilePresent(ProfilePath(dir_, "")));  // the folder itself
  RemoveDirectoryA((folder + "rep_profiles\\").c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Win32ProfileFiles, PathsOver259CharactersAreMissing) {
  // Folders of 60 characters until the limit is near; the long file is made
  // through a wide "\\?\" path, which goes beyond MAX_PATH.
  std::string folder = dir_;
  std::vector<std::string> folders;
  while (folder.size() < 200) {
    folder += std::string(60, 'd') + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    folders.push_back(folder);
  }
  const std::string at_limit = folder + std::string(259 - folder.size(), 'f');
  const std::string over_limit = at_limit + "g";
  const std::string bytes = "info\r\nL\r\nR\r\na b\r\n";
  // The paths are ASCII, so widening them byte by byte is exact.
  const std::wstring wide_over_limit = L"\\\\?\\" + std::wstring(over_limit.begin(), over_limit.end());
  for (const std::wstring& path :
       {std::wstring(at_limit.begin(), at_limit.end()), wide_over_limit}) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path.size();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  EXPECT_TRUE(ProfilePresent(at_limit));
  EXPECT_FALSE(ProfilePresent(over_limit));
  TProfile profile;
  EXPECT_TRUE(ReadProfile(at_limit, &profile));
  EXPECT_EQ(profile.Rules.size(), 1u);
  EXPECT_FALSE(ReadProfile(over_limit, &profile));
  DeleteFileA(at_limit.c_str());
  DeleteFileW(wide_over_limit.c_str());
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryA(it->c_str());
}

}  // namespace
