// Replacement profiles on real files: presence, the line reader, rule lines,
// the readers.
#include "engine/profile.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/testing/cp1251.h"

namespace {

using std::string_literals::operator""s;

// A fresh folder under the system's temporary folder, removed afterwards.
class ProfileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/translit-profile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
  }
  void TearDown() override {
    const std::string command = "chmod -R u+rwx '" + dir_ + "' && rm -rf '" + dir_ + "'";
    if (!dir_.empty()) {
      EXPECT_EQ(std::system(command.c_str()), 0);
    }
  }

  // Writes bytes to a file in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file == nullptr) return path;
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return path;
  }

  // All lines that a reader asking AtEnd() before each line gets.
  static std::vector<std::string> Lines(const std::string& path) {
    TProfileReader reader;
    EXPECT_TRUE(reader.Open(path));
    std::vector<std::string> lines;
    while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
    EXPECT_FALSE(reader.Failed());
    return lines;
  }

  // Reads the profile, expecting success.
  static TProfile Read(const std::string& path) {
    TProfile profile;
    EXPECT_TRUE(ReadProfile(path, &profile)) << path;
    return profile;
  }

  std::string dir_;
};

using LineList = std::vector<std::string>;

// --- ProfilePath and ProfilePresent ------------------------------------------

TEST(ProfilePathTest, JoinsWithoutAddingASeparator) {
  EXPECT_EQ(ProfilePath("C:\\Host\\", "standart.pch"), "C:\\Host\\Plugins\\rep_profiles\\standart.pch");
  EXPECT_EQ(ProfilePath("C:\\Host", "a.pch"), "C:\\HostPlugins\\rep_profiles\\a.pch");
  EXPECT_EQ(ProfilePath("", ""), "Plugins\\rep_profiles\\");
}

TEST_F(ProfileFiles, PresentOnlyForExistingFilesThatAreNoDirectories) {
  const std::string file = Write("a.pch", "x");
  EXPECT_TRUE(ProfilePresent(file));
  EXPECT_FALSE(ProfilePresent(dir_ + "missing.pch"));
  EXPECT_FALSE(ProfilePresent(dir_));
  ASSERT_EQ(mkdir((dir_ + "folder.pch").c_str(), 0700), 0);
  EXPECT_FALSE(ProfilePresent(dir_ + "folder.pch"));
  EXPECT_FALSE(ProfilePresent(""));
  EXPECT_FALSE(ProfilePresent(file + "\0"s));
  TProfileReader reader;
  EXPECT_FALSE(reader.Open(dir_ + "folder.pch"));
  EXPECT_FALSE(reader.Open(dir_ + "missing.pch"));
  TProfile profile;
  profile.Information = "kept";
  EXPECT_FALSE(ReadProfile(dir_ + "folder.pch", &profile));
  EXPECT_EQ(profile.Information, "kept");
}

TEST_F(ProfileFiles, EmptyNameNamesTheProfileFolderItself) {
  // On Linux a backslash is an ordinary character, so "Plugins\rep_profiles\"
  // is one folder name here, laid out as the host's folder would be.
  ASSERT_EQ(mkdir((dir_ + "Plugins\\rep_profiles\\").c_str(), 0700), 0);
  EXPECT_FALSE(ProfilePresent(ProfilePath(dir_, "")));
  Write("Plugins\\rep_profiles\\x.pch", "info\n");
  EXPECT_TRUE(ProfilePresent(ProfilePath(dir_, "x.pch")));
}

