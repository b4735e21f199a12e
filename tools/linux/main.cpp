// translit: renames Linux files by a transliteration profile, natively,
// with the engine the plug-in runs (see docs/command-line.md).
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "engine/profile.h"
#include "plugin/version.h"
#include "tools/common/command_options.h"
#include "tools/common/run_report.h"
#include "tools/linux/file_io.h"
#include "tools/linux/file_list.h"
#include "tools/linux/linux_name.h"
#include "tools/linux/profile_folder.h"
#include "tools/linux/rename_run.h"
#include "tools/linux/undo.h"

namespace {

constexpr char kProgram[] = "translit";

// Progress on standard error when the run takes long and a person watches.
class TProgress {
 public:
  TProgress(std::size_t total, bool quiet)
      : total_(total), terminal_(!quiet && isatty(STDERR_FILENO) == 1) {}
  void Step(std::size_t done) {
    if (!terminal_ || !pacer_.Due(done)) return;
    shown_ = true;
    std::cerr << ProgressLine(done, total_) << std::flush;
  }
  // Clears the line before another line goes to standard error.
  void Clear() {
    if (shown_) std::cerr << ProgressEnd() << std::flush;
    shown_ = false;
  }

 private:
  std::size_t total_;
  bool terminal_;
  bool shown_ = false;
  TProgressPacer pacer_;
};

int Run(const TCommandOptions& options) {
  const std::string profile_path = FindProfile(options.Profile);
  if (profile_path.empty()) {
    std::cerr << kProgram << ": no profile " << options.Profile << " in " << ProfileFolder()
              << " nor in the current folder\n";
    return 2;
  }
  TProfile profile;
  std::string error;
  if (!LoadProfile(profile_path, &profile, &error)) {
    std::cerr << kProgram << ": " << profile_path << ": " << error << "\n";
    return 2;
  }

  TFileList list;
  for (const std::string& from0 : options.From0) {
    std::string bytes;
    if (!ReadWholeFile(from0, &bytes)) {
      std::cerr << kProgram << ": " << from0 << ": " << std::strerror(errno) << "\n";
      return 2;
    }
    for (const std::string& path : SplitNulList(bytes)) {
      AddArgument(path, options.Recursive, &list);
    }
  }
  for (const std::string& file : options.Files) AddArgument(file, options.Recursive, &list);

  TFileNameOptions name_options;
  name_options.CaseSensitive = options.CaseSensitive;
  name_options.ReplaceInExtension = options.Extension;
  name_options.Direction = options.Reverse ? TDirection::kReverse : TDirection::kForward;
  TJournalWriter journal;
  TRenameRun run(profile.Rules, name_options, options.DryRun, options.DryRun ? nullptr : &journal);
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;

  TRunCounts counts;
  counts.Skipped = list.Errors.size();
  for (const std::string& folder_error : list.Errors) {
    std::cerr << kProgram << ": " << folder_error << "\n";
  }
  TProgress progress(list.Paths.size(), quiet);
  std::string out;  // standard output, written in blocks
  for (std::size_t i = 0; i < list.Paths.size(); ++i) {
    const std::string& path = list.Paths[i];
    const TOutcomeLines lines =
        TallyOutcome(kProgram, path, run.Rename(path), options.Verbosity, &counts);
    out += lines.Out;
    if (!lines.Err.empty()) {
      // The lines come out in the order of the files.
      std::cout << out << std::flush;
      out.clear();
      progress.Clear();
      std::cerr << lines.Err;
    }
    if (out.size() > (1 << 16)) {
      std::cout << out;
      out.clear();
    }
    progress.Step(i + 1);
  }
  journal.Finish();
  progress.Clear();
  std::cout << out << std::flush;
  if (!run.JournalError().empty()) {
    std::cerr << kProgram << ": no undo journal: " << run.JournalError() << "\n";
  }
  if (!quiet) std::cerr << SummaryLine(counts, options.DryRun);
  return counts.Skipped == 0 ? 0 : 1;
}

int Main(int argc, char** argv) {
  TCommandOptions options;
  const TParseOutcome parsed = ParseCommandLine(
      kProgram, TRANSLIT_VERSION_TEXT, std::vector<std::string>(argv + 1, argv + argc), &options);
  if (!parsed.Run) {
    (parsed.ToStandardError ? std::cerr : std::cout) << parsed.Text;
    return parsed.ExitCode;
  }
  if (options.List) return ListProfiles(std::cout, std::cerr);
  if (!options.Check.empty()) {
    return CheckProfileFile(options.Check, options.Verbosity == TVerbosity::kQuiet, std::cout,
                            std::cerr);
  }
  if (options.Undo) return UndoNewestBatch(kProgram, options.Verbosity, options.DryRun);
  return Run(options);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cout.flush();
    std::cerr << kProgram << ": out of memory\n";
    return 2;
  }
}
