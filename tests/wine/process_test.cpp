// File-name transliteration through the DLL's `process`, on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"

namespace {

std::string Profile(const std::string& rules) { return "information\r\nleft\r\nright\r\n" + rules; }

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin_.setDir(host_.dir().c_str());
    plugin_.initialize(nullptr);
    host_.AddProfile("shag.pch", Profile("а a\r\nг g\r\nШ Sh\r\n"));
    host_.AddProfile("shag-ext.pch", Profile("а a\r\nг g\r\nШ Sh\r\nt т\r\n"));
    host_.AddProfile("abc.pch", Profile("a x\r\nb y\r\nc z\r\n"));
    host_.AddProfile("zh.pch", Profile("Ж Zh\r\n"));
    host_.AddProfile("self.pch", Profile("x\r\nЖ Zh\r\n"));
    docs_ = host_.AddDirectory("docs") + "\\";
  }

  ProcessResult Run(const std::string& path, bool preview = false) {
    return CallProcess(plugin_, options_, path, preview);
  }

  PluginLibrary plugin_;
  HostFolder host_;
  OptionsBlock options_{plugin_};
  std::string docs_;
};

// ---- The path and its parts ---------------------------------------------------

TEST_F(ProcessTest, ForwardRenamesTheFileAndReportsTheNewPath) {
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "content");
  options_.Profile("shag.pch");
  const ProcessResult result = Run(old_path);
  EXPECT_EQ(result.path, docs_ + "Shag.txt");
  EXPECT_FALSE(FileExists(old_path));
  EXPECT_EQ(ReadWholeFile(docs_ + "Shag.txt"), "content");
}

TEST_F(ProcessTest, ReverseTurnsRightTermsBackIntoLeftOnes) {
  host_.AddFile("docs\\Shag.txt", "content");
  options_.Profile("shag.pch").Direction(1);
  EXPECT_EQ(Run(docs_ + "Shag.txt").path, docs_ + "Шаг.txt");
  EXPECT_EQ(ReadWholeFile(docs_ + "Шаг.txt"), "content");
}

TEST_F(ProcessTest, AnyNonZeroDirectionIsReverse) {
  options_.Profile("shag.pch").Direction(-7);
  EXPECT_EQ(Run(docs_ + "Shag.txt", true).path, docs_ + "Шаг.txt");
}

TEST_F(ProcessTest, ExtensionIsKeptUnlessItIsTransliteratedToo) {
  options_.Profile("shag-ext.pch");
  EXPECT_EQ(Run(docs_ + "Шаг.txt", true).path, docs_ + "Shag.txt");
  options_.InExtension(1);
  EXPECT_EQ(Run(docs_ + "Шаг.txt", true).path, docs_ + "Shag.тxт");
  options_.InExtension(0xFF);  // any non-zero byte
  EXPECT_EQ(Run(docs_ + "Шаг.txt", true).path, docs_ + "Shag.тxт");
}

TEST_F(ProcessTest, OnlyTheLastDotStartsTheExtension) {
  options_.Profile("abc.pch");
  EXPECT_EQ(Run("C:\\docs\\a.b.c", true).path, "C:\\docs\\x.y.c");
}

TEST_F(ProcessTest, ANameThatIsAllExtensionComesBackUnchanged) {
  const std::string old_path = host_.AddFile("docs\\.x", "dot");
  options_.Profile("abc.pch");
  const ProcessResult result = Run(old_path);
  EXPECT_EQ(result.path, old_path);
  EXPECT_EQ(ReadWholeFile(old_path), "dot");
}

TEST_F(ProcessTest, TheDirectoryPartEndsAtAColonAndALoneFinalDotIsTheExtension) {
  host_.AddProfile("a.pch", Profile("a x\r\n"));
  options_.Profile("a.pch");
  EXPECT_EQ(Run("C:abc.d", true).path, "C:xbc.d");
  // "C:xbc." would be made as "C:xbc": a new name ending in a dot is refused.
  EXPECT_TRUE(Run("C:abc.", true).unchanged);
}

