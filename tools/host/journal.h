// The undo journals on Windows: one file per batch that renames something,
// in %LOCALAPPDATA%\Translit\, named after the batch's time (UTC) so that
// the newest sorts last: "20261207-142501-123-0000004711.journal". The bytes
// are those of tools/common/journal_format.h; a file's identity is its
// volume serial number and file index, which a rename keeps.
#pragma once

#include <cstdint>
#include <string>

#include "tools/common/command_options.h"
#include "tools/common/journal_format.h"
#include "tools/host/handles.h"

// The journal folder, ending with a backslash; empty when LOCALAPPDATA is
// not set.
std::wstring JournalFolder();

struct TFileIdentity {
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  bool operator==(const TFileIdentity& other) const {
    return Volume == other.Volume && Index == other.Index;
  }
};

// The identity of the file or folder at path (a link itself, not its
// target). False when nothing can be opened there.
bool IdentityOf(const std::wstring& path, TFileIdentity* identity);

// The journal of one batch. Nothing is written until the first record: a
// batch that renames nothing leaves no journal.
class TJournalWriter {
 public:
  // Appends one record, creating the journal first when needed. False, with
  // the reason in *error, when the journal cannot be written.
  bool Append(const TJournalRecord& record, std::string* error);

 private:
  TUniqueFile file_;
};

// --undo: puts the newest batch back, last rename first. A file is refused
// when nothing or another file is at its new path, or its old name is
// taken; put-back records leave the journal, refused ones stay, and an
// emptied journal is deleted. With dryRun nothing changes. The exit status.
int UndoNewestBatch(const std::string& program, TVerbosity verbosity, bool dryRun);
