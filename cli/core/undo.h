// --undo: a batch's renames put back, last first.
//
// The batch is the newest one with renames of files in the current folder,
// or in the FOLDERs given, or below them (--batch ID picks another; --list
// lists them all). A rename is put back when the file the batch renamed is
// at its new path (by identity: a new file that took the number of a
// removed one is not it) and its old name is free; a rename whose file is
// already at its old name (it never happened, or was put back before a
// crash) counts as put back. Only a rename inside one folder is undone: a
// record that would move a file into another folder is damaged. One undo
// runs at a time; the journal keeps what could not be put back, and every
// damaged stretch, for another --undo; --forget drops them, saying what
// will never come back. With -n nothing moves and the journal stays as it
// is, while the order of the put-backs is followed as the undo would.
#pragma once

#include <optional>
#include <string>

#include "cli/core/command_options.h"
#include "cli/core/console.h"
#include "cli/core/journal_store.h"
#include "cli/core/platform.h"

// kOk when everything was (or would be) put back or there was nothing to
// undo; kSomeFilesKept when a rename was refused or the journal is damaged;
// the error when the journals cannot be read or kept safely.
TResult<TExitStatus> RunUndo(const std::string& program, const TCommandOptions& options,
                             TCommandPlatform& platform, TConsole& console);

// Why the file found at a rename's new path is not the one the batch
// renamed; nothing when it is.
std::optional<std::string> IdentityMismatch(const TBatchRename& rename, const TFileIdentity& found);

// "N put back, M not put back\n" (with a hint when renames stay in the
// journal), or for a dry run
// "dry run, nothing put back: N would be put back, M would not\n".
std::string UndoSummaryLine(std::size_t putBack, std::size_t refused, bool dryRun,
                            const std::string& batchId);
