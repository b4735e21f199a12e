#include "tools/linux/file_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The entries of a folder, sorted, without "." and "..": files (anything
// but a real folder) and subfolders apart.
bool ReadFolder(const std::string& folder, std::vector<std::string>* files,
                std::vector<std::string>* folders, std::string* error) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    *error = folder + ": " + std::strerror(errno);
    return false;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat info {};
      is_folder = lstat(Join(folder, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    (is_folder ? folders : files)->push_back(name);
  }
  closedir(dir);
  std::sort(files->begin(), files->end());
  std::sort(folders->begin(), folders->end());
  return true;
}

void AddFolder(const std::string& folder, bool recursive, TFileList* list) {
  std::vector<std::string> files, folders;
  std::string error;
  if (!ReadFolder(folder, &files, &folders, &error)) {
    list->Errors.push_back(error);
    return;
  }
  for (const std::string& name : files) list->Paths.push_back(Join(folder, name));
  if (!recursive) return;
  for (const std::string& name : folders) {
    const std::string sub = Join(folder, name);
    AddFolder(sub, true, list);
    list->Paths.push_back(sub);
  }
}

}  // namespace

void AddArgument(const std::string& argument, bool recursive, TFileList* list) {
  struct stat info {};
  const bool through_link = !argument.empty() && argument.back() == '/';
  const int found = through_link ? stat(argument.c_str(), &info) : lstat(argument.c_str(), &info);
  if (found == 0 && S_ISDIR(info.st_mode)) {
    AddFolder(argument, recursive, list);
  } else {
    list->Paths.push_back(argument);  // a missing one is reported when its turn comes
  }
}
