#include "reader_check.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine_check.h"
#include "fuzz_report.h"
#include "reference_profile.h"

namespace fuzz {

void ExpectSameProfile(const TProfile& read, const TProfile& expected,
                       const TDescription& where) {
  ExpectSame(where, "information line", read.Information, "expected", expected.Information);
  ExpectSame(where, "left name", read.LeftName, "expected", expected.LeftName);
  ExpectSame(where, "right name", read.RightName, "expected", expected.RightName);
  if (read.Rules.size() != expected.Rules.size()) {
    Fail(where() + ": rules " + DescribeRules(read.Rules) + " but expected " +
         DescribeRules(expected.Rules));
  }
  for (std::size_t i = 0; i < read.Rules.size(); ++i) {
    const TRule& rule = read.Rules[i];
    const TRule& want = expected.Rules[i];
    if (rule.Left != want.Left || rule.Right != want.Right ||
        rule.SelfMapping != want.SelfMapping) {
      Fail(where() + ": rule " + std::to_string(i + 1) + " is " + DescribeRules({rule}) +
           " but expected " + DescribeRules({want}));
    }
  }
}

TProfile CheckReader(std::string_view image, const TReadPlan& plan) {
  std::size_t handedOver = 0;
  bool failedRead = false;
  TProfileReader reader;
  reader.OpenFrom([&](char* buffer, std::size_t size) -> std::ptrdiff_t {
    if (handedOver >= plan.FailAt) {
      failedRead = true;
      return -1;
    }
    std::size_t count = std::min(size, image.size() - handedOver);
    if (plan.Chunk != 0) count = std::min(count, plan.Chunk);
    std::memcpy(buffer, image.data() + handedOver, count);
    handedOver += count;
    return static_cast<std::ptrdiff_t>(count);
  });

  TProfile untouched;
  untouched.Information = "untouched";
  untouched.Rules.push_back(TRule{"untouched", "", true});
  TProfile read = untouched;
  const bool ok = ReadProfile(reader, &read);
  const auto where = [&] { return "ReadProfile of \"" + Show(image) + "\""; };

  if (failedRead) {
    if (ok || !reader.Failed()) Fail(where() + ": a read error went unnoticed");
    ExpectSameProfile(read, untouched, where);
    return reference::ReadProfile(image);
  }
  if (!ok || reader.Failed()) Fail(where() + ": failed without a read error");
  const TProfile expected = reference::ReadProfile(image);
  ExpectSameProfile(read, expected, where);
  if (!reader.AtEnd()) Fail(where() + ": not at the end after the last rule");
  for (int i = 0; i < 2; ++i) {
    ExpectSame(where, "a line past the end", reader.ReadLine(), "expected", "");
  }
  return expected;
}

}  // namespace fuzz
