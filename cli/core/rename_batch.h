// A run of renames: the files the arguments and --from0 lists stand for,
// each planned by the platform's renamer, refused where two files of the
// run would take one name, renamed (or, in a dry run, only asked about),
// journaled, tallied and printed, with progress and the closing summary.
//
// The journal is written ahead: the intents of a group of renames are on
// the disk before the first of them happens, so that no rename happens that
// the journal does not hold. Without a journal nothing is renamed.
#pragma once

#include <string>

#include "cli/core/command_options.h"
#include "cli/core/console.h"
#include "cli/core/platform.h"

// The exit status (kSomeFilesKept also when the run stopped midway: out of
// memory, the journal failing; kInterrupted after Ctrl-C), or the error
// that stopped the run before it touched anything (no profile, a --from0
// list that cannot be read, no place for the journal, a failed set-up).
TResult<TExitStatus> RunRenames(const std::string& program, const TCommandOptions& options,
                                TCommandPlatform& platform, TConsole& console);
