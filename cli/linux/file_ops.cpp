#include "cli/linux/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool ReadAll(int fd, std::string* bytes) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<TSkip> MoveNoReplaceAt(int fromDir, const std::string& from, int toDir,
                                     const std::string& to, bool isFolder) {
  if (renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) {
    return std::nullopt;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return SkipOfErrno(errno, to);
  // No RENAME_NOREPLACE on this file system: a second name, then the old
  // one removed. link() never replaces either, and links a symlink itself.
  if (isFolder) return TSkip{TSkipReason::kFolderNeedsNoReplace, {}};
  if (linkat(fromDir, from.c_str(), toDir, to.c_str(), 0) != 0) return SkipOfErrno(errno, to);
  if (unlinkat(fromDir, from.c_str(), 0) != 0) {
    const int error = errno;
    unlinkat(toDir, to.c_str(), 0);  // back to the one name it had
    return SkipOfErrno(error, to);
  }
  return std::nullopt;
}

TSkip SkipOfErrno(int error, const std::string& newName) {
  static constexpr TErrorReason kReasons[] = {
      {EEXIST, TSkipReason::kTaken},         {ENOTEMPTY, TSkipReason::kTaken},
      {ENOENT, TSkipReason::kMissing},       {EACCES, TSkipReason::kPermission},
      {EPERM, TSkipReason::kPermission},     {EROFS, TSkipReason::kPermission},
      {ENAMETOOLONG, TSkipReason::kTooLong},
  };
  return SkipOfErrorCode(error, kReasons, newName, [error] { return std::strerror(error); });
}

TError ErrorOfErrno(const std::string& subject, int error) {
  return {subject, std::strerror(error)};
}
