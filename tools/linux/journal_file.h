// The undo journals on disk: one file per batch in the state folder,
// $XDG_STATE_HOME/translit/ (~/.local/state/translit/ without the variable).
// File names start with the time of the batch, so the newest sorts last.
#pragma once

#include <string>
#include <vector>

#include "tools/common/journal_format.h"
#include "tools/linux/unique_fd.h"

// The folder of the journals; empty when neither variable is set.
std::string JournalFolder();

// The journal of one batch. Nothing is written until the first record: a
// batch that renames nothing leaves no journal.
class TJournalWriter {
 public:
  // Appends one record, creating the journal first when needed. False, with
  // the reason in *error, when the journal cannot be written.
  bool Append(const TJournalRecord& record, std::string* error);
  // Forces what was written to disk.
  void Finish();
  const std::string& Path() const { return path_; }

 private:
  TUniqueFd fd_;
  std::string path_;
};

// The newest journal's path; empty when there is none.
std::string NewestJournal();

// Reads a journal. False when it cannot be read or is not a journal.
bool ReadJournal(const std::string& path, std::vector<TJournalRecord>* records);

// Replaces the journal by one holding only records (deleted when empty).
bool RewriteJournal(const std::string& path, const std::vector<TJournalRecord>& records);
