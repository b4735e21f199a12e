#include "profile_file_check.h"

#include "engine/oracle/literal_engine.h"
#include "engine/profile.h"
#include "engine_check.h"
#include "fuzz_report.h"
#include "reader_check.h"

namespace fuzz {

void CheckFileReaders(const std::string& path, std::string_view image, const TProfile& expected) {
  const auto where = [&] { return "reading the profile file \"" + Show(image) + "\""; };
  std::string information;
  if (!ReadProfileInformation(path, &information)) Fail(where() + ": no information line");
  ExpectSame(where, "information line", information, "expected", expected.Information);
  TProfile read;
  if (!ReadProfile(path, &read)) Fail(where() + ": ReadProfile failed");
  ExpectSameProfile(read, expected, where);
}

void CheckFileRun(const std::string& path, std::string_view image, const std::string& text,
                  const std::vector<TRule>& expectedRules) {
  for (const bool caseSensitiveOption : {true, false}) {
    for (const TDirection direction : {TDirection::kForward, TDirection::kReverse}) {
      const auto where = [&] {
        return std::string("RunProfileFile (") +
               (caseSensitiveOption ? "CaseSensitive set" : "CaseSensitive clear") + ", " +
               (direction == TDirection::kForward ? "forward" : "reverse") + ") over \"" +
               Show(text) + "\", profile \"" + Show(image) + "\", rules " +
               DescribeRules(expectedRules);
      };
      TReplacePair pair;
      if (!RunProfileFile(pair, text, path, caseSensitiveOption, direction)) {
        Fail(where() + ": could not read the profile");
      }
      oracle::TLiteralPair literal;
      oracle::RunReplacement(literal, text, expectedRules, caseSensitiveOption, direction,
                             TSelfMapping::kAlwaysIgnoreCase);
      ExpectSame(where, "SearchText", pair.SearchText(), "literal", literal.SearchText);
      ExpectSame(where, "ResultText", pair.ResultText(), "literal", literal.ResultText);
    }
  }
}

}  // namespace fuzz
