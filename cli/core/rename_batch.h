// A run of renames: the files the arguments and --from0 lists stand for,
// each planned by the platform's renamer, refused where two files of the
// run would take one name, renamed (or, in a dry run, only asked about),
// journaled, tallied and printed, with progress and the closing summary.
#pragma once

#include <string>

#include "cli/core/command_options.h"
#include "cli/core/console.h"
#include "cli/core/platform.h"

// The exit status, or the error that stopped the run before it touched
// anything (no profile, a --from0 list that cannot be read, a failed
// set-up).
TResult<TExitStatus> RunRenames(const std::string& program, const TCommandOptions& options,
                                TCommandPlatform& platform, TConsole& console);
