// translit-host: a command-line stand-in for the host application. It loads
// Plugins\translit.dll from its own folder and drives it through the
// exported entry points, as the host does.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "plugin/plugin_api.h"

namespace {

std::string OwnFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string FieldText(const char* field, std::size_t width) {
  return std::string(field, strnlen(field, width));
}

int PrintInfo(HMODULE plugin) {
  auto getInfo = reinterpret_cast<GetInfoFn>(
      reinterpret_cast<void*>(GetProcAddress(plugin, "getInfo")));
  if (!getInfo) return 2;
  TPluginInfo info{};
  getInfo(&info);
  std::printf("Version:      %s\n", FieldText(info.Version, sizeof info.Version).c_str());
  std::printf("Name:         %s\n", FieldText(info.Name, sizeof info.Name).c_str());
  std::printf("Type:         %s\n", FieldText(info.PluginType, sizeof info.PluginType).c_str());
  std::printf("Display name: %s\n", FieldText(info.DisplayName, sizeof info.DisplayName).c_str());
  std::printf("File mask:    %s\n", FieldText(info.FileMask, sizeof info.FileMask).c_str());
  std::printf("Options size: %d bytes\n", static_cast<int>(info.OptionsSize));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dll = OwnFolder() + "Plugins\\translit.dll";
  HMODULE plugin = LoadLibraryA(dll.c_str());
  if (!plugin) {
    std::fprintf(stderr, "cannot load %s\n", dll.c_str());
    return 2;
  }
  int status = 0;
  if (argc > 1 && std::strcmp(argv[1], "--info") == 0) status = PrintInfo(plugin);
  FreeLibrary(plugin);
  return status;
}
