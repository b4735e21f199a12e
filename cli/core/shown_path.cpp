#include "cli/core/shown_path.h"

std::string ShownPath(const std::string& path, const std::string& currentFolder) {
  if (currentFolder.empty() || path.size() <= currentFolder.size() ||
      path.compare(0, currentFolder.size(), currentFolder) != 0) {
    return path;
  }
  return path.substr(currentFolder.size());
}
