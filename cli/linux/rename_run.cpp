#include "cli/linux/rename_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/core/linux_name.h"
#include "cli/linux/file_ops.h"

namespace {

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
  TLinuxRenamer(TFolderTree& folders, std::vector<TRule> rules, const TFileNameOptions& options,
                bool from1251)
      : folders_(folders),
        rules_(std::move(rules)),
        lookalikes_(ActiveLookalikes(rules_, options.Direction)),
        options_(options),
        from1251_(from1251) {}

  std::variant<TRenamePlan, TFileOutcome> Plan(const std::string& path) override {
    TFileOutcome outcome;
    TOpened opened;
    if (std::optional<TSkip> failure = Open(path, &opened)) {
      outcome.Skip = *failure;
      return outcome;
    }
    std::variant<std::string, TSkip> renamed =
        NewLinuxName(opened.Name, rules_, lookalikes_, options_, from1251_);
    if (auto* skip = std::get_if<TSkip>(&renamed)) {
      outcome.Skip = *skip;
      return outcome;
    }
    const std::string& new_name = std::get<std::string>(renamed);
    outcome.NewPath = Split(path).Prefix + new_name;
    if (new_name == opened.Name) {
      outcome.Kind = TFileOutcome::TKind::kUnchanged;
      return outcome;
    }
    if (std::optional<TSkip> problem = LinuxNameProblem(new_name)) {
      outcome.Skip = *problem;
      return outcome;
    }
    TRenamePlan plan;
    plan.Path = path;
    plan.NewPath = outcome.NewPath;
    plan.NewName = new_name;
    plan.OldKey = Key(opened, opened.Name);
    plan.NewKey = Key(opened, new_name);
    return plan;
  }

  bool NameTaken(const TRenamePlan& plan) override {
    TOpened opened;
    if (Open(plan.Path, &opened)) return false;  // Apply says why
    struct stat info {};
    return fstatat(opened.Dir, plan.NewName.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ||
           errno != ENOENT;
  }

  std::optional<TSkip> Refusal(const TRenamePlan& plan) override {
    TOpened opened;
    if (std::optional<TSkip> failure = Open(plan.Path, &opened)) return failure;
    return RenameRefusalAt(opened.Dir, opened.Name);
  }

  TResult<TJournalRecord> Record(const TRenamePlan& plan) override {
    TOpened opened;
    if (std::optional<TSkip> failure = Open(plan.Path, &opened)) {
      return TError{plan.Path, ReasonText(*failure)};
    }
    const std::optional<TFileIdentity> identity = IdentityAt(opened.Dir, opened.Name);
    if (!identity) return ErrorOfErrno(plan.Path, errno);
    TResult<std::string> folder = folders_.AbsolutePathOf(opened.Node);
    if (!folder) return folder.Error();
    const std::string prefix = *folder == "/" ? "/" : *folder + "/";
    TJournalRecord record;
    record.Device = identity->Device;
    record.FileId = identity->FileId;
    record.Birth = identity->Birth;
    record.OldPath = prefix + opened.Name;
    record.NewPath = prefix + plan.NewName;
    return record;
  }

  std::optional<TSkip> Apply(const TRenamePlan& plan) override {
    TOpened opened;
    if (std::optional<TSkip> failure = Open(plan.Path, &opened)) return failure;
    return MoveNoReplaceAt(opened.Dir, opened.Name, opened.Dir, plan.NewName);
  }

 private:
  struct TOpened {
    TFolderTree::TNode* Node = nullptr;
    int Dir = -1;
    std::string Name;
  };

  // Opens the folder of path and checks that the file is there.
  std::optional<TSkip> Open(const std::string& path, TOpened* opened) {
    TSplitPath split = Split(path);
    if (split.Name.empty() || split.Name == "." || split.Name == "..") {
      return TSkip{TSkipReason::kMissing, {}};
    }
    opened->Node = folders_.Walked(split.Folder);
    if (!opened->Node) opened->Node = folders_.Root(split.Folder.empty() ? "." : split.Folder);
    TResult<int> dir = folders_.Open(opened->Node);
    if (!dir) {
      // A folder the user named: the system's reason (errno survives the
      // error's making); one the walk found: what became of it.
      if (!opened->Node->Parent) return SkipOfErrno(errno, {});
      return TSkip{TSkipReason::kSystemError, ErrorText(dir.Error())};
    }
    opened->Dir = *dir;
    opened->Name = std::move(split.Name);
    struct stat info {};
    if (fstatat(opened->Dir, opened->Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return SkipOfErrno(errno, {});
    }
    return std::nullopt;
  }

  // A name in an open folder, as the run core compares names.
  static std::string Key(const TOpened& opened, const std::string& name) {
    return std::to_string(opened.Node->Device) + ":" + std::to_string(opened.Node->Inode) + "/" +
           name;
  }

  TFolderTree& folders_;
  std::vector<TRule> rules_;
  std::vector<TLookalike> lookalikes_;
  TFileNameOptions options_;
  bool from1251_;
};

}  // namespace

std::unique_ptr<TRenamer> MakeLinuxRenamer(TFolderTree& folders, std::vector<TRule> rules,
                                           const TFileNameOptions& options, bool from1251) {
  return std::make_unique<TLinuxRenamer>(folders, std::move(rules), options, from1251);
}
