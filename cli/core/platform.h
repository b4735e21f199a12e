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
struct TFileIdentity {
  std::uint64_t Device = 0;
  std::uint64_t FileId = 0;
  bool operator==(const TFileIdentity& other) const {
    return Device == other.Device && FileId == other.FileId;
  }
  bool operator!=(const TFileIdentity& other) const { return !(*this == other); }
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
  // Whether a --profile value is a path rather than a bare name.
  virtual bool IsPath(const std::string& value) = 0;
  virtual bool IsRegularFile(const std::string& path) = 0;
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
  // Moves from to to, never replacing anything; the reason when it failed.
  virtual std::optional<TSkip> MoveNoReplace(const std::string& from, const std::string& to) = 0;

  // --- the journal folder and its files
  // The folder, ending with a separator; the error says why there is none.
  virtual TResult<std::string> StateFolder() = 0;
  // Makes the folder (and the folders above it) readable by the user alone.
  virtual TMaybeError MakePrivateFolder(const std::string& path) = 0;
  // A new file, made for appending; an error when anything has its name.
  virtual TResult<std::unique_ptr<TJournalFile>> CreateNewFile(const std::string& path) = 0;
  // Replaces a file's bytes as one step: written beside it, moved over it.
  virtual TMaybeError ReplaceFile(const std::string& path, const std::string& bytes) = 0;
  virtual TMaybeError RemoveFile(const std::string& path) = 0;

  // --- the text filter: standard input and output; from1251 as --from-cp1251
  virtual std::unique_ptr<TTextStream> OpenTextStream(bool from1251) = 0;

  // --- the process
  virtual unsigned long ProcessId() = 0;
};