TEST_F(ProfileFiles, PathsOver259CharactersAreMissing) {
  // Nested folders, since one name may hold at most 255 bytes.
  std::string folder = dir_;
  while (folder.size() < 200) {
    folder += std::string(40, 'd') + "/";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0) << folder;
  }
  const std::string at_limit = folder + std::string(kMaxProfilePath - folder.size(), 'f');
  const std::string over_limit = at_limit + "g";
  ASSERT_EQ(at_limit.size(), 259u);
  ASSERT_EQ(over_limit.size(), 260u);
  const std::string bytes = "info\nL\nR\na b\n";
  for (const std::string& path : {at_limit, over_limit}) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(bytes.c_str(), file);
    std::fclose(file);
  }
  EXPECT_TRUE(ProfilePresent(at_limit));
  EXPECT_FALSE(ProfilePresent(over_limit));
  TProfile profile;
  EXPECT_TRUE(ReadProfile(at_limit, &profile));
  EXPECT_FALSE(ReadProfile(over_limit, &profile));
  TReplacePair pair;
  EXPECT_FALSE(RunProfileFile(pair, "a", over_limit, false, TDirection::kForward));
}

// --- Lines -------------------------------------------------------------------

TEST_F(ProfileFiles, LineFeedAndCarriageReturnLineFeedReadAlike) {
  const LineList expected = {"info", "L", "R", "a b", "", "c d"};
  EXPECT_EQ(Lines(Write("lf.pch", "info\nL\nR\na b\n\nc d\n")), expected);
  EXPECT_EQ(Lines(Write("crlf.pch", "info\r\nL\r\nR\r\na b\r\n\r\nc d\r\n")), expected);
  EXPECT_EQ(Lines(Write("mixed.pch", "info\r\nL\nR\r\na b\n\r\nc d")), expected);
}

TEST_F(ProfileFiles, LoneCarriageReturnsAreDropped) {
  // A file whose lines end with a bare CR is one single line without them.
  const std::string path = Write("cr.pch", "info\rL\rR\ra b\r");
  EXPECT_EQ(Lines(path), LineList({"infoLRa b"}));
  const TProfile profile = Read(path);
  EXPECT_EQ(profile.Information, "infoLRa b");
  EXPECT_EQ(profile.LeftName, "");
  EXPECT_EQ(profile.RightName, "");
  EXPECT_TRUE(profile.Rules.empty());
  EXPECT_EQ(Lines(Write("cr2.pch", "a\r\rb\r\r\nc")), LineList({"ab", "c"}));
}

TEST_F(ProfileFiles, FinalLineBreak) {
  EXPECT_EQ(Lines(Write("none.pch", "a\nb")), LineList({"a", "b"}));
  EXPECT_EQ(Lines(Write("one.pch", "a\nb\n")), LineList({"a", "b"}));
  EXPECT_EQ(Lines(Write("two.pch", "a\nb\n\n")), LineList({"a", "b", ""}));
  EXPECT_EQ(Lines(Write("crlf2.pch", "a\r\nb\r\n\r\n")), LineList({"a", "b", ""}));
  EXPECT_EQ(Lines(Write("only.pch", "\n")), LineList({""}));
  // The rule total follows.
  EXPECT_EQ(Read(Write("r1.pch", "i\nL\nR\na b\n")).Rules.size(), 1u);
  EXPECT_EQ(Read(Write("r2.pch", "i\nL\nR\na b\n\n")).Rules.size(), 2u);
}

TEST_F(ProfileFiles, NothingIsTrimmed) {
  EXPECT_EQ(Lines(Write("sp.pch", "  a \t\n\tb  \n")), LineList({"  a \t", "\tb  "}));
}

TEST_F(ProfileFiles, LinesHaveNoLengthLimit) {
  std::string rule(1000, 'x');
  rule[400] = ' ';
  const TProfile profile = Read(Write("long.pch", "i\nL\nR\n" + rule + "\nq\n"));
  ASSERT_EQ(profile.Rules.size(), 2u);
  EXPECT_EQ(profile.Rules[0].Left, std::string(400, 'x'));
  EXPECT_EQ(profile.Rules[0].Right, std::string(599, 'x'));
  const std::string huge(200000, 'y');  // longer than the reader's buffer
  EXPECT_EQ(Lines(Write("huge.pch", huge + "\r\n" + huge)), LineList({huge, huge}));
}

