// What both commands print about a run: why a file keeps its name, the
// closing summary and the progress line. Texts are UTF-8; paths are the
// user's own, as given.
//
//   SkipLine("translit", "a/Щука.txt", {TSkipReason::kTaken, "Shchuka.txt"})
//     == "translit: a/Щука.txt: not renamed: Shchuka.txt is taken\n"
//   SummaryLine({3, 1, 2}, false) == "3 renamed, 1 unchanged, 2 skipped\n"
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "cli/core/command_options.h"
#include "engine/file_name.h"

enum class TSkipReason {
  kTaken,    // Detail: the new name
  kClaimed,  // Detail: the path of the file that has the new name already
  kTooLong,  // Detail: the new name's length in bytes
  kEmpty,
  kDotName,    // the new name would be "." or ".."; Detail: which
  kSeparator,  // the new name holds a "/" (or on Windows another reserved character)
  kNulByte,
  kReservedCharacter,   // Windows: Detail is one of \ : * ? " < > |, empty for a control character
  kDeviceName,          // Windows: Detail is the new name
  kTrailingDotOrSpace,  // Windows
  kOldNameEndsInDotOrSpace,  // Windows cannot open the file by such a name
  kPathTooLong,              // Windows: the new path would be over 259 characters
  kOutside1251,              // Windows: the name holds characters the code page lacks
  kNotUtf8,                  // Linux: the name is not UTF-8 (and --from-cp1251 was not given)
  kFolderNeedsNoReplace,     // the file system cannot rename a folder without the risk of replacing
  kProfileUnreadable,        // the profile could not be read to say why the plug-in declined
  kDeclined,                 // the plug-in left the name as it was, for no reason it tells
  kNotRenamed,               // the plug-in's rename failed without a system error
  kCaseKept,                 // the file system kept the old letter case
  kMissing,
  kPermission,
  kChanged,        // undo: another file is at the new path now, or none
  kDamagedRecord,  // undo: the record is not one a rename wrote; Detail: why
  kReadOnlyFileSystem,
  kImmutable,     // the file or its folder may not be changed (chattr +i, +a)
  kMountPoint,    // another file system is mounted there
  kStickyFolder,  // a folder where only a file's owner may rename it
  kNoJournal,     // the journal could not hold the rename; Detail: why
  kSystemError,   // Detail: the system's own words
};

struct TSkip {
  TSkipReason Reason = TSkipReason::kSystemError;
  std::string Detail;
};

// One entry of a platform's table from its system error codes to reasons.
struct TErrorReason {
  long Code;
  TSkipReason Reason;
};

// The skip for a reason found for newName: kTaken names newName, kTooLong
// its length in bytes; other reasons carry no detail.
TSkip SkipForNewName(TSkipReason reason, const std::string& newName);

// Why a file keeps its name, from the error code of the call that failed, by
// the platform's table: a code the table lacks is told in the system's own
// words, systemWords().
template <std::size_t N, typename Words>
TSkip SkipOfErrorCode(long code, const TErrorReason (&table)[N], const std::string& newName,
                      Words systemWords) {
  for (const TErrorReason& entry : table) {
    if (entry.Code == code) return SkipForNewName(entry.Reason, newName);
  }
  return {TSkipReason::kSystemError, systemWords()};
}

// Why Windows cannot hold a new name (name1251, as the engine's
// CheckFileName found it): {kReservedCharacter, ':'} -> {kReservedCharacter, ":"}.
// kDeclined for a name without a problem.
TSkip SkipOfFileNameCheck(const TFileNameCheck& check, std::string_view name1251);

// The reason as a phrase: "Shchuka.txt is taken".
std::string ReasonText(const TSkip& skip);

// "PROGRAM: PATH: not renamed: REASON\n" (undo: "not put back"), the path
// shown as ShownName shows it.
std::string SkipLine(const std::string& program, const std::string& path, const TSkip& skip,
                     bool undo = false);

struct TRunCounts {
  std::size_t Renamed = 0;
  std::size_t Unchanged = 0;
  std::size_t Skipped = 0;
};

// What became of one file.
struct TFileOutcome {
  enum class TKind { kRenamed, kUnchanged, kSkipped } Kind = TKind::kSkipped;
  std::string NewPath;  // the user's form: the given folder part and the new name
  TSkip Skip;
};

// "FROM -> TO\n" with the names shown as ShownName shows them, or with
// print0 "FROM\0TO\0" as they are.
std::string MoveLine(const std::string& from, const std::string& to, bool print0);

// What a run prints for one file: its MoveLine for standard output (nothing
// with -q), "PATH (unchanged)\n" with -v (not with print0), or the skip line
// for standard error. Counts the outcome into *counts.
struct TOutcomeLines {
  std::string Out;
  std::string Err;
};
TOutcomeLines TallyOutcome(const std::string& program, const std::string& shownPath,
                           const TFileOutcome& outcome, TVerbosity verbosity, bool print0,
                           TRunCounts* counts);

// "N renamed, M unchanged, K skipped\n", or for a dry run
// "dry run, nothing renamed: N would be renamed, M unchanged, K would be skipped\n".
std::string SummaryLine(const TRunCounts& counts, bool dryRun);

// The progress line, to be rewritten in place: "\r12,345 of 20,000 files".
std::string ProgressLine(std::size_t done, std::size_t total);

// Clears what ProgressLine wrote.
std::string ProgressEnd();

// When the progress line is due: once the run has taken a second, at most
// ten times a second, looked at every 32 files.
class TProgressPacer {
 public:
  bool Due(std::size_t done);

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_{};
};

// Control bytes (below 32, and 127) in caret notation, as cat -v shows
// them: "a\tb" -> "a^Ib". Other bytes pass unchanged.
std::string CaretControlBytes(std::string_view text);
