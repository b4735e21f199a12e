// What each command supplies to the run core (cli/core/command.h): the file
// system as its platform sees it, the journal folder, and the renames
// themselves: the Linux command runs the engine on UTF-8 names, translit-host
// asks the plug-in's process. Everything else (the order of the files, the
// tally, the journal's format and names, undo, what is printed and the exit
// status) is the core's, so the two commands do it alike.
//
// Paths are UTF-8 in the user's own form. Nothing here prints.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/core/command_options.h"
#include "cli/core/journal_format.h"
#include "cli/core/outcome.h"
#include "cli/core/run_report.h"

// An entry of a folder, as the walk sees it.
struct TFolderEntry {
  std::string Name;
  bool IsFolder = false;  // a real folder: a link to one is an ordinary entry, never entered
  bool OnOtherFileSystem = false;  // a folder another file system is mounted on
};

// A rename a file is to undergo, as Plan found it.
struct TRenamePlan {
  std::string Path;     // as the user gave it
  std::string NewPath;  // the user's form: the given folder part and the new name
  std::string NewName;  // the new last component
  // The old and the new name as the file system tells names apart in their
  // folder: equal keys name the same entry (a change of letter case only,
  // where case is ignored); one new key for two files of a run is a clash.
  std::string OldKey;
  std::string NewKey;
  // The platform's own forms of the old and the new path, for Record and
  // Apply, which may come long after Plan (a group is planned first).
  std::string OldFullPath;
  std::string NewFullPath;
};

// The renames of one run, by one profile and one set of options.
class TRenamer {
 public:
  virtual ~TRenamer() = default;
  // The new name of the file at path: a plan, or the outcome when the file
  // keeps its name (unchanged, or skipped with the reason).
  virtual std::variant<TRenamePlan, TFileOutcome> Plan(const std::string& path) = 0;
  // Whether anything has the new name in the folder, as it was before the
  // run (the run core itself knows which names the run has freed or taken).
  virtual bool NameTaken(const TRenamePlan& plan) = 0;
  // Any other reason the rename would be refused that can be told before it
  // (a folder the user may not change).
  virtual std::optional<TSkip> Refusal(const TRenamePlan& plan) = 0;
  // The journal record of the rename about to happen (the file's identity
  // and both names as absolute paths); an error when the journal cannot
  // hold it.
  virtual TResult<TJournalRecord> Record(const TRenamePlan& plan) = 0;
  // Renames the file, never replacing anything; the reason when it failed.
  virtual std::optional<TSkip> Apply(const TRenamePlan& plan) = 0;
};

// One file being written: the journal of a batch.
class TJournalFile {
 public:
  virtual ~TJournalFile() = default;
  virtual TMaybeError Append(const std::string& bytes) = 0;
  // Forces what was written onto the disk.
  virtual TMaybeError Flush() = 0;
};

// What makes a file the one it is, whatever its name: device and inode on
// Linux, volume serial number and file index on Windows. A rename keeps it.
// A file system may give a number of a removed file to a new one; the
// birth time (creation time on Windows) tells them apart, and where a file
// system keeps none, the change time and size after the rename do.
struct TFileIdentity {
  std::uint64_t Device = 0;
  std::uint64_t FileId = 0;
  std::int64_t Birth = 0;   // nanoseconds since 1970; 0: the file system keeps none
  std::int64_t Change = 0;  // nanoseconds since 1970
  std::uint64_t Size = 0;
  bool IsFolder = false;
};

// A lock held until the object goes.
class TLock {
 public:
  virtual ~TLock() = default;
};

// Standard input and output of the text filter (-t), as UTF-8: each
// platform reads and writes them in its own encodings.
class TTextStream {
 public:
  virtual ~TTextStream() = default;
  // Appends the next text of standard input, about atMost bytes of it read,
  // to *utf8: the number of bytes appended, 0 at the end.
  virtual TResult<std::size_t> Read(std::size_t atMost, std::string* utf8) = 0;
  virtual TMaybeError Write(std::string_view utf8) = 0;
};

class TCommandPlatform {
 public:
  virtual ~TCommandPlatform() = default;

