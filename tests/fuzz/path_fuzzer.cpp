// Fuzz target: the input is a path. SplitPath must cut it into directory,
// name and extension by the rules of a file path, and TransliteratePath with
// a small fixed profile must change the name alone, exactly as the literal
// engine runs that profile over it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_name.h"
#include "engine/oracle/literal_engine.h"
#include "fuzz_report.h"
#include "reference_profile.h"
#include "temp_profile.h"

namespace {

// Rules that touch every kind of character a path holds: Cyrillic capitals
// and small letters, the dot, the separators, "/s", an empty replacement, a
// growing one and a self-mapping line.
constexpr std::string_view kProfile =
    "Fuzz profile\r\n"
    "Cyrillic\r\n"
    "Latin\r\n"
    "\xC6 Zh\r\n"    // capital zhe
    "\xE6 zh\r\n"    // small zhe
    "\xA8 Yo\r\n"    // capital yo
    "\xD8 Sh\r\n"    // capital sha
    "a/sb x\r\n"
    "q\r\n"
    ". _\r\n"
    "ab \r\n"
    "x xx\r\n"
    "\\ /\r\n"
    ": -\r\n"
    " +\r\n";

struct TFixedProfile {
  std::string Path;
  std::vector<TRule> Rules;
};

const TFixedProfile& FixedProfile() {
  static const TFixedProfile profile{fuzz::WriteTempProfile(kProfile),
                                     reference::ReadProfile(kProfile).Rules};
  return profile;
}

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

void CheckSplit(std::string_view path, const TPathParts& parts, bool replaceInExtension) {
  const auto where = [&] {
    return "SplitPath(\"" + fuzz::Show(path) + "\", " +
           (replaceInExtension ? "extension too" : "extension kept") + ") gives \"" +
           fuzz::Show(parts.Directory) + "\" + \"" + fuzz::Show(parts.Name) + "\" + \"" +
           fuzz::Show(parts.Extension) + "\"";
  };
  std::string joined(parts.Directory);
  joined.append(parts.Name).append(parts.Extension);
  if (joined != path) fuzz::Fail(where() + ": the parts do not make up the path");
  if (!parts.Directory.empty() && !IsSeparator(parts.Directory.back())) {
    fuzz::Fail(where() + ": the directory does not end with a separator");
  }
  for (const std::string_view part : {parts.Name, parts.Extension}) {
    for (const char c : part) {
      if (IsSeparator(c)) fuzz::Fail(where() + ": a separator after the directory");
    }
  }
  if (replaceInExtension) {
    if (!parts.Extension.empty()) fuzz::Fail(where() + ": an extension split off");
  } else if (parts.Extension.empty()) {
    if (parts.Name.find('.') != std::string_view::npos) fuzz::Fail(where() + ": a dot left in");
  } else if (parts.Extension[0] != '.' ||
             parts.Extension.find('.', 1) != std::string_view::npos) {
    fuzz::Fail(where() + ": the extension is not the text from the last dot");
  }
}

void CheckTransliteration(std::string_view path, const TPathParts& parts,
                          const TFileNameOptions& options) {
  const TFixedProfile& profile = FixedProfile();
  const auto where = [&] {
    return "TransliteratePath(\"" + fuzz::Show(path) + "\", " +
           (options.CaseSensitive ? "CaseSensitive set" : "CaseSensitive clear") + ", " +
           (options.ReplaceInExtension ? "extension too" : "extension kept") + ", " +
           (options.Direction == TDirection::kForward ? "forward" : "reverse") + ")";
  };
  const std::optional<std::string> result = TransliteratePath(path, profile.Path, options);
  if (!result) fuzz::Fail(where() + ": could not read the profile");
  oracle::TLiteralPair literal;
  oracle::RunReplacement(literal, std::string(parts.Name), profile.Rules, options.CaseSensitive,
                         options.Direction, TSelfMapping::kAlwaysIgnoreCase);
  std::string expected(parts.Directory);
  expected.append(literal.ResultText).append(parts.Extension);
  fuzz::ExpectSame(where, "new path", *result, "expected", expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  const TPathParts kept = SplitPath(path, false);
  const TPathParts whole = SplitPath(path, true);
  CheckSplit(path, kept, false);
  CheckSplit(path, whole, true);
  if (kept.Directory != whole.Directory) {
    fuzz::Fail("SplitPath(\"" + fuzz::Show(path) + "\"): the directory depends on the extension option");
  }

  for (const bool caseSensitive : {true, false}) {
    for (const TDirection direction : {TDirection::kForward, TDirection::kReverse}) {
      for (const bool replaceInExtension : {false, true}) {
        const TFileNameOptions options{caseSensitive, replaceInExtension, direction};
        CheckTransliteration(path, replaceInExtension ? whole : kept, options);
      }
    }
  }
  return 0;
}
