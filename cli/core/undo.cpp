#include "cli/core/undo.h"

#include <vector>

#include "cli/core/messages.h"
#include "cli/core/shown_path.h"
#include "cli/core/undo_simulation.h"

namespace {

constexpr char kLockName[] = "undo.lock";

// Where a put-back looks and moves: the disk, or a dry run's simulation.
class TUndoTree {
 public:
  TUndoTree(TCommandPlatform& platform, bool dryRun)
      : platform_(platform), simulation_(platform), dry_run_(dryRun) {}

  std::optional<TFileIdentity> IdentityAt(const std::string& path) {
    return dry_run_ ? simulation_.IdentityAt(path) : platform_.IdentityAt(path);
  }
  std::optional<TSkip> Move(const std::string& from, const std::string& to,
                            const TFileIdentity& identity) {
    if (!dry_run_) return platform_.MoveNoReplace(from, to);
    if (std::optional<TSkip> refusal = platform_.RenameRefusal(from)) return refusal;
    simulation_.Move(from, to, identity);
    return std::nullopt;
  }

 private:
  TCommandPlatform& platform_;
  TUndoSimulation simulation_;
  bool dry_run_;
};

bool SameIdentity(const TJournalRecord& record, const TFileIdentity& found) {
  return found.Device == record.Device && found.FileId == record.FileId &&
         (record.Birth == 0 || found.Birth == 0 || found.Birth == record.Birth);
}

// Puts one rename back in tree, or says why not. *moved tells whether it
// moved the file: a file at its old name already (the rename never
// happened, or an undo cut short put it back) needs nothing.
std::optional<TSkip> PutBack(TCommandPlatform& platform, TUndoTree& tree,
                             const TBatchRename& rename, bool* moved) {
  *moved = false;
  const TJournalRecord& record = rename.Record;
  // A transliteration changes the last component only: anything else is not
  // a record this program wrote.
  if (record.OldPath == record.NewPath ||
      platform.FolderOf(record.OldPath) != platform.FolderOf(record.NewPath) ||
      platform.FolderOf(record.OldPath).empty()) {
    return TSkip{TSkipReason::kDamagedRecord, _("its names are not in one folder")};
  }
  const std::optional<TFileIdentity> at_new = tree.IdentityAt(record.NewPath);
  const bool same_entry = platform.SameEntryName(record.OldPath, record.NewPath);
  if (!at_new || !SameIdentity(record, *at_new)) {
    // Never renamed (a crash before the rename), or put back already.
    const std::optional<TFileIdentity> at_old =
        same_entry ? at_new : tree.IdentityAt(record.OldPath);
    if (at_old && SameIdentity(record, *at_old) && !IdentityMismatch(rename, *at_old)) {
      return std::nullopt;
    }
  }
  if (!at_new)
    return TSkip{TSkipReason::kChanged, Format(_("nothing is at %s now"), record.NewPath)};
  if (std::optional<std::string> mismatch = IdentityMismatch(rename, *at_new)) {
    return TSkip{TSkipReason::kChanged, *mismatch};
  }
  if (!same_entry && tree.IdentityAt(record.OldPath)) {
    return TSkip{TSkipReason::kTaken, platform.NameOf(record.OldPath)};
  }
  std::optional<TSkip> failure = tree.Move(record.NewPath, record.OldPath, *at_new);
  if (failure && failure->Reason == TSkipReason::kTaken) {
    failure->Detail = platform.NameOf(record.OldPath);
  }
  *moved = !failure;
  return failure;
}

// Whether a batch has renames of files in one of the folders (or below) to
// put back, or, with nothing but damaged stretches left, ran there.
bool Touches(TCommandPlatform& platform, const TBatch& batch,
             const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    for (const TBatchRename& rename : batch.Renames) {
      if (!rename.PutBack && platform.IsInside(rename.Record.OldPath, folder)) return true;
    }
    if (batch.Remaining() == 0 && !batch.Where.empty() && platform.IsInside(batch.Where, folder)) {
      return true;
    }
  }
  return false;
}

