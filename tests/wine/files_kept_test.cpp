// Files are never lost: renames that the file system refuses leave every file
// where it was, with its contents, and the host is told the truth (the old
// path when nothing moved).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"

namespace {

// The program doubles as the "other process" that holds a file open: run
// with --hold FILE EVENT, it opens FILE without sharing, signals EVENT and
// waits until its parent ends it.
int HoldFileOpen(const char* file, const char* event_name) {
  HANDLE held = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, event_name);
  if (held == INVALID_HANDLE_VALUE || !ready) return 1;
  SetEvent(ready);
  Sleep(INFINITE);
  return 0;
}

class OtherProcessHolding {
 public:
  explicit OtherProcessHolding(const std::string& file) {
    const std::string event_name = "translit-hold-" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --hold \"" + file + "\" " + event_name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &child_) &&
               WaitForSingleObject(ready, 20000) == WAIT_OBJECT_0;
    CloseHandle(ready);
  }
  ~OtherProcessHolding() {
    if (child_.hProcess) {
      TerminateProcess(child_.hProcess, 0);
      WaitForSingleObject(child_.hProcess, 5000);
      CloseHandle(child_.hProcess);
      CloseHandle(child_.hThread);
    }
  }
  bool started() const { return started_; }

 private:
  PROCESS_INFORMATION child_{};
  bool started_ = false;
};

std::string Profile(const std::string& rules) { return "info\r\nleft\r\nright\r\n" + rules; }

class FilesKept : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.AddProfile("standart.pch",
                     ReadWholeFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "\\standart.pch"));
    host_.AddProfile("lower.pch", Profile("A a\r\n"));
    plugin_.setDir(host_.dir().c_str());
    plugin_.initialize(nullptr);
    options_.Profile("standart.pch");
    dir_ = host_.AddDirectory("files") + "\\";
  }
  ProcessResult Rename(const std::string& path) { return CallProcess(plugin_, options_, path, false); }

  PluginLibrary plugin_;
  HostFolder host_;
  OptionsBlock options_{plugin_};
  std::string dir_;
};

TEST_F(FilesKept, ARenameOntoANameThatDiffersOnlyInCaseOverwritesNothing) {
  const std::string mine = host_.AddFile("files\\Жук.txt", "mine");
  const std::string theirs = host_.AddFile("files\\ZHUK.TXT", "theirs");
  const ProcessResult result = Rename(mine);
  EXPECT_TRUE(result.unchanged) << "Zhuk.txt is ZHUK.TXT to Windows";
  EXPECT_EQ(ReadWholeFile(mine), "mine");
  EXPECT_EQ(ReadWholeFile(theirs), "theirs");
}

TEST_F(FilesKept, ARenameThatOnlyChangesCaseKeepsTheOneFile) {
  const std::string file = host_.AddFile("files\\ABC.txt", "same file");
  options_.Profile("lower.pch").CaseSensitive(1);
  const ProcessResult result = Rename(file);
  // The move is onto the file itself. Windows changes the case on disk; wine
  // keeps the old spelling. Either way the returned path names the file.
  EXPECT_EQ(result.path, dir_ + "aBC.txt");
  EXPECT_EQ(ReadWholeFile(result.path), "same file");
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((dir_ + "*.txt").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(lstrcmpiA(entry.cFileName, "abc.txt"), 0);
  EXPECT_FALSE(FindNextFileA(search, &entry)) << "one file, not two";
  FindClose(search);
}

TEST_F(FilesKept, AReadOnlyFileIsRenamedAndStaysReadOnly) {
  const std::string file = host_.AddFile("files\\Жук.txt", "read only");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  const ProcessResult result = Rename(file);
  // Windows renames read-only files; if the file system refused, the host
  // would be told so by the old path. Either way nothing is lost.
  if (result.unchanged) {
    EXPECT_EQ(ReadWholeFile(file), "read only");
  } else {
    EXPECT_EQ(result.path, dir_ + "Zhuk.txt");
    EXPECT_EQ(ReadWholeFile(result.path), "read only");
    EXPECT_TRUE(GetFileAttributesA(result.path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(FileExists(file));
  }
  SetFileAttributesA((result.unchanged ? file : result.path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FilesKept, AFileOpenInAnotherProcessKeepsItsNameAndTheHostIsToldSo) {
  const std::string file = host_.AddFile("files\\Жук.txt", "busy");
  ProcessResult result;
  {
    OtherProcessHolding other(file);
    ASSERT_TRUE(other.started());
    result = Rename(file);
  }
  EXPECT_TRUE(result.unchanged);
  EXPECT_EQ(ReadWholeFile(file), "busy");
  EXPECT_FALSE(FileExists(dir_ + "Zhuk.txt"));
  // Once the other program lets go, the rename goes through.
  EXPECT_EQ(Rename(file).path, dir_ + "Zhuk.txt");
}

TEST_F(FilesKept, TwoFilesOntoOneNameLoseNoneAndEachPathTellsTheTruth) {
  // Э and Е are both E: the first file takes "Ekho.txt", the second keeps its
  // name.
  const std::string first = host_.AddFile("files\\Эхо.txt", "first");
  const std::string second = host_.AddFile("files\\Ехо.txt", "second");
  const ProcessResult one = Rename(first);
  const ProcessResult two = Rename(second);
  EXPECT_EQ(one.path, dir_ + "Ekho.txt");
  EXPECT_TRUE(two.unchanged);
  EXPECT_EQ(ReadWholeFile(one.path), "first");
  EXPECT_EQ(ReadWholeFile(second), "second");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--hold") == 0) return HoldFileOpen(argv[2], argv[3]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
