// translit-host: a command-line stand-in for the host application. It loads
// Plugins\translit.dll from its own folder and drives it through the
// exported entry points as the host does, calling process for every file.
// The options, printed lines and exit status are those of
// docs/command-line.md, shared with the Linux command.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "plugin/version.h"
#include "tools/common/command_options.h"
#include "tools/common/run_report.h"
#include "tools/host/console.h"
#include "tools/host/file_list.h"
#include "tools/host/journal.h"
#include "tools/host/out_of_memory.h"
#include "tools/host/plugin.h"
#include "tools/host/profile_folder.h"
#include "tools/host/rename_run.h"
#include "tools/host/text.h"

// The C runtime expands wildcards in the arguments (cmd.exe leaves
// "*.txt" to the program); a pattern that matches nothing stays as it is.
extern "C" {
int _dowildcard = -1;
}

namespace {

constexpr char kProgram[] = "translit-host";

int Run(const TCommandOptions& options) {
  TTemporaryHostFolder temporary;
  TProfileSetup profile;
  std::string error;
  if (!SetUpProfile(options.Profile, &temporary, &profile, &error)) {
    Err(std::string(kProgram) + ": " + error + "\n");
    return 2;
  }
  SetOutOfMemoryCause("the profile " + options.Profile + " does not fit in memory");

  TFileList list;
  for (const std::string& from0 : options.From0) {
    std::string bytes;
    if (!ReadFrom0(from0, &bytes, &error)) {
      Err(std::string(kProgram) + ": " + error + "\n");
      return 2;
    }
    for (const std::string& path : SplitNulList(bytes)) {
      AddArgument(path, options.Recursive, &list);
    }
  }
  for (const std::string& file : options.Files) AddArgument(file, options.Recursive, &list);

  const std::wstring dll = OwnFolder() + L"Plugins\\translit.dll";
  TPlugin plugin(dll);
  if (!plugin.Loaded()) {
    Err(std::string(kProgram) + ": cannot load " + Utf8FromWide(dll) + "\n");
    return 2;
  }
  TProcessOptions process_options;
  process_options.ProfileName = profile.Name;
  process_options.CaseSensitive = options.CaseSensitive;
  process_options.Extension = options.Extension;
  process_options.Reverse = options.Reverse;
  plugin.Start(profile.HostDir, process_options);

  TFileNameOptions name_options;
  name_options.CaseSensitive = options.CaseSensitive;
  name_options.ReplaceInExtension = options.Extension;
  name_options.Direction = options.Reverse ? TDirection::kReverse : TDirection::kForward;
  TJournalWriter journal;
  TRenameRun run(plugin, profile.Path, name_options, options.DryRun ? nullptr : &journal);
  const bool quiet = options.Verbosity == TVerbosity::kQuiet;

  TRunCounts counts;
  counts.Skipped = list.Errors.size();
  for (const auto& [folder, skip] : list.Errors) Err(SkipLine(kProgram, folder, skip));
  TProgress progress(list.Files.size(), quiet);
  for (std::size_t i = 0; i < list.Files.size(); ++i) {
    const TFileEntry& file = list.Files[i];
    const TOutcomeLines lines =
        TallyOutcome(kProgram, file.Shown, run.Rename(file), options.Verbosity, &counts);
    if (!lines.Out.empty()) Out(lines.Out);
    if (!lines.Err.empty()) {
      progress.Clear();
      Err(lines.Err);
    }
    progress.Step(i + 1);
  }
  progress.Clear();
  if (!run.JournalError().empty()) {
    Err(std::string(kProgram) + ": no undo journal: " + run.JournalError() + "\n");
  }
  if (!quiet) Err(SummaryLine(counts, options.DryRun));
  return counts.Skipped == 0 ? 0 : 1;
}

// --info, alone: the plug-in's identity record, as ./translit.sh demo shows it.
int PrintIdentity() {
  const std::wstring dll = OwnFolder() + L"Plugins\\translit.dll";
  TPlugin plugin(dll);
  if (!plugin.Loaded()) {
    Err(std::string(kProgram) + ": cannot load " + Utf8FromWide(dll) + "\n");
    return 2;
  }
  const TPluginInfo info = plugin.Identity();
  auto field = [](const char* text, std::size_t size) {
    return Utf8From1251(std::string_view(text, strnlen(text, size))) + "\n";
  };
  Out("Version:      " + field(info.Version, sizeof info.Version));
  Out("Name:         " + field(info.Name, sizeof info.Name));
  Out("Type:         " + field(info.PluginType, sizeof info.PluginType));
  Out("Display name: " + field(info.DisplayName, sizeof info.DisplayName));
  Out("File mask:    " + field(info.FileMask, sizeof info.FileMask));
  Out("Options size: " + std::to_string(info.OptionsSize) + " bytes\n");
  return 0;
}

int Main(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--info") return PrintIdentity();
  TCommandOptions options;
  const TParseOutcome parsed = ParseCommandLine(kProgram, TRANSLIT_VERSION_TEXT, args, &options);
  if (!parsed.Run) {
    if (parsed.ToStandardError) {
      Err(parsed.Text);
    } else {
      Out(parsed.Text);
    }
    return parsed.ExitCode;
  }
  if (options.List) return ListProfiles(kProgram);
  if (!options.Check.empty()) {
    return RunProfileCheck(kProgram, options.Check, options.Verbosity == TVerbosity::kQuiet);
  }
  if (options.Undo) return UndoNewestBatch(kProgram, options.Verbosity, options.DryRun);
  return Run(options);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CatchOutOfMemory(kProgram);
  int status = 2;
  try {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    status = Main(args);
  } catch (const std::bad_alloc&) {
    Err(std::string(kProgram) + ": out of memory\n");
  }
  FlushOut();
  return status;
}
