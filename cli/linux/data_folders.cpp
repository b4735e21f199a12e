#include "cli/linux/data_folders.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

// The install's share/ as seen from its bin/; the build passes it
// (cli/linux/CMakeLists.txt), this is GNUInstallDirs' own layout.
#ifndef TRANSLIT_DATA_FROM_BIN
#define TRANSLIT_DATA_FROM_BIN "../share"
#endif

namespace {

// The folder of the running program, ending with a "/"; empty when the
// kernel does not tell.
std::string ProgramFolder() {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return "";
  std::string folder(self, static_cast<std::size_t>(length));
  folder.erase(folder.rfind('/') + 1);
  return folder;
}

// folder (ending with a "/") joined with a relative path that may start
// with "../" steps, which leave the folder's last components: the program's
// folder is the kernel's canonical path, so no link is skipped that way.
std::string Beside(std::string folder, std::string_view relative) {
  while (relative.substr(0, 3) == "../" && folder.size() > 1) {
    folder.erase(folder.rfind('/', folder.size() - 2) + 1);
    relative.remove_prefix(3);
  }
  return folder + std::string(relative);
}

// The data folder beside the program's (TRANSLIT_DATA_FROM_BIN is the
// install's share/ as seen from its bin/, "../share").
std::string DataFolder() { return Beside(ProgramFolder(), TRANSLIT_DATA_FROM_BIN "/"); }

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string UserProfileFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/translit/profiles/";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/translit/profiles/";
  return "";
}

std::string InstalledProfileFolder() { return DataFolder() + "translit/profiles/"; }

std::string CheckoutProfileFolder() { return Beside(ProgramFolder(), "../Plugins/rep_profiles/"); }

}  // namespace

std::vector<std::string> ProfileSearchFolders() {
  std::vector<std::string> folders;
  if (std::string user = UserProfileFolder(); !user.empty()) folders.push_back(std::move(user));
  folders.push_back(ShippedProfileFolder());
  return folders;
}

std::string ShippedProfileFolder() {
  std::string installed = InstalledProfileFolder();
  if (IsFolder(installed)) return installed;
  return CheckoutProfileFolder();
}

std::string LocaleFolder() { return DataFolder() + "locale"; }
