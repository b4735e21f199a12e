// File seam of the profile reader: whether a profile is present,
// and reading its bytes. On Windows the profile is opened with CreateFileA,
// GENERIC_READ and FILE_SHARE_READ only (other programs may read it meanwhile,
// not write it); elsewhere with the C library. No function here throws,
// except std::bad_alloc when memory runs out.
//
// This file's .cpp, lower_case.cpp, profile_cache.cpp (its lock) and the
// handle owners (unique_any.h, unique_handles.h) are the only places of the
// engine that include <windows.h>.
#pragma once

#include <cstddef>
#include <memory>
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
  TProfileFile();
  TProfileFile(const TProfileFile&) = delete;
  TProfileFile& operator=(const TProfileFile&) = delete;
  ~TProfileFile();

  // False when the file cannot be opened (missing, locked, access denied).
  bool Open(const std::string& path);
  // Reads up to size bytes into buffer: the number read, 0 at the end of the
  // file, -1 on a read error.
  std::ptrdiff_t Read(char* buffer, std::size_t size);
  // Reads the rest of the file into bytes, replacing what they held, with one
  // read that asks for a byte more than the file's size: a file on disk
  // gives fewer bytes than asked only at its end. A file that grows meanwhile
  // takes more reads. False on a read error.
  bool ReadAll(std::string* bytes);
  void Close();
  bool IsOpen() const;

 private:
  // The file's size as the system gives it now; 0 when it does not say.
  std::size_t SizeNow() const;

  // The open file's owner (engine/unique_handles.h), kept out of this header
  // so that its includers need no <windows.h>.
  struct TOwner;
  std::unique_ptr<TOwner> owner_;
};

// Reads the whole profile at path into bytes, replacing what they held: one
// open, one read, one close. False, as for a missing profile, when it is not
// present or cannot be opened or read; bytes then hold nothing of use.
bool ReadProfileFile(const std::string& path, std::string* bytes);
