#include "cli/core/kept_letters_report.h"

#include <algorithm>
#include <vector>

#include "cli/core/profile_commands.h"

namespace {

std::string CoveringProfile(TCommandPlatform& platform, const std::string& profilePath,
                            const std::vector<char32_t>& letters, TDirection direction,
                            bool caseSensitive) {
  const std::string folder = platform.ProfileFolder();
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(folder);
  if (!entries) return "";
  std::vector<std::string> names;
  for (const TFolderEntry& entry : *entries) {
    const std::string& name = entry.Name;
    if (!entry.IsFolder && HasProfileSuffix(name) && folder + name != profilePath) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const TResult<TProfile> profile = ReadProfileFile(platform, folder + name);
    if (profile && ProfileCovers(profile->Rules, letters, direction, caseSensitive)) return name;
  }
  return "";
}

}  // namespace

std::string KeptLettersReport(TCommandPlatform& platform, const std::string& profilePath,
                              const TCommandOptions& options, const TKeptLetters& kept,
                              const std::string& noun) {
  if (kept.Count() == 0 || options.Reverse) return "";
  const TDirection direction = TDirection::kForward;
  const TResult<TProfile> profile = ReadProfileFile(platform, profilePath);
  if (!profile || !FindTermsHoldCyrillic(profile->Rules, direction)) return "";
  return KeptLettersLine(
      kept.Count(), noun, kept.Letters(),
      CoveringProfile(platform, profilePath, kept.Letters(), direction, options.CaseSensitive));
}
