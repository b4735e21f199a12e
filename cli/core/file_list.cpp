#include "cli/core/file_list.h"

#include <algorithm>

namespace {

void Add(const std::string& path, TFileList* list) {
  if (list->Listed.insert(path).second) list->Paths.push_back(path);
}

void AddFolder(TCommandPlatform& platform, const std::string& folder, const TWalkOptions& options,
               TFileList* list) {
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(folder);
  if (!entries) {
    list->Errors.push_back(entries.Error());
    return;
  }
  std::sort(entries->begin(), entries->end(),
            [](const TFolderEntry& a, const TFolderEntry& b) { return a.Name < b.Name; });
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder) Add(platform.JoinPath(folder, entry.Name), list);
  }
  if (!options.Recursive) return;
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder) continue;
    const std::string subfolder = platform.JoinPath(folder, entry.Name);
    if (!entry.OnOtherFileSystem || options.CrossFileSystems) {
      AddFolder(platform, subfolder, options, list);
    }
    Add(subfolder, list);
  }
}

}  // namespace

void AddArgument(TCommandPlatform& platform, const std::string& argument,
                 const TWalkOptions& options, TFileList* list) {
  if (platform.IsFolderArgument(argument)) {
    AddFolder(platform, argument, options, list);
  } else {
    Add(argument, list);  // a missing one is reported when its turn comes
  }
}

std::vector<std::string> SplitNulList(const std::string& bytes) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\0', start);
    if (end == std::string::npos) end = bytes.size();
    if (end > start) paths.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}
