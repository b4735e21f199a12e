// Opens one of the windows for a screenshot and holds it still while
// tools/screenshot.sh takes the picture:
//
//   window_shot.exe <scene> <signal file> <done file>
//
// The scene opens its window through the plug-in's own code path (showOptions
// or clickBtn of the real translit.dll, with the shipped profiles in a
// temporary host folder), and may prepare it (type a text, pick a profile).
// When the window stands painted, the program writes its screen rectangle as
// "WIDTHxHEIGHT+LEFT+TOP" into the signal file, waits for the done file to
// appear, and closes the window. Exit code 0 when the window was shown.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "plugin/library_state.h"
#include "translit/plugin_api.h"
#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/modal_driver.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/sample_window.h"
#include "tests/wine/support/window_probe.h"

extern "C" {
void __stdcall setDir(const char* Dir);
void __stdcall initialize(HWND Window);
}

namespace {

struct Scene {
  const char* name;
  const char* window_class;
  // Runs the window modally; returns when it has been closed.
  std::function<void(PluginLibrary& plugin, const HostFolder& folder, HWND host)> open;
  // Puts the open window into the state to be shown.
  std::function<void(HWND window)> prepare;
};

// Copies the shipped profiles into the host folder.
void AddShippedProfiles(HostFolder& host) {
  WIN32_FIND_DATAA entry;
  const std::string pattern = std::string(TRANSLIT_SHOT_PROFILES_DIR) + "\\*.pch";
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    host.AddProfile(entry.cFileName,
                    ReadWholeFile(std::string(TRANSLIT_SHOT_PROFILES_DIR) + "\\" + entry.cFileName));
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

void TypeInto(HWND edit, const char* text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

const Scene kScenes[] = {
    {"options", "TReplPrflWindow",
     [](PluginLibrary& plugin, const HostFolder&, HWND) {
       TReplOptions* block = nullptr;
       char* caption = nullptr;
       plugin.showOptions(1, &block, &caption);
       plugin.freeOpt(block);
     },
     nullptr},
    {"text", "TTransTextWindow", [](PluginLibrary& plugin, const HostFolder&, HWND) { plugin.clickBtn(0); },
     [](HWND window) {
       if (HWND source = GetDlgItem(window, 10)) TypeInto(source, "Съешь же ещё этих мягких булок");
     }},
    // The chrome's sample window, built from the plug-in code linked into
    // this program, with the catalogue of the same host folder.
    {"sample", kSampleWindowClass,
     [](PluginLibrary&, const HostFolder& folder, HWND host) {
       setDir(folder.dir().c_str());
       initialize(host);
       RegisterSampleWindowClass();
       SampleProfilePath = folder.profiles() + "standart.pch";
       RunSampleWindow();
     },
     nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: window_shot <options|text|sample> <signal file> <done file>\n");
    return 2;
  }
  const Scene* scene = nullptr;
  for (const Scene& candidate : kScenes) {
    if (std::strcmp(candidate.name, argv[1]) == 0) scene = &candidate;
  }
  if (!scene) {
    std::fprintf(stderr, "unknown scene %s\n", argv[1]);
    return 2;
  }
  const std::string signal_file = argv[2];
  const std::string done_file = argv[3];

  HostFolder host;
  AddShippedProfiles(host);
  TestHostWindow host_window;
  PluginLibrary plugin;
  PluginModule = plugin.module();  // the sample window's pictures
  plugin.setDir(host.dir().c_str());
  plugin.initialize(host_window.get());

  ModalDriver driver;
  HWND window = nullptr;
  DWORD settled = 0;
  driver.WaitForWindow(scene->window_class, &window)
      .Then([&] {
        if (scene->prepare) scene->prepare(window);
        settled = GetTickCount() + 500;
      })
      .WaitFor([&] { return static_cast<int>(GetTickCount() - settled) >= 0; })
      .Then([&] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rect{};
        GetWindowRect(window, &rect);
        const std::string temporary = signal_file + ".part";
        if (FILE* out = std::fopen(temporary.c_str(), "w")) {
          std::fprintf(out, "%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top,
                       rect.left, rect.top);
          std::fclose(out);
          MoveFileA(temporary.c_str(), signal_file.c_str());
        }
      })
      .WaitFor([&] { return FileExists(done_file); })
      .Then([&] { PostMessageA(window, WM_CLOSE, 0, 0); });

  const bool shown = driver.Run([&] { scene->open(plugin, host, host_window.get()); }, 60000);
  if (!shown) std::fprintf(stderr, "window_shot: the %s window was not shown\n", scene->name);
  return shown ? 0 : 1;
}
