// The Windows command's one reading of a system error code: as the reason a
// file keeps its name, as an error about a path, or in the system's words.
#pragma once

#include <windows.h>

#include <string>

#include "cli/core/outcome.h"
#include "cli/core/run_report.h"

// The system's own words for an error code, in UTF-8, without the final
// full stop and line break.
std::string SystemMessage(DWORD error);

// Why a file keeps its name, from the error of the call that failed;
// newName is the name it was to take (ERROR_SUCCESS: the call failed
// without saying why).
TSkip SkipOfSystemError(DWORD error, const std::string& newName);

// An error about subject, in the system's own words.
TError ErrorOfSystemError(const std::string& subject, DWORD error);
