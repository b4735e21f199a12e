// Hostile input at the boundary, through the real DLL: option bytes of every
// value, paths of every awkward length and shape, profiles that are huge,
// random, full of NUL bytes, or that change while a call reads them. The test
// names say what a user would call the right outcome.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/pe_image.h"
#include "tests/wine/support/plugin_library.h"

namespace {

std::string Profile(const std::string& rules) { return "info\r\nleft\r\nright\r\n" + rules; }

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.AddProfile("zh.pch", Profile("Ж Zh\r\nt т\r\n"));
    plugin_.setDir(host_.dir().c_str());
    plugin_.initialize(nullptr);
    options_.Profile("zh.pch");
  }
  ProcessResult Run(const std::string& path, bool preview = true) {
    return CallProcess(plugin_, options_, path, preview);
  }

  PluginLibrary plugin_;
  HostFolder host_;
  OptionsBlock options_{plugin_};
};

// ---- Option bytes ------------------------------------------------------------

TEST_F(HostileInput, EveryCaseByteOtherThanZeroMeansOneExactPass) {
  for (int value = 0; value < 256; ++value) {
    options_.CaseSensitive(static_cast<std::uint8_t>(value));
    EXPECT_EQ(Run("C:\\Жж").path, value ? "C:\\Zhж" : "C:\\Zhzh") << value;
  }
}

TEST_F(HostileInput, EveryExtensionByteOtherThanZeroTransliteratesTheExtension) {
  for (int value = 0; value < 256; ++value) {
    options_.InExtension(static_cast<std::uint8_t>(value));
    EXPECT_EQ(Run("C:\\Ж.txt").path, value ? "C:\\Zh.тxт" : "C:\\Zh.txt") << value;
  }
}

TEST_F(HostileInput, EveryNonZeroDirectionIsReverse) {
  for (std::int32_t value : {INT_MIN, -1, 1, 2, 255, 256, 65536, INT_MAX}) {
    options_.Direction(value);
    EXPECT_EQ(Run("C:\\Zh").path, "C:\\Ж") << value;
  }
}

TEST_F(HostileInput, AProfileNameOfFiftyBytesWithoutNulIsReadNoFurther) {
  // The 50 bytes are followed in the block by the option bytes: a name read
  // past its field would end in "\x01\x00..." and name nothing.
  const std::string name = std::string(46, 'p') + ".pch";
  host_.AddProfile(name, Profile("a x\r\n"));
  options_.Profile(name).CaseSensitive(1);
  EXPECT_EQ(Run("C:\\a").path, "C:\\x");
}

// ---- Paths ---------------------------------------------------------------------

TEST_F(HostileInput, AnEmptyPathStaysAsItWasAndNothingIsRenamed) {
  EXPECT_TRUE(Run("", true).unchanged);
  EXPECT_TRUE(Run("", false).unchanged);
}

TEST_F(HostileInput, AOneCharacterPathIsTransliterated) {
  EXPECT_EQ(Run("Ж").path, "Zh");
  EXPECT_TRUE(Run("\\").unchanged) << "no file name to give";
}

TEST_F(HostileInput, PathsOfSeparatorsOrDotsOnlyComeBackUnharmed) {
  for (const char* path : {"\\\\\\\\", "::::", "\\:\\:"}) {
    EXPECT_TRUE(Run(path).unchanged) << path << " has no file name";
  }
  // A name of dots only ends in a dot, which Windows would drop.
  EXPECT_TRUE(Run("....").unchanged);
  options_.InExtension(1);
  EXPECT_TRUE(Run("....").unchanged);
}

TEST_F(HostileInput, PathsAroundTheLimitAreReportedInAPreviewAndNeverRenamedBeyondIt) {
  for (std::size_t length : {259u, 260u, 32000u}) {
    const std::string path = "C:\\" + std::string(length - 4, 'd') + "Ж";
    const ProcessResult preview = Run(path, true);
    EXPECT_EQ(preview.path, path.substr(0, length - 1) + "Zh") << length;
    // No such file: the rename fails and the host keeps the old path.
    EXPECT_TRUE(Run(path, false).unchanged) << length;
  }
}

// ---- Names a profile must not produce ------------------------------------------

TEST_F(HostileInput, AReplacementWithANulByteLeavesTheFileAlone) {
  host_.AddProfile("nul-byte.pch", Profile(std::string("a b\0c\r\n", 7)));
  const std::string file = host_.AddFile("a.txt", "kept");
  options_.Profile("nul-byte.pch");
  EXPECT_TRUE(Run(file, true).unchanged) << "the name would be cut at the NUL";
  EXPECT_TRUE(Run(file, false).unchanged);
  EXPECT_EQ(ReadWholeFile(file), "kept");
}

