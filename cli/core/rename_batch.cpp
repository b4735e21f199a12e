#include "cli/core/rename_batch.h"

#include <map>
#include <new>
#include <set>
#include <variant>

#include "cli/core/file_list.h"
#include "cli/core/hints.h"
#include "cli/core/journal_store.h"
#include "cli/core/kept_letters_report.h"
#include "cli/core/messages.h"
#include "cli/core/profile_commands.h"

namespace {

// Renames whose intents are flushed together: one flush costs as much as
// hundreds of renames.
constexpr std::size_t kGroupSize = 256;

class TRun {
 public:
  TRun(const std::string& program, const TCommandOptions& options, TCommandPlatform& platform,
       TRenamer& renamer, TConsole& console, const std::string& profilePath)
      : program_(program),
        options_(options),
        platform_(platform),
        renamer_(renamer),
        console_(console),
        journal_(platform, platform.CurrentFolder()),
        profile_path_(profilePath) {}

  TResult<TExitStatus> Go(const TFileList& list) {
    for (const TError& error : list.Errors) console_.Err(ErrorLine(program_, error));
    counts_.Skipped = list.Errors.size();
    TProgress progress(console_, list.Paths.size(), Quiet());
    bool stopped = false;
    try {
      for (std::size_t first = 0; first < list.Paths.size() && !stopped; first += kGroupSize) {
        const std::size_t end = std::min(list.Paths.size(), first + kGroupSize);
        std::vector<TFileOutcome> outcomes;
        stopped = !RunGroup(list.Paths, first, end, &outcomes);
        if (journal_failure_ && renamed_ == 0) {
          return TError{_("no undo journal, nothing renamed"), ErrorText(*journal_failure_)};
        }
        for (std::size_t i = 0; i < outcomes.size(); ++i) {
          if (outcomes[i].Kind != TFileOutcome::TKind::kSkipped) {
            const std::string& path = list.Paths[first + i];
            kept_.Add(platform_.NameOf(outcomes[i].NewPath.empty() ? path : outcomes[i].NewPath));
          }
          const TOutcomeLines lines = TallyOutcome(program_, list.Paths[first + i], outcomes[i],
                                                   options_.Verbosity, options_.Print0, &counts_);
          if (!lines.Out.empty()) console_.Out(lines.Out);
          if (!lines.Err.empty()) {
            progress.Clear();
            console_.Err(lines.Err);
          }
          progress.Step(first + i + 1);
        }
      }
      journal_.Flush();  // the last completions; undo does without them
    } catch (const std::bad_alloc&) {
      if (renamed_ == 0) throw;  // nothing touched: the run core says so
      out_of_memory_ = true;
    }
    if (out_of_memory_) {
      if (renamed_ == 0) throw std::bad_alloc();  // nothing touched: the run core says so
      return Stop(progress, Format(_("out of memory after %s renames"), std::to_string(renamed_)),
                  TExitStatus::kSomeFilesKept);
    }
    if (interrupted_) {
      return Stop(progress, Format(_("interrupted after %s renames"), std::to_string(renamed_)),
                  TExitStatus::kInterrupted);
    }
    if (journal_failure_) {
      return Stop(progress, Format(_("stopped: no undo journal: %s"), ErrorText(*journal_failure_)),
                  TExitStatus::kSomeFilesKept);
    }
    progress.Clear();
    if (!Quiet()) {
      console_.Err(SummaryLine(counts_, options_.DryRun) +
                   KeptLettersReport(platform_, profile_path_, options_, kept_, "name"));
    }
    return counts_.Skipped == 0 ? TExitStatus::kOk : TExitStatus::kSomeFilesKept;
  }

 private:
  bool Quiet() const { return options_.Verbosity == TVerbosity::kQuiet; }

  TExitStatus Stop(TProgress& progress, const std::string& why, TExitStatus status) {
    console_.FlushOut();
    progress.Clear();
    console_.Err(ErrorLine(program_, {"", why}));
    if (!Quiet()) console_.Err(SummaryLine(counts_, options_.DryRun));
    return status;
  }

  // Plans, journals and renames paths[first, end): one outcome per file it
  // got to. False when the run is to stop (interrupted, out of memory, the
  // journal failed). Memory running out ends the group where it happens,
  // with the outcomes of the files before, so that every rename is told.
  bool RunGroup(const std::vector<std::string>& paths, std::size_t first, std::size_t end,
                std::vector<TFileOutcome>* outcomes) {
    std::size_t reached = 0;  // outcomes that stand, should memory run out
    try {
      return RunGroupOf(paths, first, end, outcomes, &reached);
    } catch (const std::bad_alloc&) {
      out_of_memory_ = true;
      outcomes->resize(reached);
      return false;
    }
  }

