#include "cli/linux/linux_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cli/core/profile_commands.h"
#include "cli/linux/file_ops.h"
#include "cli/linux/rename_run.h"
#include "cli/linux/text_stream.h"
#include "engine/profile.h"
#include "engine/unique_handles.h"

namespace {

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
  std::string ProfileFolder() override {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return "Plugins/rep_profiles/";
    std::string folder(self, static_cast<std::size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder + "../Plugins/rep_profiles/";
  }

  bool IsPath(const std::string& value) override { return value.find('/') != std::string::npos; }

  bool IsRegularFile(const std::string& path) override {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
    TUniqueDir dir(opendir(path.c_str()));
    if (!dir) return ErrorOfErrno(path, errno);
    std::vector<TFolderEntry> entries;
    while (const dirent* entry = readdir(dir.get())) {
      TFolderEntry read{entry->d_name, entry->d_type == DT_DIR};
      if (read.Name == "." || read.Name == "..") continue;
      if (entry->d_type == DT_UNKNOWN) {
        struct stat info {};
        read.IsFolder = fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISDIR(info.st_mode);
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
    return MakeLinuxRenamer(std::move(profile->Rules), name_options, options.From1251);
  }

  std::optional<TFileIdentity> IdentityAt(const std::string& path) override {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return std::nullopt;
    return TFileIdentity{info.st_dev, info.st_ino};
  }

  bool Exists(const std::string& path) override {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
  }

  bool SameEntryName(const std::string& a, const std::string& b) override { return a == b; }

  std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) override {
    struct stat info {};
    const bool is_folder = lstat(from.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    return MoveNoReplaceAt(AT_FDCWD, from, AT_FDCWD, to, is_folder);
  }

  TResult<std::string> StateFolder() override {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/translit/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/translit/";
    return TError{"", "neither XDG_STATE_HOME nor HOME is set"};
  }

  TMaybeError MakePrivateFolder(const std::string& path) override {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
      const std::string prefix = path.substr(0, slash);
      if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return ErrorOfErrno(prefix, errno);
    }
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
};

}  // namespace

std::unique_ptr<TCommandPlatform> MakeLinuxPlatform() { return std::make_unique<TLinuxPlatform>(); }