// Windows drops a trailing dot or space and opens a device for CON, NUL and
// the rest whatever their extension: the path handed back would be untrue, so
// such a file keeps its name, in a preview as in a rename.
TEST_F(ProcessTest, ANewNameThatWindowsWouldAlterOrTakeForADeviceIsRefused) {
  host_.AddProfile("dev.pch", Profile("Ж N\r\nК C\r\nЩ /s\r\nЁ .\r\n"));
  options_.Profile("dev.pch");
  for (const char* name : {"ЖUL.txt", "КON", "кon.tar.gz", "ЖужЩ", "ЖужЁ", "auxЩ.log"}) {
    const std::string old_path = host_.AddFile(std::string("docs\\") + name, "kept");
    EXPECT_TRUE(Run(old_path, true).unchanged) << name;
    EXPECT_TRUE(Run(old_path).unchanged) << name;
    EXPECT_EQ(ReadWholeFile(old_path), "kept") << name;
  }
  EXPECT_EQ(Run(docs_ + "КONSOLE.txt", true).path, docs_ + "CONSOLE.txt");
}

TEST_F(ProcessTest, TheDirectoryIsNeverTransliterated) {
  const std::string dir = host_.AddDirectory("abc") + "\\";
  host_.AddFile("abc\\abc.abc", "x");
  options_.Profile("abc.pch");
  EXPECT_EQ(Run(dir + "abc.abc").path, dir + "xyz.abc");
  EXPECT_TRUE(FileExists(dir + "xyz.abc"));
}

TEST_F(ProcessTest, APathWithoutDirectoryIsAllFileName) {
  host_.AddFile("docs\\Шаг.txt", "relative");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(docs_.c_str());
  options_.Profile("shag.pch");
  const ProcessResult result = Run("Шаг.txt");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(result.path, "Shag.txt");
  EXPECT_EQ(ReadWholeFile(docs_ + "Shag.txt"), "relative");
}

// A '/' does not end the directory part, so it belongs to the name; but
// Windows reads it as a separator, and a new name holding one would move the
// file into another folder: such a file keeps its name.
TEST_F(ProcessTest, ASlashIsPartOfTheNameAndSuchANameIsNotChanged) {
  options_.Profile("abc.pch");
  EXPECT_TRUE(Run("C:\\d\\a/b.c", true).unchanged);
  EXPECT_EQ(Run("C:\\d/a\\b.c", true).path, "C:\\d/a\\y.c");
}

// ---- Passes and case ---------------------------------------------------------

TEST_F(ProcessTest, CaseSensitiveRunsOneExactPass) {
  options_.Profile("zh.pch").CaseSensitive(1);
  EXPECT_EQ(Run("C:\\Жж", true).path, "C:\\Zhж");
  options_.CaseSensitive(2);  // any non-zero byte counts as set
  EXPECT_EQ(Run("C:\\Жж", true).path, "C:\\Zhж");
}

TEST_F(ProcessTest, WithoutCaseSensitiveASecondPassIgnoresCase) {
  options_.Profile("zh.pch").CaseSensitive(0);
  EXPECT_EQ(Run("C:\\Жж", true).path, "C:\\Zhzh");
}

TEST_F(ProcessTest, SelfMappingLinesAlwaysIgnoreCase) {
  // "x" lower-cases the search copy, so the capital rule after it can no
  // longer match, even in the exact pass and with CaseSensitive set.
  options_.Profile("self.pch").CaseSensitive(1);
  EXPECT_EQ(Run("C:\\Жx", true).path, "C:\\Жx");
}

// ---- The profile ---------------------------------------------------------------

TEST_F(ProcessTest, AMissingProfileChangesNothingWhateverPreviewSays) {
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "kept");
  for (bool preview : {false, true}) {
    for (const char* name : {"absent.pch", ""}) {
      options_.Profile(name);
      const ProcessResult result = Run(old_path, preview);
      EXPECT_TRUE(result.unchanged) << name;
      EXPECT_EQ(ReadWholeFile(old_path), "kept");
    }
  }
}

TEST_F(ProcessTest, AProfileThatIsADirectoryIsMissing) {
  host_.AddDirectory("Plugins\\rep_profiles\\folder.pch");
  options_.Profile("folder.pch");
  EXPECT_TRUE(Run(docs_ + "Шаг.txt", true).unchanged);
}

TEST_F(ProcessTest, AProfileNameOfFiftyBytesWithoutNulIsReadWhole) {
  const std::string name = std::string(46, 'n') + ".pch";
  ASSERT_EQ(name.size(), 50u);
  host_.AddProfile(name, Profile("a x\r\n"));
  options_.Profile(name);
  EXPECT_EQ(Run("C:\\a", true).path, "C:\\x");
  // Cut at 49 it names nothing.
  options_.Profile(name.substr(0, 49));
  EXPECT_TRUE(Run("C:\\a", true).unchanged);
}