  bool RunGroupOf(const std::vector<std::string>& paths, std::size_t first, std::size_t end,
                  std::vector<TFileOutcome>* outcomes, std::size_t* reached) {
    struct TPending {
      std::size_t Index;
      TRenamePlan Plan;
      TJournalRecord Record;
      std::uint64_t Number;
    };
    std::vector<TPending> pending;
    outcomes->reserve(end - first);
    for (std::size_t i = first; i < end; ++i) {
      if (platform_.Interrupted()) {
        interrupted_ = true;
        break;
      }
      // Until the group's renames are done, only the files before the first
      // one to be renamed have outcomes that stand.
      if (pending.empty()) *reached = i - first;
      TFileOutcome& outcome = outcomes->emplace_back();
      TRenamePlan plan;
      if (!Prepare(paths[i], &plan, &outcome)) continue;
      if (options_.DryRun) {
        Claim(plan, paths[i]);
        outcome.Kind = TFileOutcome::TKind::kRenamed;
        continue;
      }
      TResult<TJournalRecord> record = renamer_.Record(plan);
      if (!record) {
        outcome.Skip = {TSkipReason::kNoJournal, ErrorText(record.Error())};
        continue;
      }
      pending.push_back({i - first, plan, *record, journal_.Intend(*record)});
      Claim(plan, paths[i]);
    }
    if (pending.empty()) {
      *reached = outcomes->size();
      return !interrupted_;
    }
    if (interrupted_) {  // nothing more is renamed, nor reported
      outcomes->resize(pending.front().Index);
      return false;
    }
    if (TMaybeError failure = journal_.Flush()) {
      journal_failure_ = failure;
      for (const TPending& file : pending) {
        (*outcomes)[file.Index].Skip = {TSkipReason::kNoJournal, ErrorText(*failure)};
      }
      return false;
    }
    for (const TPending& file : pending) {
      *reached = file.Index;
      if (platform_.Interrupted()) {
        interrupted_ = true;
        outcomes->resize(file.Index);
        break;
      }
      TFileOutcome& outcome = (*outcomes)[file.Index];
      if (std::optional<TSkip> failure = renamer_.Apply(file.Plan)) {
        outcome.Skip = *failure;
        Unclaim(file.Plan);
        journal_.Failed(file.Number);
        continue;
      }
      ++renamed_;
      outcome.Kind = TFileOutcome::TKind::kRenamed;
      TFileIdentity after;
      if (file.Record.Birth == 0) {
        // Without a birth time, the change time and size after the rename
        // tell undo whether the file is still the one renamed.
        after = platform_.IdentityAt(file.Record.NewPath).value_or(TFileIdentity());
      }
      journal_.Done(file.Number, after.Change, after.Size);
    }
    *reached = outcomes->size();
    return !interrupted_;
  }

  // Plans the rename of path into *plan: false, with *outcome filled, when
  // the file keeps its name.
  bool Prepare(const std::string& path, TRenamePlan* plan, TFileOutcome* outcome) {
    std::variant<TRenamePlan, TFileOutcome> planned = renamer_.Plan(path);
    if (auto* kept = std::get_if<TFileOutcome>(&planned)) {
      *outcome = *kept;
      return false;
    }
    *plan = std::get<TRenamePlan>(planned);
    outcome->NewPath = plan->NewPath;
    if (const auto claimant = claimed_.find(plan->NewKey); claimant != claimed_.end()) {
      outcome->Skip = {TSkipReason::kClaimed, claimant->second};
      return false;
    }
    // A change of letter case only, where case is ignored, finds the file
    // itself under its new name.
    if (plan->NewKey != plan->OldKey && !freed_.count(plan->NewKey) && renamer_.NameTaken(*plan)) {
      outcome->Skip = {TSkipReason::kTaken, plan->NewName};
      return false;
    }
    if (std::optional<TSkip> refusal = renamer_.Refusal(*plan)) {
      outcome->Skip = *refusal;
      return false;
    }
    return true;
  }

  // The run's own changes to the folders, as the platform's NameTaken does
  // not see them (a dry run makes none, and a group is planned before its
  // renames happen).
  void Claim(const TRenamePlan& plan, const std::string& path) {
    freed_.insert(plan.OldKey);
    freed_.erase(plan.NewKey);
    claimed_.emplace(plan.NewKey, path);
  }
  void Unclaim(const TRenamePlan& plan) {
    freed_.erase(plan.OldKey);
    claimed_.erase(plan.NewKey);
  }

  const std::string& program_;
  const TCommandOptions& options_;
  TCommandPlatform& platform_;
  TRenamer& renamer_;
  TConsole& console_;
  TJournalWriter journal_;
  const std::string& profile_path_;
  TRunCounts counts_;
  TKeptLetters kept_;  // letters the new names keep
  std::size_t renamed_ = 0;
  bool interrupted_ = false;
  bool out_of_memory_ = false;
  TMaybeError journal_failure_;
  std::map<std::string, std::string> claimed_;  // new keys of this run -> the path taking it
  std::set<std::string> freed_;                 // old keys this run has given up
};

}  // namespace

TResult<TExitStatus> RunRenames(const std::string& program, const TCommandOptions& options,
                                TCommandPlatform& platform, TConsole& console) {
  if (options.Recursive) {
    for (const std::string& file : options.Files) {
      if (platform.IsTreeRoot(file)) {
        return TError{file, "-r does not rename everything under the root of a file system"};
      }
    }
  }
  TResult<std::string> profile = FindProfile(platform, options.Profile);
  if (!profile) return profile.Error();
  const bool utf8_profile = IsUtf8Profile(platform, *profile);
  if (!options.DryRun) {
    // No rename without a journal to undo it by.
    TResult<std::string> folder = SafeStateFolder(platform, true);
    if (!folder) return TError{_("no undo journal, nothing renamed"), ErrorText(folder.Error())};
  }
  TResult<std::unique_ptr<TRenamer>> renamer = platform.StartRenames(*profile, options);
  if (!renamer) return renamer.Error();
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;
  if (utf8_profile && !quiet) {
    console.Err(program + ": note: " + Utf8ProfileNote(options.Profile) + "\n");
  }

  const TWalkOptions walk{options.Recursive, options.CrossFileSystems};
  TFileList list;
  for (const std::string& from0 : options.From0) {
    TResult<std::string> bytes = platform.ReadWholeFile(from0);
    if (!bytes) return bytes.Error();
    if (TMaybeError newlines = NewlineListError(from0, *bytes)) return *newlines;
    for (const std::string& path : SplitNulList(*bytes)) AddArgument(platform, path, walk, &list);
  }
  for (const std::string& file : options.Files) AddArgument(platform, file, walk, &list);
  return TRun(program, options, platform, **renamer, console, *profile).Go(list);
}
