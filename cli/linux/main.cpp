// translit: renames Linux files by a transliteration profile, natively,
// with the engine the plug-in runs (see docs/command-line.md).
#include <string>
#include <vector>

#include "cli/core/command.h"
#include "cli/linux/console.h"
#include "cli/linux/linux_platform.h"

int main(int argc, char** argv) {
  const std::unique_ptr<TCommandPlatform> platform = MakeLinuxPlatform();
  TLinuxConsole console;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ExitCode(RunCommand("translit", args, *platform, console));
}
