#include "cli/core/rename_batch.h"

#include <map>
#include <set>
#include <variant>

#include "cli/core/file_list.h"
#include "cli/core/journal_store.h"
#include "cli/core/kept_letters_report.h"
#include "cli/core/profile_commands.h"

namespace {

// One file's way through the run.
class TBatch {
 public:
  TBatch(TRenamer& renamer, TJournalWriter* journal) : renamer_(renamer), journal_(journal) {}

  TFileOutcome Rename(const std::string& path) {
    std::variant<TRenamePlan, TFileOutcome> planned = renamer_.Plan(path);
    if (auto* outcome = std::get_if<TFileOutcome>(&planned)) return *outcome;
    const TRenamePlan& plan = std::get<TRenamePlan>(planned);
    TFileOutcome outcome;
    outcome.NewPath = plan.NewPath;
    if (const auto claimant = claimed_.find(plan.NewKey); claimant != claimed_.end()) {
      outcome.Skip = {TSkipReason::kClaimed, claimant->second};
      return outcome;
    }
    // A change of letter case only, where case is ignored, finds the file
    // itself under its new name.
    if (plan.NewKey != plan.OldKey && !freed_.count(plan.NewKey) && renamer_.NameTaken(plan)) {
      outcome.Skip = {TSkipReason::kTaken, plan.NewName};
      return outcome;
    }
    if (std::optional<TSkip> refusal = renamer_.Refusal(plan)) {
      outcome.Skip = *refusal;
      return outcome;
    }
    if (journal_) {
      TResult<TJournalRecord> record = renamer_.Record(plan);
      if (std::optional<TSkip> failure = renamer_.Apply(plan)) {
        outcome.Skip = *failure;
        return outcome;
      }
      if (!journal_error_) {
        journal_error_ = record ? journal_->Append(*record) : TMaybeError(record.Error());
      }
    }
    freed_.insert(plan.OldKey);
    freed_.erase(plan.NewKey);
    claimed_.emplace(plan.NewKey, path);
    outcome.Kind = TFileOutcome::TKind::kRenamed;
    return outcome;
  }

  // Why the journal stopped, if it did: renaming goes on, and the reason is
  // printed once at the end.
  const TMaybeError& JournalError() const { return journal_error_; }

 private:
  TRenamer& renamer_;
  TJournalWriter* journal_;
  TMaybeError journal_error_;
  // The run's own changes to the folders, as the platform's NameTaken does
  // not see them (a dry run makes none):
  std::map<std::string, std::string> claimed_;  // new keys of this run -> the path taking it
  std::set<std::string> freed_;                 // old keys this run has given up
};

}  // namespace

TResult<TExitStatus> RunRenames(const std::string& program, const TCommandOptions& options,
                                TCommandPlatform& platform, TConsole& console) {
  TResult<std::string> profile = FindProfile(platform, options.Profile);
  if (!profile) return profile.Error();
  const bool utf8_profile = IsUtf8Profile(platform, *profile);
  TResult<std::unique_ptr<TRenamer>> renamer = platform.StartRenames(*profile, options);
  if (!renamer) return renamer.Error();
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;
  if (utf8_profile && !quiet) {
    console.Err(program + ": note: " + Utf8ProfileNote(options.Profile) + "\n");
  }

  TFileList list;
  for (const std::string& from0 : options.From0) {
    TResult<std::string> bytes = platform.ReadWholeFile(from0);
    if (!bytes) return bytes.Error();
    for (const std::string& path : SplitNulList(*bytes)) {
      AddArgument(platform, path, options.Recursive, &list);
    }
  }
  for (const std::string& file : options.Files) {
    AddArgument(platform, file, options.Recursive, &list);
  }

  TJournalWriter journal(platform);
  TBatch batch(**renamer, options.DryRun ? nullptr : &journal);
  TRunCounts counts;
  TKeptLetters kept;
  counts.Skipped = list.Errors.size();
  for (const TError& error : list.Errors) console.Err(ErrorLine(program, error));
  TProgress progress(console, list.Paths.size(), quiet);
  for (std::size_t i = 0; i < list.Paths.size(); ++i) {
    const std::string& path = list.Paths[i];
    const TFileOutcome outcome = batch.Rename(path);
    if (outcome.Kind != TFileOutcome::TKind::kSkipped) {
      kept.Add(platform.NameOf(outcome.NewPath.empty() ? path : outcome.NewPath));
    }
    const TOutcomeLines lines = TallyOutcome(program, path, outcome, options.Verbosity, &counts);
    if (!lines.Out.empty()) console.Out(lines.Out);
    if (!lines.Err.empty()) {
      progress.Clear();
      console.Err(lines.Err);
    }
    progress.Step(i + 1);
  }
  TMaybeError journal_error = batch.JournalError();
  if (TMaybeError unflushed = journal.Finish(); !journal_error) journal_error = unflushed;
  progress.Clear();
  if (journal_error) {
    console.Err(ErrorLine(program, {"no undo journal", ErrorText(*journal_error)}));
  }
  if (!quiet) {
    console.Err(SummaryLine(counts, options.DryRun) +
                KeptLettersReport(platform, *profile, options, kept, "name"));
  }
  return counts.Skipped == 0 ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
}
