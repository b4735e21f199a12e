#include "cli/core/undo.h"

#include <algorithm>
#include <vector>

#include "cli/core/journal_store.h"
#include "cli/core/messages.h"
#include "cli/core/shown_path.h"

std::optional<TSkip> PutBack(TCommandPlatform& platform, const TJournalRecord& record,
                             bool dryRun) {
  const std::optional<TFileIdentity> identity = platform.IdentityAt(record.NewPath);
  if (!identity) return TSkip{TSkipReason::kChanged, _("nothing is there now")};
  if (*identity != TFileIdentity{record.Device, record.FileId}) {
    return TSkip{TSkipReason::kChanged, _("another file is there now")};
  }
  const TSkip taken{TSkipReason::kTaken, platform.NameOf(record.OldPath)};
  if (dryRun) {
    // A rename of letter case only finds the file itself under its old name.
    const bool same_entry = platform.SameEntryName(record.OldPath, record.NewPath);
    if (!same_entry && platform.Exists(record.OldPath)) return taken;
    return std::nullopt;
  }
  std::optional<TSkip> failure = platform.MoveNoReplace(record.NewPath, record.OldPath);
  if (failure && failure->Reason == TSkipReason::kTaken) return taken;
  return failure;
}

TResult<TExitStatus> RunUndo(const std::string& program, const TCommandOptions& options,
                             TCommandPlatform& platform, TConsole& console) {
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;
  const bool dry_run = options.DryRun;
  TResult<std::vector<std::string>> journals = JournalsNewestFirst(platform);
  if (!journals) return journals.Error();
  // An emptied journal that could not be removed still says nothing to undo.
  std::string journal;
  std::vector<TJournalRecord> records;
  for (const std::string& path : *journals) {
    TResult<std::vector<TJournalRecord>> read = ReadJournal(platform, path);
    if (!read) return read.Error();
    records = std::move(*read);
    if (!records.empty() || dry_run || platform.RemoveFile(path)) {
      journal = path;
      break;
    }
  }
  if (journal.empty()) {
    if (!quiet) console.Err(ErrorLine(program, {"", _("nothing to undo")}));
    return TExitStatus::kOk;
  }

  const std::string current_folder = platform.CurrentFolder();
  std::size_t put_back = 0;
  std::vector<TJournalRecord> refused;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (std::optional<TSkip> skip = PutBack(platform, *record, dry_run)) {
      console.Err(SkipLine(program, ShownPath(record->NewPath, current_folder), *skip, true));
      refused.push_back(*record);
    } else {
      ++put_back;
      if (!quiet) {
        console.Out(ShownPath(record->NewPath, current_folder) + " -> " +
                    ShownPath(record->OldPath, current_folder) + "\n");
      }
    }
  }
  std::reverse(refused.begin(), refused.end());
  if (!dry_run) {
    if (TMaybeError error = RewriteJournal(platform, journal, refused)) {
      console.Err(
          ErrorLine(program, {journal, Format(_("cannot be updated: %s"), ErrorText(*error))}));
    }
  }
  if (!quiet) console.Err(UndoSummaryLine(put_back, refused.size(), dry_run));
  return refused.empty() ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
}

std::string UndoSummaryLine(std::size_t putBack, std::size_t refused, bool dryRun) {
  if (dryRun) {
    return Format(_("dry run, nothing put back: %s would be put back, %s would not"),
                  std::to_string(putBack), std::to_string(refused)) +
           "\n";
  }
  if (refused == 0) return Format(_("%s put back, 0 not put back"), std::to_string(putBack)) + "\n";
  return Format(_("%s put back, %s not put back (still in the journal; --undo tries them again)"),
                std::to_string(putBack), std::to_string(refused)) +
         "\n";
}