TEST_F(ProcessTest, AProfilePathOf259CharactersIsFoundAndOf260IsNot) {
  // Pad the host directory so that the profile's full path has the length.
  const std::string tail = "Plugins\\rep_profiles\\p.pch";
  auto host_dir_for = [&](std::size_t total) {
    const std::size_t pad = total - host_.dir().size() - tail.size() - 1;
    return host_.dir() + std::string(pad, 'd') + "\\";
  };
  for (std::size_t total : {259u, 260u}) {
    const std::string dir = host_dir_for(total);
    ASSERT_EQ((dir + tail).size(), total);
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "Plugins").c_str(), nullptr);
    CreateDirectoryA((dir + "Plugins\\rep_profiles").c_str(), nullptr);
    const std::string profile = dir + tail;
    HANDLE file =
        CreateFileA(profile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "wine creates paths of any length";
    DWORD written = 0;
    const std::string bytes = Profile("a x\r\n");
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);

    plugin_.setDir(dir.c_str());
    options_.Profile("p.pch");
    const ProcessResult result = Run("C:\\a", true);
    if (total == 259) {
      EXPECT_EQ(result.path, "C:\\x");
    } else {
      EXPECT_TRUE(result.unchanged) << "a profile path over 259 characters counts as missing";
    }
    DeleteFileA(profile.c_str());
  }
}

TEST_F(ProcessTest, AProfileLockedByAnotherProgramCountsAsMissing) {
  const std::string profile = host_.profiles() + "shag.pch";
  HANDLE lock = CreateFileA(profile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "kept");
  options_.Profile("shag.pch");
  const ProcessResult result = Run(old_path);
  CloseHandle(lock);
  EXPECT_TRUE(result.unchanged);
  EXPECT_EQ(ReadWholeFile(old_path), "kept");
  // Unlocked, it works again.
  EXPECT_EQ(Run(old_path).path, docs_ + "Shag.txt");
}

// Writes bytes over a file and gives it back its last-write time, as an
// edit that keeps the size would look to anything trusting time stamps.
void WriteKeepingTheTime(const std::string& path, const std::string& bytes) {
  FILETIME written{};
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  HostFolder::WriteBytes(path, bytes);
  file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

// Between two calls the profile is edited, replaced, locked, deleted or
// written back: each call gives what the profile holds at that moment.
TEST_F(ProcessTest, EachCallUsesTheProfileAsItIsThen) {
  const std::string profile = host_.profiles() + "shag.pch";
  const std::string first = Profile("а a\r\nг g\r\nШ Sh\r\n");
  const std::string edited = Profile("а o\r\nг g\r\nШ Sh\r\n");  // the same size
  const std::string other = Profile("а a\r\nг k\r\nШ S\r\n");
  HANDLE lock = INVALID_HANDLE_VALUE;
  const struct {
    const char* deed;
    std::function<void()> Do;
    const char* name;  // null: the host's pointer is left alone
  } kSteps[] = {
      {"none", [] {}, "Shag.txt"},
      {"edited, size and time kept", [&] { WriteKeepingTheTime(profile, edited); }, "Shog.txt"},
      {"replaced by another file",
       [&] {
         const std::string moved = host_.AddFile("other.pch", other);
         ASSERT_TRUE(MoveFileExA(moved.c_str(), profile.c_str(), MOVEFILE_REPLACE_EXISTING));
       },
       "Sak.txt"},
      {"locked",
       [&] {
         lock = CreateFileA(profile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
         ASSERT_NE(lock, INVALID_HANDLE_VALUE);
       },
       nullptr},
      {"unlocked", [&] { CloseHandle(lock); }, "Sak.txt"},
      {"deleted", [&] { ASSERT_TRUE(DeleteFileA(profile.c_str())); }, nullptr},
      {"written back as first", [&] { HostFolder::WriteBytes(profile, first); }, "Shag.txt"},
  };
  options_.Profile("shag.pch");
  ASSERT_EQ(ReadWholeFile(profile), first);
  for (const auto& step : kSteps) {
    step.Do();
    const ProcessResult result = Run(docs_ + "Шаг.txt", true);
    if (step.name == nullptr) {
      EXPECT_TRUE(result.unchanged) << step.deed;
    } else {
      EXPECT_EQ(result.path, docs_ + step.name) << step.deed;
    }
  }
}

TEST_F(ProcessTest, AProfileOpenedByAnotherReaderCanStillBeUsed) {
  const std::string profile = host_.profiles() + "shag.pch";
  HANDLE reader = CreateFileA(profile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  options_.Profile("shag.pch");
  EXPECT_EQ(Run(docs_ + "Шаг.txt", true).path, docs_ + "Shag.txt");
  CloseHandle(reader);
}

TEST_F(ProcessTest, AProfileWithoutRulesRenamesToTheSameName) {
  host_.AddProfile("short.pch", "only one line");
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "same");
  options_.Profile("short.pch");
  const ProcessResult result = Run(old_path);
  EXPECT_EQ(result.path, old_path);
  EXPECT_EQ(ReadWholeFile(old_path), "same");
}

// ---- Preview, failed renames and the returned text ---------------------------

TEST_F(ProcessTest, PreviewReportsTheNewPathAndLeavesTheFile) {
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "kept");
  options_.Profile("shag.pch");
  EXPECT_EQ(Run(old_path, true).path, docs_ + "Shag.txt");
  EXPECT_EQ(ReadWholeFile(old_path), "kept");
  EXPECT_FALSE(FileExists(docs_ + "Shag.txt"));
}

TEST_F(ProcessTest, ARenameOntoAnExistingNameFailsAndTheHostKeepsTheOldPath) {
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "mine");
  const std::string taken = host_.AddFile("docs\\Shag.txt", "theirs");
  options_.Profile("shag.pch");
  const ProcessResult result = Run(old_path);
  EXPECT_TRUE(result.unchanged) << "the file is still under its old name";
  EXPECT_EQ(ReadWholeFile(old_path), "mine");
  EXPECT_EQ(ReadWholeFile(taken), "theirs");
  // A preview still shows the name the rename would take.
  EXPECT_EQ(Run(old_path, true).path, taken);
}

