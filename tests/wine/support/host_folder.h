// A throw-away host directory under the temp folder, laid out like the
// host's: <dir>\Plugins\rep_profiles\. Removed with everything in it when the
// object goes.
#pragma once

#include <string>
#include <string_view>

class HostFolder {
 public:
  HostFolder();
  ~HostFolder();
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;

  // The directory, ending with a backslash, as the host passes it to setDir.
  const std::string& dir() const { return dir_; }
  std::string profiles() const { return dir_ + "Plugins\\rep_profiles\\"; }

  // Writes a file (bytes as given) relative to dir(); returns its full path.
  std::string AddFile(std::string_view relative, std::string_view bytes);
  std::string AddProfile(std::string_view name, std::string_view bytes) {
    return AddFile("Plugins\\rep_profiles\\" + std::string(name), bytes);
  }
  std::string AddDirectory(std::string_view relative);
  // Writes a file at a full path.
  static void WriteBytes(const std::string& path, std::string_view bytes);

 private:
  std::string dir_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
