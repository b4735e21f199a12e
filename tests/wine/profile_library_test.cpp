// What every profile of the library shares, checked on the shipped files
// through the real DLL: the file layout the reader expects, Latin that is a
// valid Windows file name, capitals written as at the start of a word, real
// files renamed on disk, and the README table of examples.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/shipped_profile.h"

namespace {

const char kRussianCapitals[] = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
const char kRussianSmall[] = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
const char kUkrainianCapitals[] = "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ";
const char kUkrainianSmall[] = "абвгґдеєжзиіїйклмнопрстуфхцчшщьюя";

struct Library {
  const char* file;
  bool ukrainian;
  bool reversible;
};

const Library kLibrary[] = {
    {"icao-9303.pch", false, false},          {"gost-7.79-b.pch", false, true},
    {"gost-16876-71.pch", false, true},       {"gost-r-52535.1-2006.pch", false, false},
    {"gost-r-7.0.34-2014.pch", false, false}, {"ala-lc.pch", false, false},
    {"telegram.pch", false, false},           {"ukrainian-2010.pch", true, false},
    {"bgn-pcgn.pch", false, false},
};

void PrintTo(const Library& library, std::ostream* out) { *out << library.file; }

std::string PrintName(const ::testing::TestParamInfo<Library>& info) {
  std::string name;
  for (const char* c = info.param.file; *c && std::string(c) != ".pch"; ++c) {
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  }
  return name;
}

bool FileNameSafe(const std::string& text, std::string* why) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) {
      *why = "not ASCII: byte " + std::to_string(u);
      return false;
    }
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos) {
      *why = std::string("not allowed in a file name: ") + c;
      return false;
    }
  }
  return true;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class LibraryProfile : public ::testing::TestWithParam<Library> {
 protected:
  LibraryProfile() : profile_(GetParam().file) {}

  std::string Capitals() const {
    return GetParam().ukrainian ? kUkrainianCapitals : kRussianCapitals;
  }
  std::string Smalls() const { return GetParam().ukrainian ? kUkrainianSmall : kRussianSmall; }

  // One letter as a word of its own. The " 1" after it keeps the name from
  // becoming empty where a letter is left out (Ь), which would be no name.
  std::string Alone(char letter, bool case_sensitive = false) {
    const std::string latin = profile_.Forward(std::string(1, letter) + " 1", case_sensitive);
    if (latin.size() < 2 || latin.substr(latin.size() - 2) != " 1") return "<lost: " + latin + ">";
    return latin.substr(0, latin.size() - 2);
  }

  ShippedProfile profile_;
};

TEST_P(LibraryProfile, IsShippedWithAShortAsciiName) {
  const std::string name = GetParam().file;
  EXPECT_LE(name.size(), 49u);
  bool listed = false;
  for (const std::string& shipped : ListShippedProfiles()) listed = listed || shipped == name;
  EXPECT_TRUE(listed) << name << " is not in profiles/";
  ASSERT_FALSE(profile_.bytes().empty());
}

// Three header lines, then rules, every one with a space: a line without one
// would map its text onto itself and lower-case the rest of a file name.
TEST_P(LibraryProfile, HasHeaderAndRuleLinesOnlyWithCrLfEnds) {
  const std::string& bytes = profile_.bytes();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line has no CR LF";
  EXPECT_EQ(bytes.find('\x1A'), std::string::npos) << "Ctrl-Z would end the data";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  const std::vector<std::string> lines = Lines(bytes);
  ASSERT_GT(lines.size(), 3u);
  EXPECT_GT(lines[0].size(), 40u) << "the information line says too little";
  EXPECT_FALSE(lines[1].empty());
  EXPECT_FALSE(lines[2].empty());
  for (std::size_t i = 3; i < lines.size(); ++i) {
    const std::size_t space = lines[i].find(' ');
    EXPECT_NE(space, std::string::npos) << "line " << i + 1 << " maps itself: " << lines[i];
    EXPECT_NE(space, 0u) << "line " << i + 1 << " has an empty left term";
  }
}

// Each letter on its own, both cases, in both modes of the options: with
// "letter case counts" there is one exact pass, so every form needs its rule.
TEST_P(LibraryProfile, EveryLetterBecomesFileNameSafeAsciiInBothCaseModes) {
  const std::string letters = Capitals() + Smalls();
  for (bool case_sensitive : {false, true}) {
    for (char letter : letters) {
      const std::string latin = Alone(letter, case_sensitive);
      std::string why;
      EXPECT_TRUE(FileNameSafe(latin, &why))
          << "letter " << static_cast<int>(static_cast<unsigned char>(letter)) << ": " << why
          << (case_sensitive ? " (case counts)" : "");
    }
    std::string why;
    EXPECT_TRUE(FileNameSafe(profile_.Forward(letters, case_sensitive), &why)) << why;
  }
}

// "Щ Shch", not "SHCH": a capital is written as at the start of a capitalised
// word, a small letter in small letters.
TEST_P(LibraryProfile, CapitalsAreWrittenAsAtTheStartOfAWord) {
  for (char letter : Capitals()) {
    const std::string latin = Alone(letter);
    std::string letters_only;
    for (char c : latin) {
      if (std::isalpha(static_cast<unsigned char>(c))) letters_only += c;
    }
    if (letters_only.empty()) continue;  // Ь, or Ъ as a mark
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(letters_only[0]))) << latin;
    for (std::size_t i = 1; i < letters_only.size(); ++i) {
      EXPECT_TRUE(std::islower(static_cast<unsigned char>(letters_only[i]))) << latin;
    }
  }
  for (char letter : Smalls()) {
    const std::string latin = Alone(letter);
    for (char c : latin) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << latin;
  }
}