  // --- profiles and files
  // The folder of the shipped profiles, ending with a separator.
  virtual std::string ProfileFolder() = 0;
  // Every folder a bare profile name is looked for in, in order, each
  // ending with a separator: a profile hides those of its name after it.
  virtual std::vector<std::string> ProfileFolders() { return {ProfileFolder()}; }
  // Whether a --profile value is a path rather than a bare name.
  virtual bool IsPath(const std::string& value) = 0;
  virtual bool IsRegularFile(const std::string& path) = 0;
  // What is at path when it is there but no regular file ("a folder", "a
  // FIFO", "a device"); nothing otherwise.
  virtual std::optional<std::string> OtherKindAt(const std::string& path) = 0;
  // The information line of the profile at path; nothing when unreadable.
  virtual std::optional<std::string> ProfileInformation(const std::string& path) = 0;
  // The whole file at path ("-": standard input).
  virtual TResult<std::string> ReadWholeFile(const std::string& path) = 0;

  // --- the walk
  // Whether an argument stands for the files in a folder.
  virtual bool IsFolderArgument(const std::string& path) = 0;
  // A folder's entries, without "." and "..", in any order.
  virtual TResult<std::vector<TFolderEntry>> ReadFolder(const std::string& path) = 0;
  // A folder's path joined with a name, in the user's style.
  virtual std::string JoinPath(const std::string& folder, const std::string& name) = 0;
  // The last component of a path.
  virtual std::string NameOf(const std::string& path) = 0;

  // --- renames
  // Sets up the renames by the profile at profilePath.
  virtual TResult<std::unique_ptr<TRenamer>> StartRenames(const std::string& profilePath,
                                                          const TCommandOptions& options) = 0;

  // --- undo: one file at a time, by absolute paths
  // The identity of what is at path (a link itself); nothing when nothing is.
  virtual std::optional<TFileIdentity> IdentityAt(const std::string& path) = 0;
  // Whether anything at all has the name at path.
  virtual bool Exists(const std::string& path) = 0;
  // Whether two paths name one entry (Windows ignores letter case).
  virtual bool SameEntryName(const std::string& a, const std::string& b) = 0;
  // Moves from to to (in the same folder), never replacing anything, nor
  // following a link on the way; the reason when it failed.
  virtual std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) = 0;
  // Whether the file at path could be renamed in its folder (the questions
  // the rename asks: permission, the sticky rule, the immutable attribute, a
  // mount point, a read-only file system); the reason when not.
  virtual std::optional<TSkip> RenameRefusal(const std::string& path) = 0;

  // --- the journal folder and its files
  // The folder, ending with a separator; the error says why there is none.
  virtual TResult<std::string> StateFolder() = 0;
  // Makes the folder (and the folders above it) readable by the user alone.
  virtual TMaybeError MakePrivateFolder(const std::string& path) = 0;
  // Whether the folder is fit to keep journals in: the user's own, and
  // writable by nobody else. The error says what is wrong and how to mend it.
  virtual TMaybeError CheckPrivateFolder(const std::string& path) = 0;
  // Locks the file at path (made if need be) against a second holder; with
  // wait false the error says that another holds it.
  virtual TResult<std::unique_ptr<TLock>> LockFile(const std::string& path, bool wait) = 0;
  // A new file, made for appending; an error when anything has its name.
  virtual TResult<std::unique_ptr<TJournalFile>> CreateNewFile(const std::string& path) = 0;
  // Replaces a file's bytes as one step: written beside it, moved over it.
  virtual TMaybeError ReplaceFile(const std::string& path, const std::string& bytes) = 0;
  virtual TMaybeError RemoveFile(const std::string& path) = 0;
  // Appends bytes to the file at path and forces them onto the disk.
  virtual TMaybeError AppendToFile(const std::string& path, const std::string& bytes) = 0;

  // --- the text filter: standard input and output; from1251 as --from-cp1251
  virtual std::unique_ptr<TTextStream> OpenTextStream(bool from1251) = 0;

  // --- the process
  virtual unsigned long ProcessId() = 0;
  // The current folder, absolute.
  virtual std::string CurrentFolder() = 0;
  // The absolute form of a path the user gave (for --undo FOLDER).
  virtual std::optional<std::string> AbsolutePath(const std::string& path) = 0;
  // Whether path is inside folder (or is folder), both absolute.
  virtual bool IsInside(const std::string& path, const std::string& folder) = 0;
  // The folder part of an absolute path, without its last separator.
  virtual std::string FolderOf(const std::string& path) = 0;
  // Whether path is the root of its file system's tree ("/", "C:").
  virtual bool IsTreeRoot(const std::string& path) = 0;
  // Whether Ctrl-C (or a request to end) has come; the run stops between
  // two files.
  virtual bool Interrupted() = 0;
};
