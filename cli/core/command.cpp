#include "cli/core/command.h"

#include <new>

#include "cli/core/help_places.h"
#include "cli/core/messages.h"
#include "cli/core/profile_commands.h"
#include "cli/core/rename_batch.h"
#include "cli/core/text_filter.h"
#include "cli/core/undo.h"
#include "translit_version.h"

namespace {

TResult<TExitStatus> Dispatch(const std::string& program, const TCommandOptions& options,
                              TCommandPlatform& platform, TConsole& console) {
  if (options.Undo) return RunUndo(program, options, platform, console);
  if (options.Text) return RunTextFilter(program, options, platform, console);
  if (options.List) return RunProfileList(program, platform, console);
  if (!options.Check.empty()) {
    return RunProfileCheck(options.Check, options.Verbosity == TVerbosity::kQuiet, options.Reverse,
                           platform, console);
  }
  return RunRenames(program, options, platform, console);
}

}  // namespace

TExitStatus RunCommand(const std::string& program, const std::vector<std::string>& args,
                       TCommandPlatform& platform, TConsole& console) {
  try {
    TCommandOptions options;
    const TParseOutcome parsed = ParseCommandLine(program, TRANSLIT_VERSION_TEXT, args, &options);
    if (!parsed.Run) {
      if (parsed.ToStandardError) {
        console.Err(parsed.Text);
      } else {
        console.Out(parsed.Text);
        if (parsed.Help) console.Out(HelpPlaces(platform));
      }
      return parsed.Status;
    }
    const TResult<TExitStatus> status = Dispatch(program, options, platform, console);
    if (status) return *status;
    console.Err(ErrorLine(program, status.Error()));
  } catch (const std::bad_alloc&) {
    console.FlushOut();
    console.Err(ErrorLine(program, {"", _("out of memory")}));
  }
  return TExitStatus::kNothingTouched;
}
