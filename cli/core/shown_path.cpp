#include "cli/core/shown_path.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string ShownPath(const std::string& path, const std::string& currentFolder) {
  if (currentFolder.empty() || path.compare(0, currentFolder.size(), currentFolder) != 0) {
    return path;
  }
  std::size_t start = currentFolder.size();
  if (!IsSeparator(currentFolder.back())) {
    if (start >= path.size() || !IsSeparator(path[start])) return path;  // "/home/ux" in "/home/u"
    ++start;
  }
  return start < path.size() ? path.substr(start) : path;
}
