// Renaming one file after another on Linux, without ever replacing
// anything.
//
// Each path is split at its last "/" into its folder, opened as the kernel
// resolves it (so "link/../a" is the file the kernel finds, not a string
// rewrite of the path), and its last component, which is the name. The file
// is renamed inside that folder with renameat2(RENAME_NOREPLACE): atomic,
// refused when anything at all has the new name, and a symbolic link is
// renamed as the link it is. Where a file system lacks RENAME_NOREPLACE, a
// hard link under the new name and the removal of the old one do the same
// (a folder cannot be moved that way and keeps its name there).
//
// A dry run asks the same questions without renaming, and keeps track of
// the names the run has freed and taken, so that it refuses what the
// rename would refuse.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/file_name.h"
#include "engine/replace.h"
#include "tools/common/run_report.h"
#include "tools/linux/journal_file.h"
#include "tools/linux/unique_fd.h"

// Why a new Linux file name cannot be made, or nothing when it can: empty,
// "." or "..", a "/" or a NUL byte in it, or longer than 255 bytes.
std::optional<TSkip> LinuxNameProblem(const std::string& name);

class TRenameRun {
 public:
  // journal may be null (a dry run writes none).
  TRenameRun(const std::vector<TRule>& rules, const TFileNameOptions& options, bool dryRun,
             TJournalWriter* journal);

  // Renames the file at path (as the user gave it) by the profile.
  TFileOutcome Rename(const std::string& path);

  // Set when writing the journal failed: renaming goes on, but the reason is
  // printed once.
  const std::string& JournalError() const { return journal_error_; }

 private:
  struct TFolder {
    std::string Given;  // the folder part as the user gave it ("" for ".")
    TUniqueFd Fd;       // opened with O_PATH
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Absolute;   // as the kernel resolves it, for the journal
    bool Writable = false;  // names in it may be changed (for the dry run)
  };
  using TNameKey = std::tuple<dev_t, ino_t, std::string>;

  // The folder of the last path, reused while the paths stay in it.
  bool OpenFolder(const std::string& given, TSkip* skip);
  bool NameTaken(const std::string& name);
  bool Move(const std::string& from, const std::string& to, bool isFolder, TSkip* skip);

  const std::vector<TRule>& rules_;
  TFileNameOptions options_;
  bool dry_run_;
  TJournalWriter* journal_;
  std::string journal_error_;
  TFolder folder_;
  bool folder_open_ = false;
  std::map<TNameKey, std::string> claimed_;  // new names of this run -> the path that took it
  std::set<TNameKey> freed_;                 // old names this dry run has given up
};
