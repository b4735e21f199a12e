// translit-host: a command-line stand-in for the host application. It loads
// Plugins\translit.dll from its own folder and drives it through the
// exported entry points as the host does, calling process for every file.
// The options, printed lines and exit status are those of
// docs/command-line.md, shared with the Linux command (cli/core/command.h).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "cli/core/command.h"
#include "cli/core/help_format.h"
#include "cli/core/linux_name.h"
#include "cli/core/messages.h"
#include "cli/windows/console.h"
#include "cli/windows/console_window.h"
#include "cli/windows/host_folder.h"
#include "cli/windows/messages_windows.h"
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
    console.Err(ErrorLine(kProgram, {"", Format(_("cannot load %s"), Utf8FromWide(dll))}));
    return TExitStatus::kNothingTouched;
  }
  const TPluginInfo info = plugin.Identity();
  auto field = [](const char* text, std::size_t size) {
    return Utf8From1251(std::string_view(text, strnlen(text, size))) + "\n";
  };
  const std::pair<const char*, std::string> lines[] = {
      {_("Version:"), field(info.Version, sizeof info.Version)},
      {_("Name:"), field(info.Name, sizeof info.Name)},
      {_("Type:"), field(info.PluginType, sizeof info.PluginType)},
      {_("Display name:"), field(info.DisplayName, sizeof info.DisplayName)},
      {_("File mask:"), field(info.FileMask, sizeof info.FileMask)},
      {_("Options size:"), Format(_("%s bytes"), std::to_string(info.OptionsSize)) + "\n"},
  };
  std::size_t width = 0;
  for (const auto& line : lines) width = std::max(width, TextWidth(line.first));
  for (const auto& line : lines) {
    console.Out(line.first + std::string(width + 1 - TextWidth(line.first), ' ') + line.second);
  }
  return TExitStatus::kOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  StartWindowsMessages();
  CatchOutOfMemory(kProgram);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    // "/?", as Windows programs answer it: the help.
    args.push_back(std::wstring_view(argv[i]) == L"/?" ? "--help" : Utf8FromWide(argv[i]));
  }
  TWindowsConsole& console = TWindowsConsole::Get();
  // Started from Explorer: a window of its own, no arguments, no one to
  // read the lines after it closes.
  const bool own_window = OwnsConsoleWindow();
  if (own_window && args.empty()) args.emplace_back("--help");
  TExitStatus status;
  if (args.size() == 1 && args[0] == "--info") {
    status = PrintIdentity(console);
  } else {
    const std::unique_ptr<TCommandPlatform> platform = MakeWindowsPlatform();
    status = RunCommand(kProgram, args, *platform, console);
  }
  if (status == TExitStatus::kNothingTouched && !PluginsFolderExists()) {
    console.Err(ErrorLine(kProgram, {"", Format(_("no Plugins folder in %s, the folder of "
                                                  "translit-host.exe: keep the program beside "
                                                  "Plugins"),
                                                Utf8FromWide(OwnFolder()))}));
  }
  if (own_window) WaitForKey(console);
  console.FlushOut();
  return ExitCode(status);
}
