// How a full path splits into directory, name and extension, and the new path
// that a profile file gives.
#include "engine/file_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/testing/cp1251.h"

namespace {

struct Split {
  std::string directory, name, extension;
  bool operator==(const Split& other) const {
    return directory == other.directory && name == other.name && extension == other.extension;
  }
};

Split SplitOf(std::string_view path, bool replaceInExtension = false) {
  const TPathParts parts = SplitPath(path, replaceInExtension);
  return {std::string(parts.Directory), std::string(parts.Name), std::string(parts.Extension)};
}

// ---- Directory part ---------------------------------------------------------

TEST(SplitPath, DirectoryEndsAtTheLastBackslashOrColon) {
  EXPECT_EQ(SplitOf("C:\\docs\\file.txt"), (Split{"C:\\docs\\", "file", ".txt"}));
  EXPECT_EQ(SplitOf("C:abc."), (Split{"C:", "abc", "."}));
  EXPECT_EQ(SplitOf("\\\\server\\share\\x"), (Split{"\\\\server\\share\\", "x", ""}));
  EXPECT_EQ(SplitOf("a:b\\c:d"), (Split{"a:b\\c:", "d", ""}));
}

TEST(SplitPath, WithoutSeparatorsEverythingIsTheName) {
  EXPECT_EQ(SplitOf("file.txt"), (Split{"", "file", ".txt"}));
  EXPECT_EQ(SplitOf("a/b.c"), (Split{"", "a/b", ".c"}));  // '/' is part of the name
  EXPECT_EQ(SplitOf(""), (Split{"", "", ""}));
}

TEST(SplitPath, PathsOfSeparatorsAndDotsOnly) {
  EXPECT_EQ(SplitOf("\\\\\\"), (Split{"\\\\\\", "", ""}));
  EXPECT_EQ(SplitOf(":::"), (Split{":::", "", ""}));
  EXPECT_EQ(SplitOf("..."), (Split{"", "..", "."}));
  EXPECT_EQ(SplitOf("...", true), (Split{"", "...", ""}));
}

// ---- Extension ---------------------------------------------------------------

TEST(SplitPath, ExtensionStartsAtTheLastDotOfTheName) {
  EXPECT_EQ(SplitOf("C:\\docs\\a.b.c"), (Split{"C:\\docs\\", "a.b", ".c"}));
  EXPECT_EQ(SplitOf("C:\\docs\\.x"), (Split{"C:\\docs\\", "", ".x"}));
  EXPECT_EQ(SplitOf("C:\\dir.d\\name"), (Split{"C:\\dir.d\\", "name", ""}));
}

TEST(SplitPath, TransliteratingTheExtensionKeepsItInTheName) {
  EXPECT_EQ(SplitOf("C:\\docs\\a.b.c", true), (Split{"C:\\docs\\", "a.b.c", ""}));
}

// ---- Valid file names -------------------------------------------------------

TEST(IsValidFileName, AcceptsWhatWindowsAccepts) {
  EXPECT_TRUE(IsValidFileName("Shchukin.txt"));
  EXPECT_TRUE(IsValidFileName(W("Щукин Юрий (2007) #1, 'a'.txt")));
  EXPECT_TRUE(IsValidFileName(".x"));
  EXPECT_TRUE(IsValidFileName("x. y"));
  // Names that merely start like a device.
  for (const char* name :
       {"CONSOLE", "con_1.txt", "COM10", "LPT0.txt", "com", "nul-x.txt", "AUXI"}) {
    EXPECT_TRUE(IsValidFileName(name)) << name;
  }
}

TEST(IsValidFileName, RefusesATrailingDotOrSpaceThatWindowsWouldDrop) {
  for (const char* name : {"xbc.", "xbc ", "a.b..", "....", " ", "x. "}) {
    EXPECT_FALSE(IsValidFileName(name)) << '"' << name << '"';
  }
}

TEST(IsValidFileName, RefusesDeviceNamesWithAnyExtensionAndCase) {
  for (const char* name : {"CON", "con", "Prn.txt", "aux.tar.gz", "NUL", "nul .txt", "COM1",
                           "com9.log", "LPT1", "lpt9.x"}) {
    EXPECT_FALSE(IsValidFileName(name)) << name;
    EXPECT_TRUE(IsDeviceName(name)) << name;
  }
}

TEST(IsValidFileName, RefusesEmptyNamesControlCharactersAndReservedOnes) {
  EXPECT_FALSE(IsValidFileName(""));
  EXPECT_FALSE(IsValidFileName(std::string("a\0b", 3)));
  EXPECT_FALSE(IsValidFileName("a\tb"));
  for (char c : std::string("<>:\"/\\|?*")) {
    EXPECT_FALSE(IsValidFileName(std::string("a") + c + "b")) << c;
  }
}

// ---- The new path ---------------------------------------------------------------

class TransliteratePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "file_name_test.pch";
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string text = W("info\r\nleft\r\nright\r\nа a\r\nг g\r\nШ Sh\r\nt т\r\n");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  std::string path_;
};

TEST_F(TransliteratePathTest, ReplacesTheNameAndKeepsDirectoryAndExtension) {
  TFileNameOptions options;
  EXPECT_EQ(TransliteratePath(W("C:\\docs\\Шаг.txt"), path_, options), "C:\\docs\\Shag.txt");
  options.ReplaceInExtension = true;
  EXPECT_EQ(TransliteratePath(W("C:\\docs\\Шаг.txt"), path_, options), W("C:\\docs\\Shag.тxт"));
  options.ReplaceInExtension = false;
  options.Direction = TDirection::kReverse;
  EXPECT_EQ(TransliteratePath("C:\\docs\\Shag.txt", path_, options), W("C:\\docs\\Шаг.txt"));
}

TEST_F(TransliteratePathTest, AMissingProfileGivesNothing) {
  EXPECT_FALSE(TransliteratePath("C:\\a", path_ + ".missing", {}).has_value());
}

}  // namespace

TEST(CheckFileName, NamesTheFirstProblemFound) {
  const struct {
    std::string Name;
    TFileNameProblem Problem;
    char Character;
  } kCases[] = {
      {"", TFileNameProblem::kEmpty, '\0'},
      {std::string("a\0/", 3), TFileNameProblem::kNulByte, '\0'},
      {"a/b:", TFileNameProblem::kSlash, '\0'},
      {"a\tb", TFileNameProblem::kControlCharacter, '\t'},
      {"a?b/", TFileNameProblem::kReservedCharacter, '?'},
      {"con.", TFileNameProblem::kDeviceName, '\0'},
      {"x. ", TFileNameProblem::kTrailingDotOrSpace, '\0'},
      {"x.y", TFileNameProblem::kNone, '\0'},
  };
  for (const auto& c : kCases) {
    const TFileNameCheck check = CheckFileName(c.Name);
    EXPECT_EQ(check.Problem, c.Problem) << c.Name;
    EXPECT_EQ(check.Character, c.Character) << c.Name;
  }
}
