#include "tools/linux/undo.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "tools/common/run_report.h"
#include "tools/common/undo_batch.h"
#include "tools/linux/journal_file.h"

namespace {

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Puts one file back, or says why not; with dryRun only says.
bool PutBack(const TJournalRecord& record, bool dryRun, TSkip* skip) {
  struct stat info {};
  if (lstat(record.NewPath.c_str(), &info) != 0) {
    *skip = {TSkipReason::kChanged, "nothing is at " + record.NewPath + " now"};
    return false;
  }
  if (info.st_dev != record.Device || info.st_ino != record.FileId) {
    *skip = {TSkipReason::kChanged, "another file is at " + record.NewPath + " now"};
    return false;
  }
  const char* from = record.NewPath.c_str();
  const char* to = record.OldPath.c_str();
  if (dryRun) {
    struct stat taken {};
    if (lstat(to, &taken) != 0) return true;
    *skip = {TSkipReason::kTaken, NameOf(record.OldPath)};
    return false;
  }
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
  int error = errno;
  if ((error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) && !S_ISDIR(info.st_mode)) {
    if (link(from, to) == 0) {
      if (unlink(from) == 0) return true;
      error = errno;
      unlink(to);
    } else {
      error = errno;
    }
  }
  if (error == EEXIST || error == ENOTEMPTY) {
    *skip = {TSkipReason::kTaken, NameOf(record.OldPath)};
  } else {
    *skip = {TSkipReason::kSystem, std::strerror(error)};
  }
  return false;
}

}  // namespace

int UndoNewestBatch(const std::string& program, TVerbosity verbosity, bool dryRun) {
  const std::string journal = NewestJournal();
  if (journal.empty()) {
    if (verbosity != TVerbosity::kQuiet) std::cerr << program << ": nothing to undo\n";
    return 0;
  }
  std::vector<TJournalRecord> records;
  if (!ReadJournal(journal, &records)) {
    std::cerr << program << ": " << journal << ": cannot be read as a journal\n";
    return 2;
  }
  const bool quiet = verbosity == TVerbosity::kQuiet;
  const TUndoTally tally = UndoRecords(
      program, records, quiet,
      [dryRun](const TJournalRecord& record, TSkip* skip) { return PutBack(record, dryRun, skip); },
      [](const std::string& line) { std::cout << line; },
      [](const std::string& line) {
        std::cout.flush();  // the lines come out in the order of the files
        std::cerr << line;
      });
  if (!dryRun && !RewriteJournal(journal, tally.Refused)) {
    std::cerr << program << ": " << journal << ": cannot be updated: " << std::strerror(errno)
              << "\n";
  }
  if (!quiet) {
    std::cout.flush();
    std::cerr << UndoSummaryLine(tally, dryRun);
  }
  return tally.Refused.empty() ? 0 : 1;
}
