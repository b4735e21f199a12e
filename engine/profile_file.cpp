// File seam: kernel32 on Windows, the C library elsewhere.
#include "engine/profile_file.h"

#include "engine/unique_handles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <cstdio>
#endif

namespace {

// The most that ReadAll asks for at once on the file's word: a size beyond
// it is read in steps, as the bytes arrive.
constexpr unsigned long long kMaxReadAhead = 64ull << 20;
// What ReadAll asks for once the size it was told has been read.
constexpr std::size_t kReadStep = std::size_t{64} << 10;

// Paths that no reader may open: too long, or holding a NUL (the platform
// would see a shorter path).
bool PathAcceptable(const std::string& path) {
  return !path.empty() && path.size() <= kMaxProfilePath && path.find('\0') == std::string::npos;
}

}  // namespace

#ifdef _WIN32
struct TProfileFile::TOwner {
  TUniqueFile File;
};
#else
struct TProfileFile::TOwner {
  TUniqueStdioFile File;
};
#endif

TProfileFile::TProfileFile() : owner_(std::make_unique<TOwner>()) {}
TProfileFile::~TProfileFile() = default;

#ifdef _WIN32

bool ProfilePresent(const std::string& path) {
  if (!PathAcceptable(path)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TProfileFile::Open(const std::string& path) {
  Close();
  if (!PathAcceptable(path)) return false;
  TUniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  owner_->File = std::move(file);
  // Names such as "nul.pch", "con.pch" or "com1.pch" open devices, not files:
  // the console or a serial port could block a read for ever. Only a file on
  // disk is a profile.
  if (GetFileType(owner_->File.get()) != FILE_TYPE_DISK) {
    Close();
    return false;
  }
  return true;
}

std::ptrdiff_t TProfileFile::Read(char* buffer, std::size_t size) {
  if (!IsOpen()) return -1;
  constexpr std::size_t kMaxChunk = 1u << 30;
  DWORD read = 0;
  if (!ReadFile(owner_->File.get(), buffer, static_cast<DWORD>(size < kMaxChunk ? size : kMaxChunk),
                &read, nullptr)) {
    return -1;
  }
  return static_cast<std::ptrdiff_t>(read);
}

void TProfileFile::Close() { owner_->File.reset(); }

bool TProfileFile::IsOpen() const { return static_cast<bool>(owner_->File); }

std::size_t TProfileFile::SizeNow() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || !GetFileSizeEx(owner_->File.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > kMaxReadAhead) {
    return 0;
  }
  return static_cast<std::size_t>(size.QuadPart);
}

#else

bool ProfilePresent(const std::string& path) {
  if (!PathAcceptable(path)) return false;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool TProfileFile::Open(const std::string& path) {
  Close();
  if (!PathAcceptable(path)) return false;
  owner_->File.reset(std::fopen(path.c_str(), "rb"));
  if (!owner_->File) return false;
  return true;
}

std::ptrdiff_t TProfileFile::Read(char* buffer, std::size_t size) {
  if (!IsOpen()) return -1;
  std::FILE* file = owner_->File.get();
  const std::size_t read = std::fread(buffer, 1, size, file);
  if (std::ferror(file)) return -1;  // what came before the error is not to be trusted
  return static_cast<std::ptrdiff_t>(read);
}

void TProfileFile::Close() { owner_->File.reset(); }

bool TProfileFile::IsOpen() const { return static_cast<bool>(owner_->File); }

std::size_t TProfileFile::SizeNow() const {
  struct stat info {};
  if (!IsOpen() || fstat(fileno(owner_->File.get()), &info) != 0 || info.st_size < 0 ||
      static_cast<unsigned long long>(info.st_size) > kMaxReadAhead) {
    return 0;
  }
  return static_cast<std::size_t>(info.st_size);
}

#endif

bool TProfileFile::ReadAll(std::string* bytes) {
  bytes->clear();
  std::size_t ask = SizeNow() + 1;
  for (;;) {
    const std::size_t held = bytes->size();
    bytes->resize(held + ask);
    const std::ptrdiff_t read = Read(&(*bytes)[held], ask);
    if (read < 0) return false;
    const auto got = static_cast<std::size_t>(read);
    bytes->resize(held + got);
    if (got < ask) return true;
    ask = kReadStep;
  }
}

bool ReadProfileFile(const std::string& path, std::string* bytes) {
  TProfileFile file;
  return ProfilePresent(path) && file.Open(path) && file.ReadAll(bytes);
}
