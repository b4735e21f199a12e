#include "cli/linux/linux_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cli/core/messages.h"
#include "cli/core/profile_commands.h"
#include "cli/linux/data_folders.h"
#include "cli/linux/file_ops.h"
#include "cli/linux/folder_tree.h"
#include "cli/linux/rename_run.h"
#include "cli/linux/text_stream.h"
#include "engine/profile.h"
#include "engine/unique_handles.h"

namespace {

volatile sig_atomic_t InterruptedBySignal = 0;

void OnInterrupt(int) { InterruptedBySignal = 1; }

// A lock of flock, held while the descriptor is open.
class TLinuxLock : public TLock {
 public:
  explicit TLinuxLock(TUniqueFd fd) : fd_(std::move(fd)) {}

 private:
  TUniqueFd fd_;
};

struct TFreeDeleter {
  void operator()(char* text) const { free(text); }
};

// A journal being written: appended to, and forced to disk at the end.
class TLinuxJournalFile : public TJournalFile {
 public:
  TLinuxJournalFile(TUniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
  TMaybeError Append(const std::string& bytes) override {
    if (WriteAll(fd_.get(), bytes)) return std::nullopt;
    return ErrorOfErrno(path_, errno);
  }
  TMaybeError Flush() override {
    if (fsync(fd_.get()) == 0) return std::nullopt;
    return ErrorOfErrno(path_, errno);
  }

 private:
  TUniqueFd fd_;
  std::string path_;
};

class TLinuxPlatform : public TCommandPlatform {
 public:
  TLinuxPlatform() {
    // Ctrl-C ends the run between two files, with its summary; a second one
    // ends it at once.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
  }

  std::string ProfileFolder() override { return ShippedProfileFolder(); }

  std::vector<std::string> ProfileFolders() override { return ProfileSearchFolders(); }

  bool IsPath(const std::string& value) override { return value.find('/') != std::string::npos; }

  bool IsRegularFile(const std::string& path) override {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

  std::optional<std::string> OtherKindAt(const std::string& path) override {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return std::nullopt;
    if (S_ISDIR(info.st_mode)) return _("a folder");
    if (S_ISFIFO(info.st_mode)) return _("a FIFO");
    if (S_ISSOCK(info.st_mode)) return _("a socket");
    return _("a device");
  }

  std::optional<std::string> ProfileInformation(const std::string& path) override {
    std::string information;
    if (!ReadProfileInformation(path, &information)) return std::nullopt;
    return information;
  }

  TResult<std::string> ReadWholeFile(const std::string& path) override {
    TUniqueFd owned(path == "-" ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = path == "-" ? STDIN_FILENO : owned.get();
    std::string bytes;
    if (fd < 0 || !ReadAll(fd, &bytes)) return ErrorOfErrno(path, errno);
    return bytes;
  }

  bool IsFolderArgument(const std::string& path) override {
    // A link to a folder stands for the folder only when written with a "/".
    struct stat info {};
    const bool through_link = !path.empty() && path.back() == '/';
    const int found = through_link ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    return found == 0 && S_ISDIR(info.st_mode);
  }

  TResult<std::vector<TFolderEntry>> ReadFolder(const std::string& path) override {
    // Through the descriptors of the folders above it, as the walk found
    // them; the subfolders are known by the walk for what comes after.
    TFolderTree::TNode* node = folders_.Walked(path);
    if (!node) node = folders_.Root(path);
    TResult<int> folder = folders_.Open(node);
    if (!folder) return folder.Error();
    TUniqueFd own(openat(*folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    TUniqueDir dir(own ? fdopendir(own.get()) : nullptr);
    if (!dir) return ErrorOfErrno(path, errno);
    own.release();  // the folder stream closes it now
    std::vector<TFolderEntry> entries;
    while (const dirent* entry = readdir(dir.get())) {
      TFolderEntry read{entry->d_name, entry->d_type == DT_DIR};
      if (read.Name == "." || read.Name == "..") continue;
      if (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN) {
        struct stat info {};
        read.IsFolder = fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISDIR(info.st_mode);
        if (read.IsFolder) {
          TFolderTree::TNode* child = folders_.Child(node, read.Name);
          child->Known = true;
          child->Device = info.st_dev;
          child->Inode = info.st_ino;
          read.OnOtherFileSystem = info.st_dev != node->Device;
          folders_.NoteWalked(JoinPath(path, read.Name), child);
        }
      }
      entries.push_back(std::move(read));
    }
    return entries;
  }

  std::string JoinPath(const std::string& folder, const std::string& name) override {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
  }

  std::string NameOf(const std::string& path) override { return path.substr(path.rfind('/') + 1); }

  TResult<std::unique_ptr<TRenamer>> StartRenames(const std::string& profilePath,
                                                  const TCommandOptions& options) override {
    TResult<TProfile> profile = ReadProfileFile(*this, profilePath);
    if (!profile) return profile.Error();
    TFileNameOptions name_options;
    name_options.CaseSensitive = options.CaseSensitive;
    name_options.ReplaceInExtension = options.Extension;
    name_options.Direction = options.Reverse ? TDirection::kReverse : TDirection::kForward;
    return MakeLinuxRenamer(folders_, std::move(profile->Rules), name_options, options.From1251);
  }

  std::optional<TFileIdentity> IdentityAt(const std::string& path) override {
    TResult<TEntry> entry = EntryAt(path);
    if (!entry) return std::nullopt;
    return ::IdentityAt(entry->Dir, entry->Name);
  }

  bool Exists(const std::string& path) override {
    struct stat info {};
    if (path.size() < PATH_MAX) return lstat(path.c_str(), &info) == 0;
    return IdentityAt(path).has_value();
  }

  bool SameEntryName(const std::string& a, const std::string& b) override { return a == b; }

  std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) override {
    TResult<TEntry> entry = EntryAt(from);
    if (!entry) return TSkip{TSkipReason::kSystemError, ErrorText(entry.Error())};
    if (FolderOf(to) != FolderOf(from))
      return TSkip{TSkipReason::kDamagedRecord, _("another folder")};
    return MoveNoReplaceAt(entry->Dir, entry->Name, entry->Dir, NameOf(to));
  }

  std::optional<TSkip> RenameRefusal(const std::string& path) override {
    TResult<TEntry> entry = EntryAt(path);
    if (!entry) return std::nullopt;
    return RenameRefusalAt(entry->Dir, entry->Name);
  }

  TResult<std::string> StateFolder() override {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/translit/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/translit/";
    return TError{"", _("neither XDG_STATE_HOME nor HOME is set")};
  }

  TMaybeError MakePrivateFolder(const std::string& path) override {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
      const std::string prefix = path.substr(0, slash);
      if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return ErrorOfErrno(prefix, errno);
    }
    return std::nullopt;
  }

  TMaybeError CheckPrivateFolder(const std::string& path) override {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return ErrorOfErrno(path, errno);
    if (!S_ISDIR(info.st_mode)) return TError{path, _("is not a folder")};
    if (info.st_uid != geteuid()) {
      return TError{path, Format(_("belongs to another user (%s); journals are kept only in a "
                                   "folder of one's own"),
                                 std::to_string(info.st_uid))};
    }
    if (info.st_mode & (S_IWGRP | S_IWOTH)) {
      char mode[8];
      std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
      return TError{path, Format(_("may be written by others (mode %s); chmod go-w it to keep "
                                   "journals there"),
                                 mode)};
    }
    return std::nullopt;
  }

  TResult<std::unique_ptr<TLock>> LockFile(const std::string& path, bool wait) override {
    TUniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd) return ErrorOfErrno(path, errno);
    while (flock(fd.get(), LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
      if (errno == EINTR && wait) continue;
      return ErrorOfErrno(path, errno);
    }
    return std::unique_ptr<TLock>(new TLinuxLock(std::move(fd)));
  }

  TMaybeError AppendToFile(const std::string& path, const std::string& bytes) override {
    TUniqueFd fd(open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW));
    if (!fd || !WriteAll(fd.get(), bytes) || fsync(fd.get()) != 0) return ErrorOfErrno(path, errno);
    return std::nullopt;
  }

  TResult<std::unique_ptr<TJournalFile>> CreateNewFile(const std::string& path) override {
    TUniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
    if (!fd) return ErrorOfErrno(path, errno);
    return std::unique_ptr<TJournalFile>(new TLinuxJournalFile(std::move(fd), path));
  }

  TMaybeError ReplaceFile(const std::string& path, const std::string& bytes) override {
    const std::string temporary = path + ".new";
    TUniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!fd || !WriteAll(fd.get(), bytes) || fsync(fd.get()) != 0) {
      return ErrorOfErrno(temporary, errno);
    }
    fd.reset();
    if (rename(temporary.c_str(), path.c_str()) != 0) return ErrorOfErrno(path, errno);
    return std::nullopt;
  }

