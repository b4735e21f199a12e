#include "tools/common/undo_batch.h"

#include <algorithm>

TUndoTally UndoRecords(const std::string& program, const std::vector<TJournalRecord>& records,
                       bool quiet,
                       const std::function<bool(const TJournalRecord&, TSkip*)>& putBack,
                       const std::function<void(const std::string&)>& out,
                       const std::function<void(const std::string&)>& err) {
  TUndoTally tally;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    TSkip skip;
    if (putBack(*record, &skip)) {
      ++tally.PutBack;
      if (!quiet) out(record->NewPath + " -> " + record->OldPath + "\n");
    } else {
      err(SkipLine(program, record->NewPath, skip, true));
      tally.Refused.push_back(*record);
    }
  }
  std::reverse(tally.Refused.begin(), tally.Refused.end());
  return tally;
}

std::string UndoSummaryLine(const TUndoTally& tally, bool dryRun) {
  const std::string put_back = std::to_string(tally.PutBack);
  const std::string refused = std::to_string(tally.Refused.size());
  if (dryRun) {
    return "dry run, nothing put back: " + put_back + " would be put back, " + refused +
           " would not\n";
  }
  return put_back + " put back, " + refused + " not put back" +
         (tally.Refused.empty() ? "" : " (still in the journal; --undo tries them again)") + "\n";
}
