// --undo in both commands: the renames of a journal put back, last first,
// each by the platform's own call; what is printed, and what stays in the
// journal.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tools/common/journal_format.h"
#include "tools/common/run_report.h"

struct TUndoTally {
  std::size_t PutBack = 0;
  std::vector<TJournalRecord> Refused;  // in the order written, for the journal
};

// Calls putBack for each record, last first. A record put back prints
// "NEWPATH -> OLDPATH\n" through out (unless quiet); a refused one prints
// its skip line through err and is kept.
TUndoTally UndoRecords(const std::string& program, const std::vector<TJournalRecord>& records,
                       bool quiet,
                       const std::function<bool(const TJournalRecord&, TSkip*)>& putBack,
                       const std::function<void(const std::string&)>& out,
                       const std::function<void(const std::string&)>& err);

// "N put back, M not put back\n" (with a hint when files stay in the
// journal), or for a dry run
// "dry run, nothing put back: N would be put back, M would not\n".
std::string UndoSummaryLine(const TUndoTally& tally, bool dryRun);
