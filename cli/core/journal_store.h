// The undo journals on disk: one file per batch that renames something, in
// the platform's state folder. A journal's name starts with the batch's time
// (UTC, to the nanosecond where the clock has it) and ends with the process
// number, so the newest sorts last and two batches never share one:
// "20261207T142501.123456789Z-4711.journal".
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "cli/core/journal_format.h"
#include "cli/core/platform.h"

// The name of a journal begun at time by process processId.
std::string JournalName(std::chrono::system_clock::time_point time, unsigned long processId);

// The journal of one batch, as it is written. Nothing is written until the
// first record: a batch that renames nothing leaves no journal.
class TJournalWriter {
 public:
  explicit TJournalWriter(TCommandPlatform& platform) : platform_(platform) {}

  // Appends one record (one write, so that a crash loses at most the rename
  // under way), creating the journal first when needed.
  TMaybeError Append(const TJournalRecord& record);
  // Forces what was written onto the disk.
  TMaybeError Finish();

 private:
  TCommandPlatform& platform_;
  std::unique_ptr<TJournalFile> file_;
};

// The journals' full paths, newest first; none when there is no state folder.
TResult<std::vector<std::string>> JournalsNewestFirst(TCommandPlatform& platform);

// A journal's records. The error when it cannot be read or is not a journal.
TResult<std::vector<TJournalRecord>> ReadJournal(TCommandPlatform& platform,
                                                 const std::string& path);

// Replaces a journal by one holding only records, in one step; removes it
// when records is empty.
TMaybeError RewriteJournal(TCommandPlatform& platform, const std::string& path,
                           const std::vector<TJournalRecord>& records);