std::string BatchLine(const TBatch& batch) {
  const std::size_t renames = batch.Renames.size();
  std::string line =
      batch.Id + "  " + ShownName(batch.Where.empty() ? "?" : batch.Where) + "  " +
      Format(renames == 1 ? _("%s rename, %s put back") : _("%s renames, %s put back"),
             std::to_string(renames), std::to_string(renames - batch.Remaining()));
  if (!batch.Damaged.empty()) {
    line += Format(_(", %s damaged"), std::to_string(batch.Damaged.size()));
  }
  return line + "\n";
}

std::string DamagedLine(const std::string& program, const TBatch& batch,
                        const TDamagedStretch& damaged) {
  return ErrorLine(program, {batch.Path, Format(_("line %s: damaged; kept in the journal"),
                                                std::to_string(damaged.Line))});
}

// The batch --undo works on: by its ID, or the newest that touches folders.
// Journals with nothing left are removed on the way (not in a dry run).
TResult<std::optional<TBatch>> ChooseBatch(TCommandPlatform& platform,
                                           const TCommandOptions& options,
                                           const std::vector<std::string>& journals,
                                           const std::vector<std::string>& folders) {
  const std::string& wanted = !options.Forget.empty() ? options.Forget : options.Batch;
  for (const std::string& path : journals) {
    TResult<TBatch> batch = ReadBatch(platform, path);
    if (!batch) return batch.Error();
    if (!wanted.empty()) {
      if (batch->Id == wanted) return std::optional<TBatch>(std::move(*batch));
      continue;
    }
    if (batch->Remaining() == 0 && batch->Damaged.empty()) {
      if (!options.DryRun) platform.RemoveFile(path);
      continue;
    }
    if (Touches(platform, *batch, folders)) return std::optional<TBatch>(std::move(*batch));
  }
  if (!wanted.empty()) return TError{wanted, _("no such batch (--undo --list shows them)")};
  return std::optional<TBatch>();
}

}  // namespace

std::optional<std::string> IdentityMismatch(const TBatchRename& rename,
                                            const TFileIdentity& found) {
  const TJournalRecord& record = rename.Record;
  if (found.Device != record.Device || found.FileId != record.FileId) {
    return Format(_("another file is at %s now"), record.NewPath);
  }
  if (record.Birth != 0 && found.Birth != 0) {
    if (found.Birth == record.Birth) return std::nullopt;
    return Format(_("another file is at %s now, made after the rename"), record.NewPath);
  }
  // A folder changes with what it holds: its number alone tells it.
  if (rename.Done && rename.Change != 0 && !found.IsFolder &&
      (found.Change != rename.Change || found.Size != rename.Size)) {
    return Format(_("the file at %s was changed or replaced after the rename"), record.NewPath);
  }
  return std::nullopt;
}

