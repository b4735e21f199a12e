#include "cli/core/linux_name.h"

#include "cli/core/normal_form.h"
#include "cli/core/utf8_run.h"

namespace {

// The longest name the common Linux file systems hold, in bytes.
constexpr std::size_t kMaxNameBytes = 255;

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
  TRunOptions run;
  run.CaseSensitive = options.CaseSensitive;
  run.Direction = options.Direction;
  run.SelfMapping = TSelfMapping::kAlwaysIgnoreCase;
  TReplacePair pair;
  std::string result = RunOverUtf8(name, rules, run, pair);
  result.append(extension);
  return result;
}

std::variant<std::string, TSkip> NewLinuxName(std::string_view name,
                                              const std::vector<TRule>& rules,
                                              const std::vector<TLookalike>& lookalikes,
                                              const TFileNameOptions& options, bool from1251) {
  const bool utf8 = IsUtf8(name);
  if (!utf8 && !from1251) return TSkip{TSkipReason::kNotUtf8, {}};
  const std::string prepared =
      PrepareForRun(utf8 ? std::string(name) : Utf8From1251(name), lookalikes);
  std::string new_name = ToNfc(TransliterateLinuxName(prepared, rules, options));
  if (utf8 && new_name == prepared) return std::string(name);
  return new_name;
}
