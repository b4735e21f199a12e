#include "cli/linux/rename_run.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/core/linux_name.h"
#include "cli/linux/file_ops.h"
#include "engine/unique_handles.h"

namespace {

struct TFreeDeleter {
  void operator()(char* text) const { free(text); }
};

// A path as given: "a/b//c/" -> folder "a/b/", name "c", prefix "a/b//".
struct TSplitPath {
  std::string Folder;  // "" for the current folder, "/" for the root
  std::string Name;
  std::string Prefix;  // what comes before the name, kept in the new path
};

TSplitPath Split(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  if (slash == std::string::npos) return {std::string(), trimmed, std::string()};
  return {trimmed.substr(0, slash == 0 ? 1 : slash), trimmed.substr(slash + 1),
          trimmed.substr(0, slash + 1)};
}

class TLinuxRenamer : public TRenamer {
 public:
  TLinuxRenamer(std::vector<TRule> rules, const TFileNameOptions& options, bool from1251)
      : rules_(std::move(rules)),
        lookalikes_(ActiveLookalikes(rules_, options.Direction)),
        options_(options),
        from1251_(from1251) {}

  std::variant<TRenamePlan, TFileOutcome> Plan(const std::string& path) override {
    TFileOutcome outcome;
    std::string name;
    struct stat info {};
    if (std::optional<TSkip> failure = Open(path, &name, &info)) {
      outcome.Skip = *failure;
      return outcome;
    }
    std::variant<std::string, TSkip> renamed =
        NewLinuxName(name, rules_, lookalikes_, options_, from1251_);
    if (auto* skip = std::get_if<TSkip>(&renamed)) {
      outcome.Skip = *skip;
      return outcome;
    }
    const std::string& new_name = std::get<std::string>(renamed);
    outcome.NewPath = Split(path).Prefix + new_name;
    if (new_name == name) {
      outcome.Kind = TFileOutcome::TKind::kUnchanged;
      return outcome;
    }
    if (std::optional<TSkip> problem = LinuxNameProblem(new_name)) {
      outcome.Skip = *problem;
      return outcome;
    }
    return TRenamePlan{path, outcome.NewPath, new_name, Key(name), Key(new_name)};
  }

  bool NameTaken(const TRenamePlan& plan) override {
    std::string name;
    struct stat info {};
    if (Open(plan.Path, &name, &info)) return false;  // Apply says why
    return fstatat(folder_.Fd.get(), plan.NewName.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ||
           errno != ENOENT;
  }

  std::optional<TSkip> Refusal(const TRenamePlan&) override {
    if (!folder_.Writable) {
      const std::string path = folder_.Given.empty() ? "." : folder_.Given;
      folder_.Writable = access(path.c_str(), W_OK | X_OK) == 0;
    }
    if (!*folder_.Writable) return TSkip{TSkipReason::kPermission, {}};
    return std::nullopt;
  }

  TResult<TJournalRecord> Record(const TRenamePlan& plan) override {
    std::string name;
    struct stat info {};
    if (Open(plan.Path, &name, &info)) return ErrorOfErrno(plan.Path, errno);
    if (folder_.Absolute.empty()) {
      // The same folder as the descriptor, as long as nobody moves it meanwhile.
      const std::string path = folder_.Given.empty() ? "." : folder_.Given;
      const std::unique_ptr<char, TFreeDeleter> resolved(realpath(path.c_str(), nullptr));
      if (!resolved) return TError{"", "the folder of " + plan.Path + " cannot be resolved"};
      folder_.Absolute = resolved.get();
    }
    const std::string folder = folder_.Absolute == "/" ? "" : folder_.Absolute;
    return TJournalRecord{info.st_dev, info.st_ino, folder + "/" + name,
                          folder + "/" + plan.NewName};
  }

  std::optional<TSkip> Apply(const TRenamePlan& plan) override {
    std::string name;
    struct stat info {};
    if (std::optional<TSkip> failure = Open(plan.Path, &name, &info)) return failure;
    const int dir = folder_.Fd.get();
    return MoveNoReplaceAt(dir, name, dir, plan.NewName, S_ISDIR(info.st_mode));
  }

 private:
  // The folder of the last path, reused while the paths stay in it.
  struct TFolder {
    std::string Given;  // the folder part as the user gave it ("" for ".")
    TUniqueFd Fd;       // opened with O_PATH
    dev_t Device = 0;
    ino_t Inode = 0;
    std::optional<bool> Writable;  // names in it may be changed; asked when first needed
    std::string Absolute;          // as the kernel resolves it, for the journal; made when needed
  };

  // Opens the folder of path (unless it is open) and stats the file in it.
  std::optional<TSkip> Open(const std::string& path, std::string* name, struct stat* info) {
    TSplitPath split = Split(path);
    if (split.Name.empty() || split.Name == "." || split.Name == "..") {
      return TSkip{TSkipReason::kMissing, {}};
    }
    if (!folder_.Fd || folder_.Given != split.Folder) {
      const std::string folder = split.Folder.empty() ? "." : split.Folder;
      folder_ = TFolder();
      folder_.Fd.reset(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
      struct stat folder_info {};
      if (!folder_.Fd || fstat(folder_.Fd.get(), &folder_info) != 0) {
        const int error = errno;
        folder_.Fd.reset();
        return SkipOfErrno(error, {});
      }
      folder_.Given = split.Folder;
      folder_.Device = folder_info.st_dev;
      folder_.Inode = folder_info.st_ino;
    }
    *name = std::move(split.Name);
    if (fstatat(folder_.Fd.get(), name->c_str(), info, AT_SYMLINK_NOFOLLOW) != 0) {
      return SkipOfErrno(errno, {});
    }
    return std::nullopt;
  }

  // A name in the open folder, as the run core compares names.
  std::string Key(const std::string& name) const {
    return std::to_string(folder_.Device) + ":" + std::to_string(folder_.Inode) + "/" + name;
  }

  std::vector<TRule> rules_;
  std::vector<TLookalike> lookalikes_;
  TFileNameOptions options_;
  bool from1251_;
  TFolder folder_;
};

}  // namespace

std::unique_ptr<TRenamer> MakeLinuxRenamer(std::vector<TRule> rules,
                                           const TFileNameOptions& options, bool from1251) {
  return std::make_unique<TLinuxRenamer>(std::move(rules), options, from1251);
}
