// --undo: the newest journal's renames put back, last first, each by the
// platform's PutBack. A file is refused when nothing or another file is at
// its new path, or its old name is taken; put-back records leave the journal,
// refused ones stay for another --undo, and an emptied journal is removed,
// so the next --undo takes the batch before. Undo writes no journal: it
// never redoes. With -n nothing moves and the journal stays as it is.
#pragma once

#include <string>

#include "cli/core/command_options.h"
#include "cli/core/console.h"
#include "cli/core/platform.h"

// kOk when everything was (or would be) put back or there was nothing to
// undo; kSomeFilesKept when a file was refused; the error when the journal
// cannot be read.
TResult<TExitStatus> RunUndo(const std::string& program, const TCommandOptions& options,
                             TCommandPlatform& platform, TConsole& console);

// Puts the file of a record back under its old name, never replacing
// anything, or says why not: nothing or another file (by identity) is at the
// new path, or the old name is taken. With dryRun only says.
std::optional<TSkip> PutBack(TCommandPlatform& platform, const TJournalRecord& record, bool dryRun);

// "N put back, M not put back\n" (with a hint when files stay in the
// journal), or for a dry run
// "dry run, nothing put back: N would be put back, M would not\n".
std::string UndoSummaryLine(std::size_t putBack, std::size_t refused, bool dryRun);