TEST_F(ProfileFiles, ReadingPastTheEndYieldsEmptyLines) {
  TProfileReader reader;
  ASSERT_TRUE(reader.Open(Write("short.pch", "only\n")));
  EXPECT_EQ(reader.ReadLine(), "only");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Failed());
}

TEST_F(ProfileFiles, EmptyFileAndFewerThanThreeLines) {
  for (const std::string& bytes : {""s, "info"s, "info\nleft\n"s, "info\nleft\nright"s}) {
    const TProfile profile = Read(Write("few.pch", bytes));
    EXPECT_EQ(profile.Information, bytes.empty() ? "" : "info");
    EXPECT_TRUE(profile.Rules.empty()) << bytes;
  }
  const TProfile two = Read(Write("two.pch", "info\nleft\n"));
  EXPECT_EQ(two.LeftName, "left");
  EXPECT_EQ(two.RightName, "");
  TReplacePair pair;
  EXPECT_TRUE(RunProfileFile(pair, "abc", Write("empty.pch", ""), false, TDirection::kForward));
  EXPECT_EQ(pair.ResultText(), "abc");
}

TEST_F(ProfileFiles, CtrlZAsFirstByteEndsTheFile) {
  const TProfile profile = Read(Write("z0.pch", "\x1Ainfo\nL\nR\na b\n"));
  EXPECT_EQ(profile.Information, "");
  EXPECT_EQ(profile.LeftName, "");
  EXPECT_EQ(profile.RightName, "");
  EXPECT_TRUE(profile.Rules.empty());
}

TEST_F(ProfileFiles, CtrlZAtStartOfRuleLineEndsTheRules) {
  // A Ctrl-Z at the start of line 6 ends the rule list after the second rule.
  const std::string path = Write("z6.pch", "i\nL\nR\na b\nc d\n\x1A" "e f\ng h\n");
  const TProfile profile = Read(path);
  ASSERT_EQ(profile.Rules.size(), 2u);
  EXPECT_EQ(profile.Rules[1].Left, "c");
  TReplacePair pair;
  ASSERT_TRUE(RunProfileFile(pair, "aceg", path, true, TDirection::kForward));
  EXPECT_EQ(pair.ResultText(), "bdeg");
  // Also right after a CR LF, and at the very end.
  EXPECT_EQ(Read(Write("z6crlf.pch", "i\r\nL\r\nR\r\na b\r\n\x1A\r\nc d\r\n")).Rules.size(), 1u);
  EXPECT_EQ(Read(Write("zend.pch", "i\nL\nR\na b\n\x1A")).Rules.size(), 1u);
}

TEST_F(ProfileFiles, CtrlZElsewhereEndsItsLineOnly) {
  // Inside a rule line: the rest of that physical line is skipped.
  const TProfile profile = Read(Write("zin.pch", "i\nL\nR\na b\x1Ajunk junk\r\nc d\n"));
  ASSERT_EQ(profile.Rules.size(), 2u);
  EXPECT_EQ(profile.Rules[0].Left, "a");
  EXPECT_EQ(profile.Rules[0].Right, "b");
  EXPECT_EQ(profile.Rules[1].Left, "c");
  // At the start of a header line (read without asking AtEnd()).
  const TProfile header = Read(Write("zhead.pch", "info\n\x1Aleft\nright\na b\n"));
  EXPECT_EQ(header.Information, "info");
  EXPECT_EQ(header.LeftName, "");
  EXPECT_EQ(header.RightName, "right");
  EXPECT_EQ(header.Rules.size(), 1u);
  // Inside the information line.
  const TProfile info = Read(Write("zinfo.pch", "in\x1A" "fo\nL\nR\n"));
  EXPECT_EQ(info.Information, "in");
  EXPECT_EQ(info.LeftName, "L");
  // A Ctrl-Z inside the last line, without a line break after it.
  EXPECT_EQ(Lines(Write("zlast.pch", "ab\x1A" "cd")), LineList({"ab"}));
}

// --- a profile that exists but cannot be opened or read ----------------------

