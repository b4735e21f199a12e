#include "engine/file_name.h"

#include <utility>

#include "engine/profile.h"

TPathParts SplitPath(std::string_view path, bool replaceInExtension) {
  const std::size_t separator = path.find_last_of("\\:");
  const std::size_t name_start = separator == std::string_view::npos ? 0 : separator + 1;
  TPathParts parts;
  parts.Directory = path.substr(0, name_start);
  parts.Name = path.substr(name_start);
  if (!replaceInExtension) {
    const std::size_t dot = parts.Name.rfind('.');
    if (dot != std::string_view::npos) {
      parts.Extension = parts.Name.substr(dot);
      parts.Name = parts.Name.substr(0, dot);
    }
  }
  return parts;
}

bool IsDeviceName(std::string_view name) {
  // The device is named by what comes before the first dot, spaces before
  // that dot aside: "con", "CON.txt" and "con .tar.gz" all open the console.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string upper(base);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  return upper.size() == 4 &&
         (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) && upper[3] >= '1' &&
         upper[3] <= '9';
}

TFileNameCheck CheckFileName(std::string_view name) {
  if (name.empty()) return {TFileNameProblem::kEmpty};
  for (char c : name) {
    if (c == '\0') return {TFileNameProblem::kNulByte};
    if (c == '/') return {TFileNameProblem::kSlash};
    if (static_cast<unsigned char>(c) < 32) return {TFileNameProblem::kControlCharacter, c};
    if (std::string_view("<>:\"\\|?*").find(c) != std::string_view::npos) {
      return {TFileNameProblem::kReservedCharacter, c};
    }
  }
  if (IsDeviceName(name)) return {TFileNameProblem::kDeviceName};
  if (name.back() == '.' || name.back() == ' ') return {TFileNameProblem::kTrailingDotOrSpace};
  return {};
}

std::optional<TTransliteratedPath> TransliteratePathChecked(std::string_view path,
                                                            const std::string& profilePath,
                                                            const TFileNameOptions& options) {
  const TPathParts parts = SplitPath(path, options.ReplaceInExtension);
  TReplacePair pair;
  if (!RunProfileFile(pair, parts.Name, profilePath, options.CaseSensitive, options.Direction)) {
    return std::nullopt;
  }
  TTransliteratedPath result;
  result.Path.reserve(parts.Directory.size() + pair.ResultText().size() + parts.Extension.size());
  result.Path.append(parts.Directory).append(pair.ResultText()).append(parts.Extension);
  result.NameStart = parts.Directory.size();
  result.NameCheck = CheckFileName(result.Name());
  return result;
}

std::optional<std::string> TransliteratePath(std::string_view path, const std::string& profilePath,
                                             const TFileNameOptions& options) {
  std::optional<TTransliteratedPath> result = TransliteratePathChecked(path, profilePath, options);
  if (!result) return std::nullopt;
  return std::move(result->Path);
}
