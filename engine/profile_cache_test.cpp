// The file-name run over compiled, kept profiles against the literal oracle:
// on random profile bytes, on a profile file changed, replaced, restored or
// deleted between two calls, with the cache full, and on several threads.
#include "engine/profile_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/compiled_profile.h"
#include "engine/file_name.h"
#include "engine/oracle/literal_engine.h"
#include "engine/profile.h"
#include "engine/testing/cp1251.h"

namespace {

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
  std::string Text(const std::string& alphabet, std::size_t maxLength) {
    std::string text(Below(maxLength + 1), ' ');
    for (char& c : text) c = alphabet[Below(alphabet.size())];
    return text;
  }

 private:
  std::mt19937 engine_;
};

// Letters in both cases (Windows-1251 Ж ж Я я), the pieces of "/s", spaces
// that split lines, now and then a CR, a Ctrl-Z or a NUL.
const std::string kRuleAlphabet = "aAbBs/S  \xC6\xE6\xDF\xFF";
const std::string kNameAlphabet = "aAbBsS /\xC6\xE6\xDF\xFF";

std::string RandomProfileBytes(Random& random) {
  std::string bytes = "info\r\nleft\r\nright\r\n";
  for (std::size_t line = random.Below(12); line-- > 0;) {
    bytes += random.Text(kRuleAlphabet, 6);
    const std::size_t odd = random.Below(40);
    if (odd == 0) bytes += '\r';
    if (odd == 1) bytes += '\x1A';
    if (odd == 2) bytes += '\0';
    bytes += random.Below(2) == 0 ? "\r\n" : "\n";
  }
  return bytes;
}

// What the file-name run must give: the oracle over the rules ReadProfile
// reads from the bytes.
std::string Expected(const std::string& bytes, const std::string& name, bool caseSensitive,
                     TDirection direction, std::string* search = nullptr) {
  oracle::TLiteralPair literal;
  oracle::RunReplacement(literal, name, ProfileFromBytes(bytes).Rules, caseSensitive, direction,
                         TSelfMapping::kAlwaysIgnoreCase);
  if (search != nullptr) *search = literal.SearchText;
  return literal.ResultText;
}

TEST(CompiledProfileTest, RunsAsTheOracleOnRandomProfiles) {
  Random random(2112);
  for (int i = 0; i < 3000; ++i) {
    const std::string bytes = RandomProfileBytes(random);
    const std::string name = random.Text(kNameAlphabet, 20);
    const TCompiledProfile profile(bytes);
    EXPECT_EQ(profile.RuleCount(), ProfileFromBytes(bytes).Rules.size());
    for (const bool caseSensitive : {true, false}) {
      for (const TDirection direction : {TDirection::kForward, TDirection::kReverse}) {
        TReplacePair pair;
        RunCompiledProfile(pair, name, profile, caseSensitive, direction);
        std::string search;
        ASSERT_EQ(pair.ResultText(), Expected(bytes, name, caseSensitive, direction, &search))
            << "case " << i;
        ASSERT_EQ(pair.SearchText(), search) << "case " << i;
      }
    }
  }
}

class ProfileBetweenCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/translit-cache-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
    path_ = dir_ + "p.pch";
    ReleaseCompiledProfiles();
  }
  void TearDown() override {
    ReleaseCompiledProfiles();
    EXPECT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }

  void Write(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }

  // The path's name run through the profile file, as the plug-in runs it.
  std::optional<std::string> Run(const std::string& name, bool caseSensitive,
                                 TDirection direction) {
    return TransliteratePath("C:\\" + name, path_, {caseSensitive, false, direction});
  }

  std::string dir_;
  std::string path_;
};

