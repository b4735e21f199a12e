#include "tools/linux/rename_run.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/linux/linux_name.h"

namespace {

// The longest name the common Linux file systems hold, in bytes.
constexpr std::size_t kMaxNameBytes = 255;

TSkip SystemSkip(int error, const std::string& new_name) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
      return {TSkipReason::kTaken, new_name};
    case ENOENT:
      return {TSkipReason::kMissing, {}};
    case EACCES:
    case EPERM:
    case EROFS:
      return {TSkipReason::kPermission, {}};
    case ENAMETOOLONG:
      return {TSkipReason::kTooLong, std::to_string(new_name.size())};
    default:
      return {TSkipReason::kSystem, std::strerror(error)};
  }
}

}  // namespace

std::optional<TSkip> LinuxNameProblem(const std::string& name) {
  if (name.empty()) return TSkip{TSkipReason::kEmpty, {}};
  if (name == "." || name == "..")
    return TSkip{TSkipReason::kSystem, "the new name would be \"" + name + "\""};
  if (name.find('/') != std::string::npos) return TSkip{TSkipReason::kSeparator, {}};
  if (name.find('\0') != std::string::npos) return TSkip{TSkipReason::kNulByte, {}};
  if (name.size() > kMaxNameBytes) return TSkip{TSkipReason::kTooLong, std::to_string(name.size())};
  return std::nullopt;
}

TRenameRun::TRenameRun(const std::vector<TRule>& rules, const TFileNameOptions& options,
                       bool dryRun, TJournalWriter* journal)
    : rules_(rules), options_(options), dry_run_(dryRun), journal_(journal) {}

bool TRenameRun::OpenFolder(const std::string& given, TSkip* skip) {
  if (folder_open_ && folder_.Given == given) return true;
  folder_open_ = false;
  const std::string path = given.empty() ? "." : given;
  folder_.Fd.Reset(open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  struct stat info {};
  if (!folder_.Fd.Valid() || fstat(folder_.Fd.Get(), &info) != 0) {
    *skip = SystemSkip(errno, {});
    return false;
  }
  folder_.Given = given;
  folder_.Device = info.st_dev;
  folder_.Inode = info.st_ino;
  folder_.Writable = access(path.c_str(), W_OK | X_OK) == 0;
  folder_.Absolute.clear();
  if (journal_) {
    // The same folder as the descriptor, as long as nobody moves it meanwhile.
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved) {
      folder_.Absolute = resolved;
      free(resolved);
    }
  }
  folder_open_ = true;
  return true;
}

bool TRenameRun::NameTaken(const std::string& name) {
  if (freed_.count({folder_.Device, folder_.Inode, name})) return false;
  struct stat info {};
  return fstatat(folder_.Fd.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ||
         errno != ENOENT;
}

bool TRenameRun::Move(const std::string& from, const std::string& to, bool isFolder, TSkip* skip) {
  const int dir = folder_.Fd.Get();
  if (renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
    *skip = SystemSkip(errno, to);
    return false;
  }
  // No RENAME_NOREPLACE on this file system: a second name, then the old
  // one removed. link() never replaces either, and links a symlink itself.
  if (isFolder) {
    *skip = {TSkipReason::kSystem,
             "this file system cannot rename a folder without the risk of replacing"};
    return false;
  }
  if (linkat(dir, from.c_str(), dir, to.c_str(), 0) != 0) {
    *skip = SystemSkip(errno, to);
    return false;
  }
  if (unlinkat(dir, from.c_str(), 0) != 0) {
    const int error = errno;
    unlinkat(dir, to.c_str(), 0);  // back to the one name it had
    *skip = SystemSkip(error, to);
    return false;
  }
  return true;
}

TFileOutcome TRenameRun::Rename(const std::string& path) {
  TFileOutcome outcome;
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  const std::string given_folder =
      slash == std::string::npos ? std::string() : trimmed.substr(0, slash == 0 ? 1 : slash);
  const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  const std::string prefix =
      slash == std::string::npos ? std::string() : trimmed.substr(0, slash + 1);

  if (name.empty() || name == "." || name == ".." || !OpenFolder(given_folder, &outcome.Skip)) {
    if (name.empty() || name == "." || name == "..") outcome.Skip = {TSkipReason::kMissing, {}};
    return outcome;
  }
  struct stat info {};
  if (fstatat(folder_.Fd.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    outcome.Skip = SystemSkip(errno, {});
    return outcome;
  }

  const std::string new_name = TransliterateLinuxName(name, rules_, options_);
  outcome.NewPath = prefix + new_name;
  if (new_name == name) {
    outcome.Kind = TFileOutcome::TKind::kUnchanged;
    return outcome;
  }
  if (auto problem = LinuxNameProblem(new_name)) {
    outcome.Skip = *problem;
    return outcome;
  }
  const TNameKey key{folder_.Device, folder_.Inode, new_name};
  if (auto claimant = claimed_.find(key); claimant != claimed_.end()) {
    outcome.Skip = {TSkipReason::kClaimed, claimant->second};
    return outcome;
  }
  if (dry_run_) {
    if (!folder_.Writable) {
      outcome.Skip = {TSkipReason::kPermission, {}};
      return outcome;
    }
    if (NameTaken(new_name)) {
      outcome.Skip = {TSkipReason::kTaken, new_name};
      return outcome;
    }
    freed_.insert({folder_.Device, folder_.Inode, name});
  } else {
    if (!Move(name, new_name, S_ISDIR(info.st_mode), &outcome.Skip)) return outcome;
    if (journal_ && journal_error_.empty()) {
      TJournalRecord record;
      record.Device = info.st_dev;
      record.FileId = info.st_ino;
      const std::string folder = folder_.Absolute == "/" ? "" : folder_.Absolute;
      record.OldPath = folder + "/" + name;
      record.NewPath = folder + "/" + new_name;
      if (folder_.Absolute.empty() || !journal_->Append(record, &journal_error_)) {
        if (journal_error_.empty())
          journal_error_ = "the folder of " + path + " cannot be resolved";
      }
    }
  }
  claimed_.emplace(key, path);
  freed_.erase(key);
  outcome.Kind = TFileOutcome::TKind::kRenamed;
  return outcome;
}
