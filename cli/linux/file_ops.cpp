#include "cli/linux/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
                                     const std::string& to) {
  if (renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) {
    return std::nullopt;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return SkipOfErrno(errno, to);
  // No RENAME_NOREPLACE on this file system: a second name, then the old
  // one removed. link() never replaces either, and links a symlink itself.
  struct stat info {};
  if (fstatat(fromDir, from.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)) {
    return TSkip{TSkipReason::kFolderNeedsNoReplace, {}};
  }
  if (linkat(fromDir, from.c_str(), toDir, to.c_str(), 0) != 0) return SkipOfErrno(errno, to);
  if (unlinkat(fromDir, from.c_str(), 0) != 0) {
    const int error = errno;
    unlinkat(toDir, to.c_str(), 0);  // back to the one name it had
    return SkipOfErrno(error, to);
  }
  return std::nullopt;
}

namespace {

std::int64_t Nanoseconds(const struct statx_timestamp& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

bool Statx(int dir, const char* name, int flags, struct statx* info) {
  return statx(dir, name, flags | AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, info) == 0;
}

}  // namespace

std::optional<TFileIdentity> IdentityAt(int dir, const std::string& name) {
  struct statx info {};
  if (!Statx(dir, name.c_str(), 0, &info)) return std::nullopt;
  TFileIdentity identity;
  identity.Device = makedev(info.stx_dev_major, info.stx_dev_minor);
  identity.FileId = info.stx_ino;
  identity.Birth = (info.stx_mask & STATX_BTIME) ? Nanoseconds(info.stx_btime) : 0;
  identity.Change = Nanoseconds(info.stx_ctime);
  identity.Size = info.stx_size;
  identity.IsFolder = S_ISDIR(info.stx_mode);
  return identity;
}

std::optional<TSkip> RenameRefusalAt(int dir, const std::string& name) {
  struct statx folder {
  }, file{};
  if (!Statx(dir, "", AT_EMPTY_PATH, &folder) || !Statx(dir, name.c_str(), 0, &file)) {
    return std::nullopt;  // the rename itself will say why
  }
  const bool folder_writable = faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) == 0;
  if (!folder_writable && errno == EROFS) return TSkip{TSkipReason::kReadOnlyFileSystem, {}};
  constexpr std::uint64_t kFixed = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
  if ((file.stx_attributes & file.stx_attributes_mask & kFixed) ||
      (folder.stx_attributes & folder.stx_attributes_mask & kFixed)) {
    return TSkip{TSkipReason::kImmutable, {}};
  }
#ifdef STATX_ATTR_MOUNT_ROOT
  const bool mount_root = (file.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
                          (file.stx_attributes & STATX_ATTR_MOUNT_ROOT);
#else
  const bool mount_root = false;
#endif
  if (mount_root || file.stx_dev_major != folder.stx_dev_major ||
      file.stx_dev_minor != folder.stx_dev_minor) {
    return TSkip{TSkipReason::kMountPoint, {}};
  }
  if (!folder_writable) return TSkip{TSkipReason::kPermission, {}};
  const uid_t user = geteuid();
  if ((folder.stx_mode & S_ISVTX) && user != 0 && file.stx_uid != user && folder.stx_uid != user) {
    return TSkip{TSkipReason::kStickyFolder, {}};
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