TEST_F(ProfileBetweenCalls, EveryCallRunsWhatTheFileHoldsNow) {
  Random random(77);
  std::vector<std::string> written;  // every version, to restore old ones
  std::optional<std::string> now;    // what the file holds; nothing once deleted
  for (int step = 0; step < 400; ++step) {
    std::string bytes = RandomProfileBytes(random);
    switch (random.Below(6)) {
      case 0:  // edited in place: one byte other, same size, same time stamp
        if (now && now->size() > 20) {
          struct stat before {};
          ASSERT_EQ(stat(path_.c_str(), &before), 0);
          bytes = *now;
          bytes[18 + random.Below(bytes.size() - 18)] ^= 0x20;
          Write(path_, bytes);
          const utimbuf same{before.st_atime, before.st_mtime};
          ASSERT_EQ(utime(path_.c_str(), &same), 0);
          break;
        }
        [[fallthrough]];
      case 1:  // rewritten
        Write(path_, bytes);
        break;
      case 2:  // replaced by another file moved over it
        Write(dir_ + "new.pch", bytes);
        ASSERT_EQ(std::rename((dir_ + "new.pch").c_str(), path_.c_str()), 0);
        break;
      case 3:  // an earlier version back
        if (!written.empty()) bytes = written[random.Below(written.size())];
        Write(path_, bytes);
        break;
      case 4:  // deleted
        std::remove(path_.c_str());
        now.reset();
        ASSERT_FALSE(Run("a", false, TDirection::kForward).has_value()) << "step " << step;
        continue;
      default:  // left alone
        if (!now) continue;
        bytes = *now;
        break;
    }
    now = bytes;
    written.push_back(bytes);
    for (int call = 0; call < 3; ++call) {
      const std::string name = random.Text(kNameAlphabet, 16);
      const bool caseSensitive = random.Below(2) == 0;
      const TDirection direction =
          random.Below(2) == 0 ? TDirection::kForward : TDirection::kReverse;
      const std::optional<std::string> result = Run(name, caseSensitive, direction);
      ASSERT_TRUE(result.has_value()) << "step " << step;
      ASSERT_EQ(*result, "C:\\" + Expected(*now, name, caseSensitive, direction))
          << "step " << step;
    }
  }
}

TEST_F(ProfileBetweenCalls, AFolderInThePlaceOfTheProfileIsMissing) {
  Write(path_, W("i\nL\nR\nЖ Zh\n"));
  EXPECT_EQ(Run(W("Ж"), false, TDirection::kForward), "C:\\Zh");
  ASSERT_EQ(std::remove(path_.c_str()), 0);
  ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
  EXPECT_FALSE(Run(W("Ж"), false, TDirection::kForward).has_value());
}

TEST_F(ProfileBetweenCalls, TheSameBytesGiveTheSameCompiledProfile) {
  const std::string bytes = "i\nL\nR\na b\n";
  const auto first = CompiledProfileFor(bytes);
  EXPECT_EQ(CompiledProfileFor(bytes), first);
  EXPECT_NE(CompiledProfileFor(bytes + "c d\n"), first);
  EXPECT_EQ(CompiledProfileFor(bytes), first);
  ReleaseCompiledProfiles();
  EXPECT_EQ(CachedProfileCount(), 0u);
  EXPECT_EQ(first->RuleCount(), 1u) << "a profile in use outlives its release";
}

TEST_F(ProfileBetweenCalls, TheCacheIsBounded) {
  for (std::size_t i = 0; i < 3 * kCachedProfiles; ++i) {
    const std::string bytes = "i\nL\nR\na b" + std::to_string(i) + "\n";
    Write(path_, bytes);
    EXPECT_EQ(Run("a", false, TDirection::kForward), "C:\\b" + std::to_string(i));
    EXPECT_LE(CachedProfileCount(), kCachedProfiles);
  }
  EXPECT_EQ(CachedProfileCount(), kCachedProfiles);
  // A profile too large to keep is compiled for its call alone.
  std::string huge = "i\nL\nR\n";
  while (huge.size() <= kCachedProfileMemory) huge += "a b\nc d\n";
  Write(path_, huge);
  EXPECT_EQ(Run("ac", false, TDirection::kForward), "C:\\bd");
  EXPECT_LE(CachedProfileMemory(), kCachedProfileMemory);
  EXPECT_EQ(CachedProfileCount(), kCachedProfiles);
}

TEST_F(ProfileBetweenCalls, ThreadsShareTheKeptProfiles) {
  // More profiles than are kept, so that threads drop what others use.
  std::vector<std::string> paths;
  std::vector<std::string> contents;
  Random random(5);
  for (std::size_t i = 0; i < kCachedProfiles + 2; ++i) {
    paths.push_back(dir_ + std::to_string(i) + ".pch");
    contents.push_back(RandomProfileBytes(random));
    Write(paths.back(), contents.back());
  }
  const std::string name = W("ЖжAab /s Яя");
  std::vector<std::string> expected;
  for (const std::string& bytes : contents) {
    expected.push_back("C:\\" + Expected(bytes, name, false, TDirection::kForward));
  }
  std::vector<int> wrong(4, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < wrong.size(); ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t call = 0; call < 300; ++call) {
        const std::size_t p = (call * 7 + t * 3) % paths.size();
        if (TransliteratePath("C:\\" + name, paths[p], {}) != expected[p]) ++wrong[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < wrong.size(); ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
}

}  // namespace
