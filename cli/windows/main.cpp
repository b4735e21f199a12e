// translit-host: a command-line stand-in for the host application. It loads
// Plugins\translit.dll from its own folder and drives it through the
// exported entry points as the host does, calling process for every file.
// The options, printed lines and exit status are those of
// docs/command-line.md, shared with the Linux command (cli/core/command.h).
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/core/command.h"
#include "cli/core/linux_name.h"
#include "cli/windows/console.h"
#include "cli/windows/host_folder.h"
#include "cli/windows/out_of_memory.h"
#include "cli/windows/plugin.h"
#include "cli/windows/text.h"
#include "cli/windows/windows_platform.h"

// The C runtime expands wildcards in the arguments (cmd.exe leaves
// "*.txt" to the program); a pattern that matches nothing stays as it is.
extern "C" {
int _dowildcard = -1;
}

namespace {

constexpr char kProgram[] = "translit-host";

// --info, alone: the plug-in's identity record, as ./translit.sh demo shows it.
TExitStatus PrintIdentity(TConsole& console) {
  const std::wstring dll = OwnFolder() + L"Plugins\\translit.dll";
  TPlugin plugin(dll);
  if (!plugin.Loaded()) {
    console.Err(ErrorLine(kProgram, {"", "cannot load " + Utf8FromWide(dll)}));
    return TExitStatus::kNothingTouched;
  }
  const TPluginInfo info = plugin.Identity();
  auto field = [](const char* text, std::size_t size) {
    return Utf8From1251(std::string_view(text, strnlen(text, size))) + "\n";
  };
  console.Out("Version:      " + field(info.Version, sizeof info.Version));
  console.Out("Name:         " + field(info.Name, sizeof info.Name));
  console.Out("Type:         " + field(info.PluginType, sizeof info.PluginType));
  console.Out("Display name: " + field(info.DisplayName, sizeof info.DisplayName));
  console.Out("File mask:    " + field(info.FileMask, sizeof info.FileMask));
  console.Out("Options size: " + std::to_string(info.OptionsSize) + " bytes\n");
  return TExitStatus::kOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CatchOutOfMemory(kProgram);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    // "/?", as Windows programs answer it: the help.
    args.push_back(std::wstring_view(argv[i]) == L"/?" ? "--help" : Utf8FromWide(argv[i]));
  }
  TWindowsConsole& console = TWindowsConsole::Get();
  TExitStatus status;
  if (args.size() == 1 && args[0] == "--info") {
    status = PrintIdentity(console);
  } else {
    const std::unique_ptr<TCommandPlatform> platform = MakeWindowsPlatform();
    status = RunCommand(kProgram, args, *platform, console);
  }
  console.FlushOut();
  return ExitCode(status);
}