TResult<TExitStatus> RunUndo(const std::string& program, const TCommandOptions& options,
                             TCommandPlatform& platform, TConsole& console) {
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;
  const bool dry_run = options.DryRun;
  TResult<std::vector<std::string>> journals = JournalsNewestFirst(platform);
  if (!journals) return journals.Error();
  if (options.List) {
    for (const std::string& path : *journals) {
      TResult<TBatch> batch = ReadBatch(platform, path);
      console.Out(batch ? BatchLine(*batch) : ErrorText(batch.Error()) + "\n");
    }
    return TExitStatus::kOk;
  }
  if (journals->empty()) {
    if (!quiet) console.Err(ErrorLine(program, {"", _("nothing to undo")}));
    return TExitStatus::kOk;
  }

  // One undo at a time: a second one waits, then reads the journals afresh.
  std::unique_ptr<TLock> lock;
  if (!dry_run) {
    TResult<std::string> state_folder = platform.StateFolder();  // ends with a separator
    if (!state_folder) return state_folder.Error();
    const std::string lock_path = *state_folder + kLockName;
    TResult<std::unique_ptr<TLock>> held = platform.LockFile(lock_path, false);
    if (!held) {
      console.Err(program + ": " + _("another --undo is running; waiting for it") + "\n");
      held = platform.LockFile(lock_path, true);
      if (!held) return held.Error();
      journals = JournalsNewestFirst(platform);
      if (!journals) return journals.Error();
    }
    lock = std::move(*held);
  }

  std::vector<std::string> folders;
  for (const std::string& folder : options.Files) {
    std::optional<std::string> absolute = platform.AbsolutePath(folder);
    if (!absolute) return TError{folder, _("no such folder")};
    folders.push_back(*absolute);
  }
  if (folders.empty()) folders.push_back(platform.CurrentFolder());
  TResult<std::optional<TBatch>> chosen = ChooseBatch(platform, options, *journals, folders);
  if (!chosen) return chosen.Error();
  if (!*chosen) {
    if (!quiet) console.Err(ErrorLine(program, {"", _("nothing to undo here")}));
    return TExitStatus::kOk;
  }
  TBatch& batch = **chosen;

  if (!options.Forget.empty()) {
    for (const TBatchRename& rename : batch.Renames) {
      if (rename.PutBack) continue;
      console.Err(ErrorLine(program, {rename.Record.NewPath,
                                      Format(_("will never be put back to %s"),
                                             ShownName(platform.NameOf(rename.Record.OldPath)))}));
    }
    for (const TDamagedStretch& damaged : batch.Damaged) {
      console.Err(ErrorLine(program, {batch.Path, Format(_("line %s: damaged; dropped"),
                                                         std::to_string(damaged.Line))}));
    }
    if (dry_run) return TExitStatus::kOk;
    if (TMaybeError error = platform.RemoveFile(batch.Path)) return *error;
    if (!quiet) console.Err(Format(_("batch %s forgotten"), batch.Id) + "\n");
    return TExitStatus::kOk;
  }

  TUndoTree tree(platform, dry_run);
  const std::string here = platform.CurrentFolder();  // paths under it are shown relative
  const bool print0 = options.Print0;                 // raw, whole paths for scripts
  std::size_t put_back = 0, refused = 0;
  std::vector<std::uint64_t> numbers;  // put back by this undo
  for (auto rename = batch.Renames.rbegin(); rename != batch.Renames.rend(); ++rename) {
    if (rename->PutBack) continue;
    bool moved = false;
    if (std::optional<TSkip> skip = PutBack(platform, tree, *rename, &moved)) {
      console.Err(SkipLine(program, ShownPath(rename->Record.NewPath, here), *skip, true));
      ++refused;
      continue;
    }
    rename->PutBack = true;
    numbers.push_back(rename->Number);
    if (!moved) continue;
    ++put_back;
    if (!quiet) {
      console.Out(print0 ? MoveLine(rename->Record.NewPath, rename->Record.OldPath, true)
                         : MoveLine(ShownPath(rename->Record.NewPath, here),
                                    ShownPath(rename->Record.OldPath, here), false));
    }
  }
  for (const TDamagedStretch& damaged : batch.Damaged) {
    console.Err(DamagedLine(program, batch, damaged));
  }
  // The journal keeps only what remains; should it not be rewritten, it
  // learns at least what was put back.
  if (!dry_run && !numbers.empty()) {
    if (TMaybeError error = CompactBatch(platform, batch)) {
      console.Err(
          ErrorLine(program, {batch.Path, Format(_("cannot be updated: %s"), ErrorText(*error))}));
      NotePutBack(platform, batch, numbers);
    }
  }
  if (!quiet) {
    console.Err(UndoSummaryLine(put_back, refused + batch.Damaged.size(), dry_run, batch.Id));
  }
  return refused == 0 && batch.Damaged.empty() ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
}

std::string UndoSummaryLine(std::size_t putBack, std::size_t refused, bool dryRun,
                            const std::string& batchId) {
  const std::string put_back = std::to_string(putBack);
  if (dryRun) {
    return Format(_("dry run, nothing put back: %s would be put back, %s would not"), put_back,
                  std::to_string(refused)) +
           "\n";
  }
  if (refused == 0) return Format(_("%s put back, 0 not put back"), put_back) + "\n";
  return Format(_("%s put back, %s not put back (still in the journal: --undo tries them again, "
                  "--undo --forget %s drops them)"),
                put_back, std::to_string(refused), batchId) +
         "\n";
}
