#include "cli/core/profile_commands.h"

#include <algorithm>
#include <new>
#include <vector>

#include "cli/core/hints.h"
#include "cli/core/linux_name.h"
#include "cli/core/messages.h"
#include "engine/profile_check.h"

bool HasProfileSuffix(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".pch") == 0;
}

namespace {

struct TFoundProfile {
  std::string Name;
  std::string Folder;
};

// The profiles of every profile folder, sorted by name; of two of one name,
// the one in the earlier folder.
std::vector<TFoundProfile> AllProfiles(TCommandPlatform& platform) {
  std::vector<TFoundProfile> found;
  for (const std::string& folder : platform.ProfileFolders()) {
    TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(folder);
    if (!entries) continue;  // a folder not made yet holds none
    for (const TFolderEntry& entry : *entries) {
      const bool hidden = std::any_of(found.begin(), found.end(), [&entry](const TFoundProfile& p) {
        return p.Name == entry.Name;
      });
      if (!entry.IsFolder && HasProfileSuffix(entry.Name) && !hidden) {
        found.push_back({entry.Name, folder});
      }
    }
  }
  std::sort(found.begin(), found.end(),
            [](const TFoundProfile& a, const TFoundProfile& b) { return a.Name < b.Name; });
  return found;
}

std::string JoinedFolders(const std::vector<std::string>& folders) {
  std::string joined;
  for (const std::string& folder : folders) joined += (joined.empty() ? "" : ", ") + folder;
  return joined;
}

}  // namespace

TResult<std::string> FindProfile(TCommandPlatform& platform, const std::string& value) {
  const bool is_path = platform.IsPath(value);
  const std::vector<std::string> folders = platform.ProfileFolders();
  if (!value.empty()) {
    for (const std::string& folder : folders) {
      if (!is_path && platform.IsRegularFile(folder + value)) return folder + value;
    }
    if (platform.IsRegularFile(value)) return value;
    if (std::optional<std::string> kind = platform.OtherKindAt(value)) {
      return TError{value, Format(_("is %s, not a profile"), *kind)};
    }
  }
  if (is_path) return TError{"", Format(_("no profile %s"), value)};
  std::vector<std::string> names;
  for (const TFoundProfile& profile : AllProfiles(platform)) names.push_back(profile.Name);
  const std::string nearest = NearestName(value, names);
  std::vector<std::string> existing;
  for (const std::string& folder : folders) {
    if (platform.IsFolderArgument(folder)) existing.push_back(folder);
  }
  std::string reason =
      Format(_("no profile %s in %s nor in the current folder"), value, JoinedFolders(existing));
  reason += nearest.empty() ? Format(_("; --list shows the profiles"))
                            : Format(_("; did you mean %s? (--list shows the profiles)"), nearest);
  return TError{"", reason};
}

TResult<std::string> ReadProfileBytes(TCommandPlatform& platform, const std::string& path,
                                      TProfileEncoding* encoding) {
  TResult<std::string> bytes = platform.ReadWholeFile(path);
  if (!bytes) return bytes;
  const TProfileEncoding found = ProfileEncodingOf(*bytes);
  if (encoding) *encoding = found;
  if (found == TProfileEncoding::kWindows1251) return bytes;
  TResult<std::string> converted = Utf8ProfileTo1251(*bytes);
  if (!converted) return TError{path, Format(_("UTF-8, but %s"), converted.Error().Reason)};
  return converted;
}

TResult<TProfile> ReadProfileFile(TCommandPlatform& platform, const std::string& path,
                                  TProfileEncoding* encoding) {
  try {
    TResult<std::string> bytes = ReadProfileBytes(platform, path, encoding);
    if (!bytes) return bytes.Error();
    std::size_t at = 0;
    TProfileReader reader;
    reader.OpenFrom([&bytes, &at](char* buffer, std::size_t size) -> std::ptrdiff_t {
      const std::size_t count = std::min(size, bytes->size() - at);
      bytes->copy(buffer, count, at);
      at += count;
      return static_cast<std::ptrdiff_t>(count);
    });
    TProfile profile;
    if (ReadProfile(reader, &profile)) return profile;
    return TError{path, _("cannot be read")};
  } catch (const std::bad_alloc&) {
    return TError{path, _("the profile is too large for memory")};
  }
}

bool IsUtf8Profile(TCommandPlatform& platform, const std::string& path) {
  try {
    TResult<std::string> bytes = platform.ReadWholeFile(path);
    return bytes && ProfileEncodingOf(*bytes) == TProfileEncoding::kUtf8;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

std::string Utf8ProfileNote(const std::string& value) {
  return Format(_("%s is UTF-8: read as such; the plug-in reads Windows-1251 only"), value);
}

TResult<TExitStatus> RunProfileList(const std::string& program, TCommandPlatform& platform,
                                    TConsole& console) {
  const std::vector<TFoundProfile> profiles = AllProfiles(platform);
  if (profiles.empty()) {
    console.Err(ErrorLine(
        program, {"", Format(_("no profiles in %s"), JoinedFolders(platform.ProfileFolders()))}));
    return TExitStatus::kSomeFilesKept;
  }
  for (const TFoundProfile& profile : profiles) {
    const std::optional<std::string> information =
        platform.ProfileInformation(profile.Folder + profile.Name);
    console.Out(profile.Name + "\n    " +
                (information ? Utf8From1251(CaretControlBytes(*information))
                             : std::string(_("(cannot be read)"))) +
                "\n");
  }
  return TExitStatus::kOk;
}

TResult<TExitStatus> RunProfileCheck(const std::string& value, bool quiet, bool reverse,
                                     TCommandPlatform& platform, TConsole& console) {
  TResult<std::string> path = FindProfile(platform, value);
  if (!path) return path.Error();
  TProfileEncoding encoding = TProfileEncoding::kWindows1251;
  TResult<std::string> bytes = ReadProfileBytes(platform, *path, &encoding);
  if (!bytes) return bytes.Error();
  const bool utf8 = encoding == TProfileEncoding::kUtf8;
  if (utf8) {
    console.Out(value + ": " +
                _("UTF-8: the plug-in reads Windows-1251 only and would not know its letters; "
                  "save it as Windows-1251 (the commands read it either way)") +
                "\n");
  }
  const std::vector<TProfileFinding> findings =
      CheckProfile(*bytes, reverse ? TCheckScope::kForwardAndReverse : TCheckScope::kForward);
  for (const TProfileFinding& finding : findings) {
    console.Out(value + ": " + Utf8From1251(FormatProfileFinding(finding)) + "\n");
  }
  if (findings.empty() && !utf8 && !quiet) console.Err(value + ": " + _("no findings") + "\n");
  return findings.empty() && !utf8 ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
}
