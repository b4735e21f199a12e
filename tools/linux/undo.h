// --undo: the newest journal's renames put back, last first.
#pragma once

#include <string>

#include "tools/common/command_options.h"

// Returns the exit status: 0 when everything was put back (or there was
// nothing to undo), 1 when a file was refused, 2 when the journal could not
// be read.
int UndoNewestBatch(const std::string& program, TVerbosity verbosity);
