#include "file_run_check.h"

#include "engine/oracle/literal_engine.h"
#include "engine/profile.h"
#include "engine_check.h"
#include "fuzz_report.h"
#include "temp_profile.h"

namespace fuzz {

void CheckFileRun(std::string_view image, const std::string& text,
                  const std::vector<TRule>& expectedRules) {
  const std::string& path = WriteTempProfile(image);
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
