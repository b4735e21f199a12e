// The undo journals on disk: one file per batch that renames something, in
// the platform's state folder, which must be the user's own and writable by
// nobody else (as ssh and gpg require of theirs). A journal's name starts
// with the batch's time (UTC, to the nanosecond where the clock has it) and
// ends with the process number, so the newest sorts last and two batches
// never share one: "20261207T142501.123456789Z-4711.journal"; the batch's
// ID is the name without ".journal".
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/core/journal_entries.h"
#include "cli/core/platform.h"

// The name of a journal begun at time by process processId.
std::string JournalName(std::chrono::system_clock::time_point time, unsigned long processId);

// The state folder, once it is known to be safe to keep journals in (made
// when asked to, and missing otherwise: then the error says so).
TResult<std::string> SafeStateFolder(TCommandPlatform& platform, bool make);

// The journal of one batch, as the renames happen. Nothing is written until
// the first intent: a batch that renames nothing leaves no journal.
class TJournalWriter {
 public:
  TJournalWriter(TCommandPlatform& platform, std::string where)
      : platform_(platform), where_(std::move(where)) {}

  // Notes the intent of a rename; its number for Done. Written by Flush.
  std::uint64_t Intend(const TJournalRecord& record);
  // Writes and forces onto the disk everything noted: no rename may happen
  // before its intent has been flushed.
  TMaybeError Flush();
  // Notes that a rename has happened (written with the next Flush).
  void Done(std::uint64_t number, std::int64_t change, std::uint64_t size);
  // Notes that a rename did not happen after all: there is nothing to put
  // back (written with the next Flush).
  void Failed(std::uint64_t number);

 private:
  TCommandPlatform& platform_;
  std::string where_;
  std::unique_ptr<TJournalFile> file_;
  std::string pending_;
  std::uint64_t next_number_ = 1;
};

// One rename of a batch, as its journal tells it.
struct TBatchRename {
  std::uint64_t Number = 0;
  TJournalRecord Record;
  bool Done = false;        // its completion was written
  std::int64_t Change = 0;  // after the rename, where Done
  std::uint64_t Size = 0;
  bool PutBack = false;
};

struct TBatch {
  std::string Path;   // of the journal
  std::string Id;     // the journal's name without ".journal"
  std::string Where;  // the folder the batch ran in; empty for journals of the first format
  std::vector<TBatchRename> Renames;  // in the order they were to happen
  std::vector<TDamagedStretch> Damaged;
  std::size_t Remaining() const;  // renames not put back
};

// The journals' full paths, newest first; none when there is no state folder.
TResult<std::vector<std::string>> JournalsNewestFirst(TCommandPlatform& platform);

// A journal read as a batch. The error when it cannot be read or is not a
// journal.
TResult<TBatch> ReadBatch(TCommandPlatform& platform, const std::string& path);

// Appends that renames have been put back (so that a second undo, or one
// after a crash, knows), and forces it onto the disk.
TMaybeError NotePutBack(TCommandPlatform& platform, const TBatch& batch,
                        const std::vector<std::uint64_t>& numbers);

// Replaces the journal, in one step, by one holding only what remains of the
// batch (renames not put back, damaged stretches as they were); removes it
// when nothing remains.
TMaybeError CompactBatch(TCommandPlatform& platform, const TBatch& batch);
