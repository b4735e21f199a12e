#include "cli/core/utf8_run.h"

#include "cli/core/code_page.h"
#include "cli/core/normal_form.h"

namespace {

void RunStretch(const std::string& text1251, const std::vector<TRule>& rules,
                const TRunOptions& options, TReplacePair& pair, std::string* out) {
  RunReplacement(pair, text1251, rules, options);
  out->append(Utf8From1251(pair.ResultText()));
}

}  // namespace

std::string RunOverUtf8(std::string_view utf8, const std::vector<TRule>& rules,
                        const TRunOptions& options, TReplacePair& pair) {
  std::string result;
  result.reserve(utf8.size() + utf8.size() / 4);
  std::string stretch;  // Windows-1251 text not yet run through the profile
  stretch.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    if (static_cast<unsigned char>(utf8[at]) < 0x80) {
      stretch.push_back(utf8[at++]);
      continue;
    }
    char32_t character = 0;
    std::size_t length = DecodeUtf8(utf8, at, &character);
    const int byte = length == 0 ? -1 : Cp1251ByteOf(character);
    if (byte >= 0) {
      stretch.push_back(static_cast<char>(byte));
    } else {
      if (!stretch.empty()) RunStretch(stretch, rules, options, pair, &result);
      stretch.clear();
      if (length == 0) length = 1;  // a byte that is not UTF-8 passes as it is
      result.append(utf8.substr(at, length));
    }
    at += length;
  }
  if (!stretch.empty() || utf8.empty()) RunStretch(stretch, rules, options, pair, &result);
  return result;
}

TTextRun::TTextRun(std::vector<TRule> rules, bool caseSensitive, TDirection direction)
    : rules_(std::move(rules)), lookalikes_(ActiveLookalikes(rules_, direction)) {
  options_.CaseSensitive = caseSensitive;
  options_.Direction = direction;
  options_.SelfMapping = TSelfMapping::kLikeEveryRule;
}

std::string TTextRun::Run(std::string_view piece) {
  // Plain text stays plain: every character a stretch gives back is one of
  // Windows-1251, and the rest passes through as it came.
  if (IsPlainlyNfc(piece) && (lookalikes_.empty() || !HoldsLookalike(piece))) {
    return RunOverUtf8(piece, rules_, options_, pair_);
  }
  return ToNfc(RunOverUtf8(PrepareForRun(piece, lookalikes_), rules_, options_, pair_));
}