  TMaybeError RemoveFile(const std::string& path) override {
    if (unlink(path.c_str()) != 0) return ErrorOfErrno(path, errno);
    return std::nullopt;
  }

  std::unique_ptr<TTextStream> OpenTextStream(bool) override { return MakeLinuxTextStream(); }

  unsigned long ProcessId() override { return static_cast<unsigned long>(getpid()); }

  std::string CurrentFolder() override {
    const std::unique_ptr<char, TFreeDeleter> folder(getcwd(nullptr, 0));
    return folder ? std::string(folder.get()) : std::string(".");
  }

  std::optional<std::string> AbsolutePath(const std::string& path) override {
    const std::unique_ptr<char, TFreeDeleter> resolved(realpath(path.c_str(), nullptr));
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
  }

  bool IsInside(const std::string& path, const std::string& folder) override {
    if (folder == "/") return !path.empty() && path[0] == '/';
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
  }

  std::string FolderOf(const std::string& path) override {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
  }

  bool IsTreeRoot(const std::string& path) override {
    struct stat info {
    }, root{};
    return stat(path.c_str(), &info) == 0 && stat("/", &root) == 0 && info.st_dev == root.st_dev &&
           info.st_ino == root.st_ino;
  }

  bool Interrupted() override { return InterruptedBySignal != 0; }

 private:
  struct TEntry {
    int Dir = -1;
    std::string Name;
  };
  // The folder of an absolute path opened through its parents, never
  // following a link, and the last component.
  TResult<TEntry> EntryAt(const std::string& path) {
    TFolderTree::TNode* node = folders_.AbsoluteNode(FolderOf(path));
    if (!node) return TError{path, _("is not an absolute path")};
    TResult<int> dir = folders_.Open(node);
    if (!dir) return dir.Error();
    return TEntry{*dir, NameOf(path)};
  }

  TFolderTree folders_;
};

}  // namespace

std::unique_ptr<TCommandPlatform> MakeLinuxPlatform() { return std::make_unique<TLinuxPlatform>(); }