TEST_F(ProfileFiles, UnreadableFileIsMissing) {
  const std::string path = Write("locked.pch", "info\nL\nR\na b\n");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    std::fclose(probe);
    GTEST_SKIP() << "running as root: file permissions do not deny reading here; the socket and "
                    "/proc/self/mem tests cover a present profile that cannot be opened or read";
  }
  EXPECT_TRUE(ProfilePresent(path));
  TProfile profile;
  EXPECT_FALSE(ReadProfile(path, &profile));
  std::string information = "kept";
  EXPECT_FALSE(ReadProfileInformation(path, &information));
  EXPECT_EQ(information, "kept");
  TReplacePair pair;
  EXPECT_FALSE(RunProfileFile(pair, "a", path, false, TDirection::kForward));
}

TEST_F(ProfileFiles, PresentFileThatCannotBeOpenedIsMissing) {
  // A socket exists and is no directory, but no one can open it, root neither.
  const std::string path = dir_ + "socket.pch";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  EXPECT_TRUE(ProfilePresent(path));
  TProfileReader reader;
  EXPECT_FALSE(reader.Open(path));
  TProfile profile;
  EXPECT_FALSE(ReadProfile(path, &profile));
  std::string information;
  EXPECT_FALSE(ReadProfileInformation(path, &information));
  TReplacePair pair;
  EXPECT_FALSE(RunProfileFile(pair, "a", path, false, TDirection::kForward));
  close(fd);
}

TEST(ProfileReadErrorTest, FileWhoseReadingFailsIsMissing) {
  // /proc/self/mem is a present regular file that opens, but reading it from
  // offset 0 fails (EIO), root or not.
  const std::string path = "/proc/self/mem";
  if (!ProfilePresent(path)) GTEST_SKIP() << "no /proc here";
  TProfileReader reader;
  ASSERT_TRUE(reader.Open(path));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(reader.Failed());
  TProfile profile;
  profile.Information = "kept";
  EXPECT_FALSE(ReadProfile(path, &profile));
  EXPECT_EQ(profile.Information, "kept");
  std::string information = "kept";
  EXPECT_FALSE(ReadProfileInformation(path, &information));
  EXPECT_EQ(information, "kept");
  TReplacePair pair;
  EXPECT_FALSE(RunProfileFile(pair, "a", path, true, TDirection::kForward));
}

TEST(ProfileReadErrorTest, ReadErrorMidway) {
  // The first 14 bytes arrive, then the read fails.
  const std::string bytes = "info\nL\nR\na b\nc d\ne f\n";
  auto source = [&bytes](std::size_t good) {
    return [&bytes, good, offset = std::size_t{0}](char* buffer, std::size_t size) mutable
           -> std::ptrdiff_t {
      const std::size_t limit = std::min(good, bytes.size());
      if (offset >= limit) return good > bytes.size() ? 0 : -1;
      const std::size_t n = std::min({size, limit - offset, std::size_t{3}});
      std::copy_n(bytes.data() + offset, n, buffer);
      offset += n;
      return static_cast<std::ptrdiff_t>(n);
    };
  };
  TProfileReader reader;
  reader.OpenFrom(source(14));
  EXPECT_EQ(reader.ReadLine(), "info");
  EXPECT_EQ(reader.ReadLine(), "L");
  EXPECT_EQ(reader.ReadLine(), "R");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "a b");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");  // the error came inside this line
  EXPECT_TRUE(reader.Failed());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");

  TProfile profile;
  profile.Information = "kept";
  reader.OpenFrom(source(14));
  EXPECT_FALSE(ReadProfile(reader, &profile));
  EXPECT_EQ(profile.Information, "kept");
  reader.OpenFrom(source(bytes.size() + 100));  // no error: the end of data comes first
  EXPECT_TRUE(ReadProfile(reader, &profile));
  EXPECT_EQ(profile.Rules.size(), 3u);
}

