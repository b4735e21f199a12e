// Fuzz target: a profile file image and a text. The image is read through
// TProfileReader (in pieces, with a read error if asked) and from a file, the
// rules it holds are run over the text by the fast engine and by the literal
// oracle in every mode, and every result must agree.
//
// Input layout:
//   byte 0   length of the text (what is left, if less)
//   byte 1   read chunk: at most this many bytes per read, 0 as many as asked
//   byte 2   0xE0 to 0xFF: the image is handed over 1 to 32 times in a row
//            (long files past the reader's buffer); anything else once
//   byte 3   read error once (byte 3 - 1) * 64 bytes are read; 0 none
//   byte 4   reverse bits of the hooked runs (bit k % 8: rule k)
//   byte 5   cancel the hooked runs at that question; 0 never
//   then     the text, then the profile image
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/profile.h"
#include "engine_check.h"
#include "fuzz_report.h"
#include "profile_file_check.h"
#include "reader_check.h"
#include "reference_profile.h"
#include "temp_profile.h"

namespace {

constexpr std::size_t kHeaderSize = 6;

void CheckSplitRuleLine(std::string_view line) {
  const TRule split = SplitRuleLine(line);
  const TRule expected = reference::SplitRuleLine(line);
  const auto where = [&] { return "SplitRuleLine(\"" + fuzz::Show(line) + "\")"; };
  fuzz::ExpectSame(where, "left term", split.Left, "expected", expected.Left);
  fuzz::ExpectSame(where, "right term", split.Right, "expected", expected.Right);
  if (split.SelfMapping != expected.SelfMapping) fuzz::Fail(where() + ": wrong self-mapping flag");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderSize) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view body = input.substr(kHeaderSize);
  const std::string text(body.substr(0, data[0]));
  const std::string_view image = body.substr(text.size());

  fuzz::TReadPlan plan;
  plan.Chunk = data[1];
  if (data[3] != 0) plan.FailAt = (data[3] - 1u) * 64u;
  const std::size_t times = data[2] >= 0xE0 ? 1u + (data[2] - 0xE0u) : 1u;
  std::string served;
  for (std::size_t i = 0; i < times; ++i) served.append(image);

  CheckSplitRuleLine(text);
  TProfile profile = fuzz::CheckReader(served, plan);
  const std::string& path = fuzz::WriteTempProfile(served);
  fuzz::CheckFileReaders(path, served, profile);

  const std::size_t affordable = fuzz::AffordableRules(text, profile.Rules);
  const bool allRules = affordable == profile.Rules.size();
  profile.Rules.resize(affordable);
  fuzz::THookPlan hooks;
  hooks.ReverseBits = data[4];
  hooks.CancelAt = data[5];
  fuzz::CheckEngine(text, profile.Rules, hooks);
  // The same rules with the text's last byte turned into NUL in every term:
  // terms that hold NUL and meet the filler of the rules before them, which
  // profile images seldom make.
  if (!text.empty() && text.back() != '\0') {
    fuzz::CheckEngine(text, fuzz::WithNul(profile.Rules, text.back()), hooks);
  }
  fuzz::CheckLongRun(text, profile.Rules);
  if (allRules) fuzz::CheckFileRun(path, served, text, profile.Rules);
  return 0;
}
