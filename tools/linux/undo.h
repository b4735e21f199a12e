// --undo: the newest journal's renames put back, last first.
#pragma once

#include <string>

#include "tools/common/command_options.h"

// With dryRun nothing moves and the journal stays as it is: the lines say
// what would be put back and what refused. Returns the exit status: 0 when
// everything was (or would be) put back, or there was nothing to undo; 1
// when a file was refused; 2 when the journal could not be read.
int UndoNewestBatch(const std::string& program, TVerbosity verbosity, bool dryRun);