// The Latin names are real Windows file names: files are renamed on disk, and
// back where the scheme is reversible.
TEST_P(LibraryProfile, RenamesRealFilesOnDisk) {
  const std::vector<std::string> names =
      GetParam().ukrainian
          ? std::vector<std::string>{"Знам'янка, Мар'їне і Гуляйполе.txt", "Юрій Щербухи.doc"}
          : std::vector<std::string>{"Съешь же ещё этих мягких французских булок, да выпей чаю.txt",
                                     "ПОДЪЕЗД ИГОРЯ.doc"};
  HostFolder folder;
  PluginLibrary plugin;
  folder.AddProfile(GetParam().file, profile_.bytes());
  plugin.setDir(folder.dir().c_str());
  plugin.initialize(nullptr);
  const std::string dir = folder.AddDirectory("files") + "\\";
  OptionsBlock forward(plugin);
  OptionsBlock reverse(plugin);
  forward.Profile(GetParam().file);
  reverse.Profile(GetParam().file).Direction(1);
  for (const std::string& name : names) {
    folder.AddFile("files\\" + name, name);
    const ProcessResult there = CallProcess(plugin, forward, dir + name, false);
    ASSERT_FALSE(there.unchanged) << name;
    EXPECT_FALSE(FileExists(dir + name)) << name;
    EXPECT_EQ(ReadWholeFile(there.path), name) << there.path;
    if (GetParam().reversible) {
      const ProcessResult back = CallProcess(plugin, reverse, there.path, false);
      EXPECT_EQ(back.path, dir + name);
      EXPECT_EQ(ReadWholeFile(dir + name), name);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LibraryProfile, ::testing::ValuesIn(kLibrary), PrintName);

// ---- README -------------------------------------------------------------------

std::string Utf8To1251(const std::string& utf8) {
  const int wide_size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(wide_size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      wide_size);
  const int size =
      WideCharToMultiByte(1251, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  std::string text(size, '\0');
  WideCharToMultiByte(1251, 0, wide.data(), wide_size, text.data(), size, nullptr, nullptr);
  return text;
}

struct ReadmeRow {
  std::string file, name, name_latin, capitals, capitals_latin, reads_back;
};

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Unquote(const std::string& cell) {
  if (cell.size() >= 2 && cell.front() == '`' && cell.back() == '`')
    return cell.substr(1, cell.size() - 2);
  return cell;
}

// Rows of the table under "## Shipped profiles":
// | `file` | source | `name` | `Latin` | `CAPITALS` | `LATIN` | reads back |
std::vector<ReadmeRow> ShippedProfilesTable() {
  const std::string readme = ReadWholeFile(TRANSLIT_TEST_README);
  std::vector<ReadmeRow> rows;
  const std::size_t section = readme.find("\n## Shipped profiles");
  if (section == std::string::npos) return rows;
  std::size_t start = section + 1;
  while (start < readme.size()) {
    std::size_t end = readme.find('\n', start);
    if (end == std::string::npos) end = readme.size();
    const std::string line = readme.substr(start, end - start);
    start = end + 1;
    if (line.rfind("## ", 0) == 0 && !rows.empty()) break;
    if (line.rfind("| `", 0) != 0) continue;
    std::vector<std::string> cells;
    std::size_t cell = 1;
    while (cell < line.size()) {
      const std::size_t bar = line.find('|', cell);
      if (bar == std::string::npos) break;
      cells.push_back(Trim(line.substr(cell, bar - cell)));
      cell = bar + 1;
    }
    if (cells.size() != 7) continue;
    rows.push_back({Unquote(cells[0]), Utf8To1251(Unquote(cells[2])), Utf8To1251(Unquote(cells[3])),
                    Utf8To1251(Unquote(cells[4])), Utf8To1251(Unquote(cells[5])), cells[6]});
  }
  return rows;
}

TEST(ShippedProfilesReadme, ShowsWhatTheDllMakesOfTheExamplesForEveryProfile) {
  const std::vector<ReadmeRow> rows = ShippedProfilesTable();
  ASSERT_FALSE(rows.empty()) << "no table under \"## Shipped profiles\" in README.md";
  EXPECT_EQ(rows.size(), 23u);
  for (const std::string& file : ListShippedProfiles()) {
    bool found = false;
    for (const ReadmeRow& row : rows) found = found || row.file == file;
    EXPECT_TRUE(found) << file << " is missing from the README table";
  }
  for (const ReadmeRow& row : rows) {
    ShippedProfile profile(row.file);
    ASSERT_FALSE(profile.bytes().empty()) << row.file << " is in the README but not in profiles/";
    EXPECT_EQ(profile.ForwardFileName(row.name), row.name_latin) << row.file;
    EXPECT_EQ(profile.Forward(row.capitals), row.capitals_latin) << row.file;
    EXPECT_TRUE(row.reads_back == "yes" || row.reads_back == "no" || row.reads_back == "partly")
        << row.file << ": " << row.reads_back;
    if (row.reads_back != "no") {
      EXPECT_EQ(profile.ReverseFileName(row.name_latin), row.name) << row.file;
      EXPECT_EQ(profile.Reverse(row.capitals_latin), row.capitals) << row.file;
    }
  }
}

}  // namespace
