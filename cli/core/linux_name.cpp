#include "cli/core/linux_name.h"

#include "cli/core/code_page.h"

namespace {

// The longest name the common Linux file systems hold, in bytes.
constexpr std::size_t kMaxNameBytes = 255;

std::string RunStretch(const std::string& text1251, const std::vector<TRule>& rules,
                       const TFileNameOptions& options) {
  TRunOptions run;
  run.CaseSensitive = options.CaseSensitive;
  run.Direction = options.Direction;
  run.SelfMapping = TSelfMapping::kAlwaysIgnoreCase;
  TReplacePair pair;
  RunReplacement(pair, text1251, rules, run);
  return Utf8From1251(pair.ResultText());
}

}  // namespace

std::optional<TSkip> LinuxNameProblem(const std::string& name) {
  if (name.empty()) return TSkip{TSkipReason::kEmpty, {}};
  if (name == "." || name == "..") return TSkip{TSkipReason::kDotName, name};
  if (name.find('/') != std::string::npos) return TSkip{TSkipReason::kSeparator, {}};
  if (name.find('\0') != std::string::npos) return TSkip{TSkipReason::kNulByte, {}};
  if (name.size() > kMaxNameBytes) return TSkip{TSkipReason::kTooLong, std::to_string(name.size())};
  return std::nullopt;
}

std::string TransliterateLinuxName(std::string_view name, const std::vector<TRule>& rules,
                                   const TFileNameOptions& options) {
  std::string_view extension;
  if (!options.ReplaceInExtension) {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) {
      extension = name.substr(dot);
      name = name.substr(0, dot);
    }
  }
  std::string result;
  std::string stretch;  // Windows-1251 text not yet run through the profile
  for (std::size_t at = 0; at < name.size();) {
    char32_t character = 0;
    std::size_t length = DecodeUtf8(name, at, &character);
    const int byte = length == 0 ? -1 : Cp1251ByteOf(character);
    if (byte >= 0) {
      stretch.push_back(static_cast<char>(byte));
    } else {
      if (!stretch.empty()) result += RunStretch(stretch, rules, options);
      stretch.clear();
      if (length == 0) length = 1;  // a byte that is not UTF-8 passes as it is
      result.append(name.substr(at, length));
    }
    at += length;
  }
  if (!stretch.empty() || name.empty()) result += RunStretch(stretch, rules, options);
  result.append(extension);
  return result;
}
