#include "cli/core/file_list.h"

#include <algorithm>

namespace {

void AddFolder(TCommandPlatform& platform, const std::string& folder, bool recursive,
               TFileList* list) {
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(folder);
  if (!entries) {
    list->Errors.push_back(entries.Error());
    return;
  }
  std::sort(entries->begin(), entries->end(),
            [](const TFolderEntry& a, const TFolderEntry& b) { return a.Name < b.Name; });
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder) list->Paths.push_back(platform.JoinPath(folder, entry.Name));
  }
  if (!recursive) return;
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder) continue;
    const std::string subfolder = platform.JoinPath(folder, entry.Name);
    AddFolder(platform, subfolder, true, list);
    list->Paths.push_back(subfolder);
  }
}

}  // namespace

void AddArgument(TCommandPlatform& platform, const std::string& argument, bool recursive,
                 TFileList* list) {
  if (platform.IsFolderArgument(argument)) {
    AddFolder(platform, argument, recursive, list);
  } else {
    list->Paths.push_back(argument);  // a missing one is reported when its turn comes
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