TEST_F(HostileInput, AReplacementWithASeparatorDoesNotMoveTheFileElsewhere) {
  host_.AddDirectory("x");
  host_.AddProfile("sep.pch", Profile("a x\\y\r\nb ..\\\\b\r\nc C:c\r\n"));
  options_.Profile("sep.pch");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    const std::string file = host_.AddFile(name, name);
    EXPECT_TRUE(Run(file, false).unchanged) << name;
    EXPECT_EQ(ReadWholeFile(file), name);
  }
  EXPECT_FALSE(FileExists(host_.dir() + "x\\y.txt"));
}

TEST_F(HostileInput, AReplacementWithAReservedCharacterLeavesTheFileAlone) {
  host_.AddProfile("star.pch", Profile("a *\r\n"));
  const std::string file = host_.AddFile("a.txt", "kept");
  options_.Profile("star.pch");
  EXPECT_TRUE(Run(file, true).unchanged);
  EXPECT_TRUE(Run(file, false).unchanged);
  EXPECT_EQ(ReadWholeFile(file), "kept");
}

// ---- Profiles --------------------------------------------------------------------

TEST_F(HostileInput, ATenMegabyteProfileIsReadWhole) {
  // 10 MB of rules; only the very last one matches.
  std::string rules;
  rules.reserve(10u << 20);
  while (rules.size() < (10u << 20)) rules += "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq w\r\n";
  rules += "Ж Zh\r\n";
  host_.AddProfile("big.pch", Profile(rules));
  options_.Profile("big.pch");
  EXPECT_EQ(Run("C:\\Жж").path, "C:\\Zhzh");
}

TEST_F(HostileInput, AProfileOfOneTenMegabyteLineIsReadWhole) {
  host_.AddProfile("line.pch", Profile("Ж " + std::string(10u << 20, 'z') + "\r\n"));
  options_.Profile("line.pch").CaseSensitive(1);
  const ProcessResult result = Run("C:\\Ж");
  EXPECT_EQ(result.path.size(), 3u + (10u << 20));
}

TEST_F(HostileInput, AProfileOfRandomBytesGivesTheSameValidResultEveryTime) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    host_.AddProfile("random.pch", bytes);
    options_.Profile("random.pch");
    const ProcessResult first = Run("C:\\docs\\Жук and Щука.txt");
    const ProcessResult second = Run("C:\\docs\\Жук and Щука.txt");
    EXPECT_EQ(first.path, second.path);
    EXPECT_EQ(first.unchanged, second.unchanged);
    if (!first.unchanged) {
      EXPECT_EQ(first.path.rfind("C:\\docs\\", 0), 0u);
      EXPECT_EQ(first.path.find('\0'), std::string::npos);
    }
  }
}

TEST_F(HostileInput, NulBytesInsideRuleLinesAreOrdinaryCharactersThatNeverMatchAName) {
  host_.AddProfile("nul-find.pch", Profile(std::string("Ж\0 x\r\n\0 y\r\nЖ Zh\r\n", 17)));
  options_.Profile("nul-find.pch");
  EXPECT_EQ(Run("C:\\Жж").path, "C:\\Zhzh");
}

TEST_F(HostileInput, AProfileNameThatNamesADeviceIsMissingAndNeverRead) {
  // On Windows these names open the null device, the console, a serial or a
  // printer port, whatever folder they stand in; reading the console would
  // wait for the keyboard for ever.
  for (const char* name : {"nul.pch", "NUL.pch", "con.pch", "aux.pch", "com1.pch", "lpt1.pch"}) {
    options_.Profile(name);
    EXPECT_TRUE(Run("C:\\Ж").unchanged) << name;
  }
}

TEST_F(HostileInput, AProfileThatIsADirectoryIsMissing) {
  host_.AddDirectory("Plugins\\rep_profiles\\x.pch");
  options_.Profile("x.pch");
  EXPECT_TRUE(Run("C:\\Ж").unchanged);
}

