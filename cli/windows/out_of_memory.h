// Exhausted memory inside the plug-in: process raises the structured
// exception STATUS_NO_MEMORY, as a Windows heap does. Nothing in the call
// chain handles it, so it reaches the process's unhandled-exception filter,
// which this installs: it prints "PROGRAM: out of memory: CAUSE", removes the temporary host folder
// and ends the process with exit status 2, instead of a crash report.
#pragma once

#include <string>

void CatchOutOfMemory(const std::string& program);

// The cause the message names, for example "the profile big.pch does not
// fit in memory".
void SetOutOfMemoryCause(const std::string& cause);
