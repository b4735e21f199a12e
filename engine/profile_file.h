// File seam of the profile reader: whether a profile is present,
// and reading its bytes. On Windows the profile is opened with CreateFileA,
// GENERIC_READ and FILE_SHARE_READ only (other programs may read it meanwhile,
// not write it); elsewhere with the C library. No function here throws.
//
// This file's .cpp and lower_case.cpp are the only places of the engine that
// may include <windows.h>.
#pragma once

#include <cstddef>
#include <string>

// Profile paths longer than this count as missing.
constexpr std::size_t kMaxProfilePath = 259;

// True when path names an existing file that is not a directory and is at
// most kMaxProfilePath characters long. An empty profile name makes the path
// the profile folder itself, hence not present.
bool ProfilePresent(const std::string& path);

// One open profile file, read-only, from its start.
class TProfileFile {
 public:
  TProfileFile() = default;
  TProfileFile(const TProfileFile&) = delete;
  TProfileFile& operator=(const TProfileFile&) = delete;
  ~TProfileFile() { Close(); }

  // False when the file cannot be opened (missing, locked, access denied).
  bool Open(const std::string& path);
  // Reads up to size bytes into buffer: the number read, 0 at the end of the
  // file, -1 on a read error.
  std::ptrdiff_t Read(char* buffer, std::size_t size);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;  // HANDLE on Windows, FILE* elsewhere
};