// The profile is deleted, locked or rewritten the moment the DLL has read it,
// in the middle of a call: the DLL's own CreateFileA and CloseHandle are
// intercepted, and the deed is done just after the profile's handle is
// closed. The call reads the profile once, so the whole name comes from the
// version it read; the next call finds what the profile has become.
struct WhileInUse {
  enum class Deed { kDelete, kLock, kRewrite };
  static inline decltype(&CreateFileA) open = nullptr;
  static inline decltype(&CloseHandle) close = nullptr;
  static inline std::string profile;
  static inline Deed deed = Deed::kDelete;
  static inline HANDLE profile_handle = INVALID_HANDLE_VALUE;
  static inline HANDLE lock_handle = INVALID_HANDLE_VALUE;
  static inline int opens = 0;

  static HANDLE WINAPI Open(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                            DWORD disposition, DWORD flags, HANDLE templ) {
    const HANDLE handle = open(name, access, share, security, disposition, flags, templ);
    if (profile == name) {
      ++opens;
      profile_handle = handle;
    }
    return handle;
  }

  static BOOL WINAPI Close(HANDLE handle) {
    const BOOL closed = close(handle);
    if (handle == profile_handle) {
      profile_handle = INVALID_HANDLE_VALUE;
      switch (deed) {
        case Deed::kDelete:
          DeleteFileA(profile.c_str());
          break;
        case Deed::kLock:
          lock_handle = open(profile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
          break;
        case Deed::kRewrite:
          HostFolder::WriteBytes(profile, Profile("Ж Dzh\r\nу u\r\nк k\r\n"));
          break;
      }
    }
    return closed;
  }
};

TEST_F(HostileInput, AProfileDeletedLockedOrRewrittenDuringACallGivesTheNameOfTheVersionRead) {
  const struct {
    WhileInUse::Deed deed;
    const char* next;  // what the next call gives; null: the file keeps its name
  } kCases[] = {
      {WhileInUse::Deed::kDelete, nullptr},
      {WhileInUse::Deed::kLock, nullptr},
      {WhileInUse::Deed::kRewrite, "Dzhuk.txt"},
  };
  for (const auto& c : kCases) {
    const int deed = static_cast<int>(c.deed);
    host_.AddProfile("changing.pch", Profile("Ж Zh\r\n"));
    const std::string file = host_.AddFile("Жук.txt", "kept");
    WhileInUse::profile = host_.profiles() + "changing.pch";
    WhileInUse::deed = c.deed;
    WhileInUse::opens = 0;
    options_.Profile("changing.pch");
    ProcessResult during;
    {
      ImportPatch open_hook(plugin_.module(), "kernel32.dll", "CreateFileA",
                            reinterpret_cast<void*>(&WhileInUse::Open));
      ImportPatch close_hook(plugin_.module(), "kernel32.dll", "CloseHandle",
                             reinterpret_cast<void*>(&WhileInUse::Close));
      ASSERT_NE(open_hook.original(), nullptr);
      ASSERT_NE(close_hook.original(), nullptr);
      WhileInUse::open = reinterpret_cast<decltype(&CreateFileA)>(open_hook.original());
      WhileInUse::close = reinterpret_cast<decltype(&CloseHandle)>(close_hook.original());
      during = Run(file, true);
    }
    EXPECT_EQ(WhileInUse::opens, 1) << "the profile opened once for both passes; deed " << deed;
    EXPECT_EQ(during.path, host_.dir() + "Zhук.txt") << "all by the version read; deed " << deed;

    const ProcessResult next = Run(file, false);
    if (WhileInUse::lock_handle != INVALID_HANDLE_VALUE) CloseHandle(WhileInUse::lock_handle);
    WhileInUse::lock_handle = INVALID_HANDLE_VALUE;
    if (c.next == nullptr) {
      EXPECT_TRUE(next.unchanged) << "deed " << deed;
      EXPECT_EQ(ReadWholeFile(file), "kept") << "deed " << deed;
    } else {
      EXPECT_EQ(next.path, host_.dir() + c.next) << "deed " << deed;
      EXPECT_EQ(ReadWholeFile(next.path), "kept") << "deed " << deed;
    }
    DeleteFileA(next.path.c_str());
  }
}

// ---- The host's directory ---------------------------------------------------------

TEST_F(HostileInput, ASetDirOfTenThousandCharactersFindsNoProfileAndHarmsNothing) {
  const std::string huge(10000, 'h');
  plugin_.setDir(huge.c_str());
  plugin_.initialize(nullptr);
  EXPECT_TRUE(Run("C:\\Ж").unchanged);
  plugin_.setDir(host_.dir().c_str());
  EXPECT_EQ(Run("C:\\Ж").path, "C:\\Zh");
}

}  // namespace
