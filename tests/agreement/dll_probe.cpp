// The DLL's process as a filter, for the agreement test (agreement.py).
//
//   agreement_dll_probe HOST_DIR PROFILE NAMES RESULTS [case] [ext] [reverse]
//
// Loads translit.dll as the host does (getInfo, setDir with HOST_DIR, whose
// Plugins\rep_profiles\ holds PROFILE, initialize, newOpt), sets the option
// block, and previews "C:\probe\" + name for every Windows-1251 name of the
// file NAMES (separated by NUL bytes). RESULTS gets, per name, the path that
// process handed back, or the single byte 0x01 when it left the pointer alone
// (a new name Windows cannot hold, or no profile), each followed by a NUL.
// Files rather than pipes: wine's helper processes would hold a pipe open.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tests/wine/support/plugin_library.h"

namespace {

bool ReadBytes(const char* path, std::string* bytes) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, n);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

bool WriteBytes(const char* path, const std::string& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

int Run(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: agreement_dll_probe HOST_DIR PROFILE NAMES RESULTS [case] [ext] "
                 "[reverse]\n";
    return 2;
  }
  std::string names;
  if (!ReadBytes(argv[3], &names)) {
    std::cerr << "agreement_dll_probe: cannot read " << argv[3] << "\n";
    return 2;
  }
  PluginLibrary plugin;
  TPluginInfo info{};
  plugin.getInfo(&info);
  plugin.setDir(argv[1]);
  plugin.initialize(nullptr);
  TReplOptions* options = nullptr;
  plugin.newOpt(&options);
  const std::string_view profile = argv[2];
  std::memset(options->ProfileName, 0, sizeof options->ProfileName);
  std::memcpy(options->ProfileName, profile.data(),
              std::min(profile.size(), sizeof options->ProfileName));
  for (int i = 5; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "case") {
      options->CaseSensitive = 1;
    } else if (flag == "ext") {
      options->ReplaceInExtension = 1;
    } else if (flag == "reverse") {
      options->Direction = 1;
    } else {
      std::cerr << "agreement_dll_probe: unknown option " << flag << "\n";
      return 2;
    }
  }

  std::string results;
  for (std::size_t start = 0; start < names.size();) {
    std::size_t end = names.find('\0', start);
    if (end == std::string::npos) end = names.size();
    std::string host_copy = "C:\\probe\\" + names.substr(start, end - start);
    char* pointer = host_copy.data();
    plugin.process(&pointer, 0, 0, 0, &options, 1);
    if (pointer == host_copy.data()) {
      results += '\x01';
    } else {
      results += pointer;
    }
    results += '\0';
    start = end + 1;
  }
  plugin.freeOpt(options);
  if (!WriteBytes(argv[4], results)) {
    std::cerr << "agreement_dll_probe: cannot write " << argv[4] << "\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "agreement_dll_probe: " << error.what() << "\n";
    return 2;
  }
}
