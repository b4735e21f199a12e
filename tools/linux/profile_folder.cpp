#include "tools/linux/profile_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "engine/profile_check.h"
#include "tools/common/run_report.h"
#include "tools/linux/linux_name.h"
#include "tools/linux/unique_fd.h"

namespace {

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string ProfileFolder() {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return "Plugins/rep_profiles/";
  std::string folder(self, static_cast<std::size_t>(length));
  folder.erase(folder.rfind('/') + 1);
  return folder + "../Plugins/rep_profiles/";
}

std::string FindProfile(const std::string& value) {
  if (value.empty()) return {};
  if (value.find('/') != std::string::npos) return IsRegularFile(value) ? value : std::string();
  std::string in_folder = ProfileFolder() + value;
  if (IsRegularFile(in_folder)) return in_folder;
  return IsRegularFile(value) ? value : std::string();
}

bool LoadProfile(const std::string& path, TProfile* profile, std::string* error) {
  // Opened here rather than through the engine's file seam, so that a
  // profile of one's own may lie at any depth.
  TUniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!fd.Valid() || fstat(fd.Get(), &info) != 0) {
    *error = std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *error = "not a file";
    return false;
  }
  TProfileReader reader;
  reader.OpenFrom([&fd](char* buffer, std::size_t size) -> std::ptrdiff_t {
    for (;;) {
      const ssize_t n = read(fd.Get(), buffer, size);
      if (n < 0 && errno == EINTR) continue;
      return n;
    }
  });
  try {
    if (ReadProfile(reader, profile)) return true;
    *error = "cannot be read";
  } catch (const std::bad_alloc&) {
    *error = "the profile is too large for memory";
  }
  return false;
}

int ListProfiles(std::ostream& out, std::ostream& err) {
  const std::string folder = ProfileFolder();
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    err << "translit: " << folder << ": " << std::strerror(errno) << "\n";
    return 2;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".pch") == 0) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string information;
    const bool read = ReadProfileInformation(folder + name, &information);
    out << name << "\n    "
        << (read ? Utf8From1251(CaretControlBytes(information)) : "(cannot be read)") << "\n";
  }
  return names.empty() ? 1 : 0;
}

int CheckProfileFile(const std::string& value, bool quiet, std::ostream& out, std::ostream& err) {
  const std::string path = FindProfile(value);
  std::vector<TProfileFinding> findings;
  if (path.empty() || !CheckProfileFile(path, &findings)) {
    err << "translit: " << value << ": "
        << (path.empty() ? "no such profile" : std::strerror(errno)) << "\n";
    return 2;
  }
  for (const TProfileFinding& finding : findings) {
    out << value << ": " << Utf8From1251(FormatProfileFinding(finding)) << "\n";
  }
  if (findings.empty() && !quiet) err << value << ": no findings\n";
  return findings.empty() ? 0 : 1;
}
