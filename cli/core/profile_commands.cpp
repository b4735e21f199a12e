#include "cli/core/profile_commands.h"

#include <algorithm>
#include <new>
#include <vector>

#include "cli/core/linux_name.h"
#include "engine/profile_check.h"

namespace {

bool HasProfileSuffix(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".pch") == 0;
}

}  // namespace

TResult<std::string> FindProfile(TCommandPlatform& platform, const std::string& value) {
  const bool is_path = platform.IsPath(value);
  if (!value.empty()) {
    const std::string in_folder = platform.ProfileFolder() + value;
    if (!is_path && platform.IsRegularFile(in_folder)) return in_folder;
    if (platform.IsRegularFile(value)) return value;
    if (std::optional<std::string> kind = platform.OtherKindAt(value)) {
      return TError{value, "is " + *kind + ", not a profile"};
    }
  }
  return TError{"", "no profile " + value + " in " + platform.ProfileFolder() +
                        (is_path ? "" : " nor in the current folder")};
}

TResult<std::string> ReadProfileBytes(TCommandPlatform& platform, const std::string& path,
                                      TProfileEncoding* encoding) {
  TResult<std::string> bytes = platform.ReadWholeFile(path);
  if (!bytes) return bytes;
  const TProfileEncoding found = ProfileEncodingOf(*bytes);
  if (encoding) *encoding = found;
  if (found == TProfileEncoding::kWindows1251) return bytes;
  TResult<std::string> converted = Utf8ProfileTo1251(*bytes);
  if (!converted) return TError{path, "UTF-8, but " + converted.Error().Reason};
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
    return TError{path, "cannot be read"};
  } catch (const std::bad_alloc&) {
    return TError{path, "the profile is too large for memory"};
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
  return value + " is UTF-8: read as such; the plug-in reads Windows-1251 only";
}

TResult<TExitStatus> RunProfileList(const std::string& program, TCommandPlatform& platform,
                                    TConsole& console) {
  const std::string folder = platform.ProfileFolder();
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(folder);
  if (!entries) return entries.Error();
  std::vector<std::string> names;
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder && HasProfileSuffix(entry.Name)) names.push_back(entry.Name);
  }
  if (names.empty()) {
    console.Err(ErrorLine(program, {"", "no profiles in " + folder}));
    return TExitStatus::kSomeFilesKept;
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::optional<std::string> information = platform.ProfileInformation(folder + name);
    console.Out(name + "\n    " +
                (information ? Utf8From1251(CaretControlBytes(*information)) : "(cannot be read)") +
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
    console.Out(value +
                ": UTF-8: the plug-in reads Windows-1251 only and would not know its letters; " +
                "save it as Windows-1251 (the commands read it either way)\n");
  }
  const std::vector<TProfileFinding> findings =
      CheckProfile(*bytes, reverse ? TCheckScope::kForwardAndReverse : TCheckScope::kForward);
  for (const TProfileFinding& finding : findings) {
    console.Out(value + ": " + Utf8From1251(FormatProfileFinding(finding)) + "\n");
  }
  if (findings.empty() && !utf8 && !quiet) console.Err(value + ": no findings\n");
  return findings.empty() && !utf8 ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
}