TEST_F(ProcessTest, ARenameOfAFileOpenElsewhereWithoutSharingFails) {
  const std::string old_path = host_.AddFile("docs\\Шаг.txt", "busy");
  HANDLE open = CreateFileA(old_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  options_.Profile("shag.pch");
  const ProcessResult result = Run(old_path);
  CloseHandle(open);
  EXPECT_TRUE(result.unchanged);
  EXPECT_EQ(ReadWholeFile(old_path), "busy");
  EXPECT_FALSE(FileExists(docs_ + "Shag.txt"));
}

TEST_F(ProcessTest, ARenameToANameOverThePathLimitIsNotAttempted) {
  // Each "ш" grows into "sh": the path passes 259 characters only once the
  // name is transliterated.
  const std::string deep = host_.AddDirectory(std::string(150, 'd')) + "\\";
  const std::string name = std::string(259 - deep.size() - 20, 'x') + std::string(20, 'ш');
  ASSERT_EQ((deep + name).size(), 259u);
  const std::string old_path = deep + name;
  HostFolder::WriteBytes(old_path, "long");
  host_.AddProfile("sh.pch", Profile("ш sh\r\n"));
  options_.Profile("sh.pch");
  ASSERT_EQ(Run(old_path, true).path.size(), 279u);
  const ProcessResult result = Run(old_path);
  EXPECT_TRUE(result.unchanged);
  EXPECT_EQ(ReadWholeFile(old_path), "long");
}

TEST_F(ProcessTest, TheReturnedTextStaysReadableUntilTheNextCall) {
  options_.Profile("abc.pch");
  std::string first_input = "C:\\abc";
  char* first = first_input.data();
  plugin_.process(&first, 0, 0, 0, options_.address(), 1);
  ASSERT_NE(first, first_input.data());
  first_input.assign("overwritten by the host");
  EXPECT_STREQ(first, "C:\\xyz");
  // The host may hand the returned text straight back in.
  plugin_.process(&first, 0, 0, 0, options_.address(), 1);
  EXPECT_STREQ(first, "C:\\xyz");
}

TEST_F(ProcessTest, NullPointersAreIgnored) {
  char* null_path = nullptr;
  plugin_.process(&null_path, 0, 0, 0, options_.address(), 1);
  EXPECT_EQ(null_path, nullptr);
  plugin_.process(nullptr, 0, 0, 0, options_.address(), 1);
  std::string path = "C:\\a";
  char* pointer = path.data();
  TReplOptions* no_block = nullptr;
  plugin_.process(&pointer, 0, 0, 0, &no_block, 1);
  plugin_.process(&pointer, 0, 0, 0, nullptr, 1);
  EXPECT_EQ(pointer, path.data());
}

}  // namespace