// Lines as a reader asking AtEnd() before each one gets them, read from bytes
// in memory and through TProfileReader in pieces of every size: each line
// ends where the one reader and the other end it, a CR is dropped even where
// a piece ends between it and its LF, a Ctrl-Z cuts its line or ends the data.
TEST(ProfileLinesTest, BytesInMemoryAndPiecesReadAlike) {
  const struct {
    std::string Bytes;
    LineList Lines;
  } kCases[] = {
      {"", {}},
      {"a\r\nb\nc", {"a", "b", "c"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\rb\r\r\nc\r", {"ab", "c"}},
      {"\r\r\n", {""}},
      {"a\x1A"
       "b\r\nc\n\x1A"
       "d\ne",
       {"a", "c"}},
      {"\r\x1A"
       "a\nb",
       {}},
      {"ab\x1A\r\rc\r\n\r\r\x1A"
       "d",
       {"ab"}},
      {std::string("a\0b\n\0", 5), {std::string("a\0b", 3), std::string(1, '\0')}},
      {std::string(70000, 'x') + "\r\ny", {std::string(70000, 'x'), "y"}},
  };
  for (const auto& c : kCases) {
    TProfileLines lines(c.Bytes);
    LineList in_memory;
    while (!lines.AtEnd()) in_memory.emplace_back(lines.Next());
    EXPECT_EQ(in_memory, c.Lines) << c.Bytes.substr(0, 40);
    EXPECT_EQ(lines.Next(), "");
    for (const std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, c.Bytes.size() + 1}) {
      TProfileReader reader;
      reader.OpenFrom([&c, piece, offset = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min({size, piece, c.Bytes.size() - offset});
        std::copy_n(c.Bytes.data() + offset, n, buffer);
        offset += n;
        return static_cast<std::ptrdiff_t>(n);
      });
      LineList in_pieces;
      while (!reader.AtEnd()) in_pieces.push_back(reader.ReadLine());
      EXPECT_EQ(in_pieces, c.Lines) << c.Bytes.substr(0, 40) << ", pieces of " << piece;
      EXPECT_FALSE(reader.Failed());
    }
  }
}

// --- rule lines --------------------------------------------------------------

TEST(SplitRuleLineTest, FirstSpaceSeparatesTheTerms) {
  const TRule rule = SplitRuleLine("a b c");
  EXPECT_EQ(rule.Left, "a");
  EXPECT_EQ(rule.Right, "b c");
  EXPECT_FALSE(rule.SelfMapping);
}

TEST(SplitRuleLineTest, SlashSStandsForASpaceInAnyCase) {
  TRule rule = SplitRuleLine("a/sb c");
  EXPECT_EQ(rule.Left, "a b");
  EXPECT_EQ(rule.Right, "c");
  rule = SplitRuleLine("ab/S c");
  EXPECT_EQ(rule.Left, "ab ");
  EXPECT_EQ(rule.Right, "c");
  rule = SplitRuleLine(W("Ж/s/SЯ x/sY/S/"));  // the rest keeps its case
  EXPECT_EQ(rule.Left, W("Ж  Я"));
  EXPECT_EQ(rule.Right, "x Y /");
  rule = SplitRuleLine("//ss /s/s");
  EXPECT_EQ(rule.Left, "/ s");
  EXPECT_EQ(rule.Right, "  ");
}

TEST(SplitRuleLineTest, LineWithoutSpaceMapsItselfVerbatim) {
  TRule rule = SplitRuleLine("x/sy");
  EXPECT_EQ(rule.Left, "x/sy");
  EXPECT_EQ(rule.Right, "x/sy");
  EXPECT_TRUE(rule.SelfMapping);
  rule = SplitRuleLine("");
  EXPECT_EQ(rule.Left, "");
  EXPECT_EQ(rule.Right, "");
  EXPECT_TRUE(rule.SelfMapping);
}

TEST(SplitRuleLineTest, EitherTermMayBeEmpty) {
  TRule rule = SplitRuleLine(" x");
  EXPECT_EQ(rule.Left, "");
  EXPECT_EQ(rule.Right, "x");
  EXPECT_FALSE(rule.SelfMapping);
  rule = SplitRuleLine("x ");
  EXPECT_EQ(rule.Left, "x");
  EXPECT_EQ(rule.Right, "");
  EXPECT_FALSE(rule.SelfMapping);
  rule = SplitRuleLine(" ");
  EXPECT_EQ(rule.Left, "");
  EXPECT_EQ(rule.Right, "");
  EXPECT_FALSE(rule.SelfMapping);
  rule = SplitRuleLine("\tx\ty");  // a tab is no separator
  EXPECT_TRUE(rule.SelfMapping);
}

// --- the readers -------------------------------------------------------------

TEST_F(ProfileFiles, ReadProfileGivesHeaderAndRules) {
  const std::string path = Write("p.pch", W("Транслит\r\nРусский\r\nLatin\r\nЖ Zh\r\n\r\nx/sy\r\n a\r\n"));
  const TProfile profile = Read(path);
  EXPECT_EQ(profile.Information, W("Транслит"));
  EXPECT_EQ(profile.LeftName, W("Русский"));
  EXPECT_EQ(profile.RightName, "Latin");
  ASSERT_EQ(profile.Rules.size(), 4u);  // the empty line counts
  EXPECT_EQ(profile.Rules[0].Left, W("Ж"));
  EXPECT_EQ(profile.Rules[0].Right, "Zh");
  EXPECT_TRUE(profile.Rules[1].SelfMapping);
  EXPECT_EQ(profile.Rules[1].Left, "");
  EXPECT_TRUE(profile.Rules[2].SelfMapping);
  EXPECT_EQ(profile.Rules[2].Left, "x/sy");
  EXPECT_EQ(profile.Rules[3].Left, "");
  EXPECT_EQ(profile.Rules[3].Right, "a");
  std::string information;
  EXPECT_TRUE(ReadProfileInformation(path, &information));
  EXPECT_EQ(information, W("Транслит"));
}

TEST_F(ProfileFiles, RunProfileFileIsTheFileNameRun) {
  const std::string path = Write("ru.pch", W("i\nL\nR\nа a\nг g\nШ Sh\n"));
  TReplacePair pair;
  ASSERT_TRUE(RunProfileFile(pair, W("Шаг"), path, false, TDirection::kForward));
  EXPECT_EQ(pair.ResultText(), "Shag");
  ASSERT_TRUE(RunProfileFile(pair, "Shag", path, false, TDirection::kReverse));
  EXPECT_EQ(pair.ResultText(), W("Шаг"));
  // Self-mapping lines are always applied with case ignored.
  const std::string self = Write("self.pch", W("i\nL\nR\nx\nЖ Zh\n"));
  ASSERT_TRUE(RunProfileFile(pair, W("Жx"), self, true, TDirection::kForward));
  EXPECT_EQ(pair.ResultText(), W("Жx"));
  ASSERT_TRUE(RunProfileFile(pair, "X", self, true, TDirection::kForward));
  EXPECT_EQ(pair.ResultText(), "x");
  // The same as a run of the rules that ReadProfile gives.
  for (bool caseSensitive : {true, false}) {
    const std::string mixed =
        Write("mixed.pch", W("i\nL\nR\nab\nЖ Zh\n/s _\nx\nq \n Q\nя ya\n"));
    const std::string input = W("ЖжABab q Q яЯxX");
    ASSERT_TRUE(RunProfileFile(pair, input, mixed, caseSensitive, TDirection::kForward));
    TRunOptions options;
    options.CaseSensitive = caseSensitive;
    options.SelfMapping = TSelfMapping::kAlwaysIgnoreCase;
    TReplacePair run;
    RunReplacement(run, input, Read(mixed).Rules, options);
    EXPECT_EQ(pair.ResultText(), run.ResultText());
    EXPECT_EQ(pair.SearchText(), run.SearchText());
  }
  EXPECT_FALSE(RunProfileFile(pair, "a", dir_ + "missing.pch", false, TDirection::kForward));
}

}  // namespace
