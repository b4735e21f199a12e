// The run core of both commands: parses the arguments, runs what they ask
// for (renames, --undo, --list, --check) on the platform given, prints every
// error once, "PROGRAM: SUBJECT: REASON", and answers the exit status.
//
//   const auto platform = MakeLinuxPlatform();
//   TLinuxConsole console;
//   return ExitCode(RunCommand("translit", args, *platform, console));
#pragma once

#include <string>
#include <vector>

#include "cli/core/console.h"
#include "cli/core/platform.h"

// args without the program name. Memory running out is printed as
// "PROGRAM: out of memory" with kNothingTouched.
TExitStatus RunCommand(const std::string& program, const std::vector<std::string>& args,
                       TCommandPlatform& platform, TConsole& console);
