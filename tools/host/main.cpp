// translit-host: a command-line stand-in for the host application. It loads
// Plugins\translit.dll from its own folder and drives it through the exported
// entry points as the host does: getInfo, setDir with its folder, initialize
// with a window of its own, an option block from newOpt, then process for
// every file named on the command line.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin/plugin_api.h"
#include "tools/host/console.h"

namespace {

constexpr char kUsage[] =
    "usage: translit-host [options] FILE|FOLDER...\n"
    "  --profile NAME  profile in Plugins\\rep_profiles\\ (default standart.pch)\n"
    "  --reverse       turn right-hand terms back into left-hand ones\n"
    "  --case          letter case counts (one exact pass)\n"
    "  --ext           transliterate the extension too\n"
    "  --preview       show the new names, rename nothing\n"
    "  --list          list the profiles with their information lines\n"
    "  --info          show the plug-in's identity record\n"
    "A folder stands for the files directly in it.\n"
    "Exit status: 0 when every file was renamed (or could be), 1 when one\n"
    "could not, 2 on a usage or set-up error.\n";

struct Arguments {
  std::string profile = "standart.pch";
  bool reverse = false, case_sensitive = false, extension = false, preview = false;
  bool list = false, info = false;
  std::vector<std::wstring> files;
};

// The plug-in, loaded the way the host loads it.
class Plugin {
 public:
  explicit Plugin(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
  ~Plugin() {
    if (module_) FreeLibrary(module_);
  }
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  bool loaded() const {
    return module_ && getInfo && setDir && initialize && newOpt && freeOpt && process;
  }

  template <typename Fn>
  Fn Get(const char* name) const {
    return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                   : nullptr;
  }

 private:
  HMODULE module_;

 public:
  GetInfoFn getInfo = Get<GetInfoFn>("getInfo");
  SetDirFn setDir = Get<SetDirFn>("setDir");
  InitializeFn initialize = Get<InitializeFn>("initialize");
  NewOptFn newOpt = Get<NewOptFn>("newOpt");
  FreeOptFn freeOpt = Get<FreeOptFn>("freeOpt");
  ProcessFn process = Get<ProcessFn>("process");
};

std::string OwnFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string FieldText(const char* field, std::size_t width) {
  return std::string(field, strnlen(field, width));
}

std::string NamePart(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string UpperCase(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The first line of a profile: its information text.
std::string InformationLine(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(cannot be read)";
  char buffer[512];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  std::string line(buffer, read);
  return line.substr(0, line.find_first_of("\r\n\x1A"));
}

int PrintInfo(const Plugin& plugin) {
  TPluginInfo info{};
  plugin.getInfo(&info);
  Out("Version:      " + FieldText(info.Version, sizeof info.Version) + "\n");
  Out("Name:         " + FieldText(info.Name, sizeof info.Name) + "\n");
  Out("Type:         " + FieldText(info.PluginType, sizeof info.PluginType) + "\n");
  Out("Display name: " + FieldText(info.DisplayName, sizeof info.DisplayName) + "\n");
  Out("File mask:    " + FieldText(info.FileMask, sizeof info.FileMask) + "\n");
  Out("Options size: " + std::to_string(info.OptionsSize) + " bytes\n");
  return 0;
}

int PrintProfiles(const std::string& profiles) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((profiles + "*.pch").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    Err("no profiles in " + profiles + "\n");
    return 1;
  }
  do {
    Out(std::string(entry.cFileName) + "\n    " + InformationLine(profiles + entry.cFileName) +
        "\n");
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return 0;
}

// Which names a folder already holds, read once per folder: a preview of
// thousands of files then looks each new name up in memory instead of asking
// the file system every time.
class ExistingNames {
 public:
  bool Contains(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\:");
    const std::string folder = UpperCase(path.substr(0, separator + 1));
    auto found = folders_.find(folder);
    if (found == folders_.end()) found = folders_.emplace(folder, Read(folder)).first;
    return found->second.count(UpperCase(path.substr(separator + 1))) != 0;
  }

 private:
  static std::set<std::string> Read(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.insert(UpperCase(entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
  }

  std::map<std::string, std::set<std::string>> folders_;  // upper-cased
};

// Runs process on one path; the new path, or nothing when the plug-in left
// the host's pointer alone.
bool CallProcess(const Plugin& plugin, TReplOptions** options, const std::string& path,
                 bool preview, std::string* new_path) {
  std::string host_copy = path;
  char* pointer = host_copy.data();
  plugin.process(&pointer, 0, 0, 0, options, preview ? 1 : 0);
  if (pointer == host_copy.data()) return false;
  *new_path = pointer;
  return true;
}

// The files to work on: every argument, a folder replaced by the files
// directly in it (in the order the directory search gives them).
std::vector<std::wstring> ExpandFolders(const std::vector<std::wstring>& arguments) {
  std::vector<std::wstring> files;
  for (const std::wstring& argument : arguments) {
    const DWORD attributes = GetFileAttributesW(argument.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files.push_back(argument);
      continue;
    }
    std::wstring folder = argument;
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  return files;
}

int Transliterate(const Plugin& plugin, const Arguments& args, TReplOptions** options) {
  int status = 0;
  std::map<std::string, std::string> claimed;  // upper-cased new path -> the file claiming it
  ExistingNames existing;
  const std::vector<std::wstring> files = ExpandFolders(args.files);
  for (const std::wstring& wide : files) {
    bool lossless = true;
    const std::string given = To1251(wide, &lossless);
    if (!lossless) {
      // The host works in Windows-1251: such a name would come back mangled.
      Err("skipped: a file name with characters outside Windows-1251 (file " +
          std::to_string(&wide - files.data() + 1) + ")\n");
      status = 1;
      continue;
    }
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH || !Exists(full)) {
      Err(given + ": no such file\n");
      status = 1;
      continue;
    }
    const std::string old_path = full;

    std::string new_path;
    if (args.preview) {
      if (!CallProcess(plugin, options, old_path, true, &new_path)) {
        Err(given + ": the profile could not be read\n");
        status = 1;
        continue;
      }
      std::string note;
      const std::string key = UpperCase(new_path);
      auto [slot, fresh] = claimed.emplace(key, old_path);
      if (!fresh) {
        note = "  [also the new name of " + NamePart(slot->second) + "]";
      } else if (!SameIgnoringCase(new_path, old_path) && existing.Contains(new_path)) {
        note = "  [name already taken]";
      }
      if (!note.empty()) status = 1;
      Out(NamePart(old_path) + " -> " + NamePart(new_path) + note + "\n");
      continue;
    }

    if (CallProcess(plugin, options, old_path, false, &new_path)) {
      Out(NamePart(old_path) + " -> " + NamePart(new_path) +
          (new_path == old_path ? "  (unchanged)" : "") + "\n");
      continue;
    }
    status = 1;
    std::string intended;
    if (!CallProcess(plugin, options, old_path, true, &intended)) {
      Err(given + ": not renamed, the profile could not be read\n");
    } else if (!SameIgnoringCase(intended, old_path) && Exists(intended)) {
      Err(given + ": not renamed, " + NamePart(intended) + " already exists\n");
    } else if (intended.size() >= MAX_PATH) {
      Err(given + ": not renamed, the new path would be longer than " +
          std::to_string(MAX_PATH - 1) + " characters\n");
    } else {
      Err(given + ": not renamed to " + NamePart(intended) +
          ", the system refused (file in use or no permission)\n");
    }
  }
  return status;
}

bool Parse(int argc, wchar_t** argv, Arguments* args) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--profile" && i + 1 < argc) {
      bool lossless = true;
      args->profile = To1251(argv[++i], &lossless);
      if (!lossless) return false;
    } else if (arg == L"--reverse") {
      args->reverse = true;
    } else if (arg == L"--case") {
      args->case_sensitive = true;
    } else if (arg == L"--ext") {
      args->extension = true;
    } else if (arg == L"--preview") {
      args->preview = true;
    } else if (arg == L"--list") {
      args->list = true;
    } else if (arg == L"--info") {
      args->info = true;
    } else if (arg == L"--") {
      for (++i; i < argc; ++i) args->files.emplace_back(argv[i]);
    } else if (arg.rfind(L"--", 0) == 0) {
      return false;
    } else {
      args->files.push_back(arg);
    }
  }
  return args->list || args->info || !args->files.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Arguments args;
  if (!Parse(argc, argv, &args)) {
    Err(kUsage);
    return 2;
  }
  const std::string folder = OwnFolder();
  const std::string profiles = folder + "Plugins\\rep_profiles\\";
  Plugin plugin(folder + "Plugins\\translit.dll");
  if (!plugin.loaded()) {
    Err("cannot load " + folder + "Plugins\\translit.dll\n");
    return 2;
  }
  if (args.info) return PrintInfo(plugin);

  TPluginInfo info{};
  plugin.getInfo(&info);
  plugin.setDir(folder.c_str());
  // A window of our own, as the host hands its main window over; none is
  // needed on screen, so it is a message-only window (no display required).
  HWND window = CreateWindowExA(0, "STATIC", "translit-host", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, nullptr, nullptr);
  plugin.initialize(window);
  if (args.list) return PrintProfiles(profiles);

  if (args.profile.empty() || args.profile.size() > 49 || !IsFile(profiles + args.profile)) {
    Err("no profile " + args.profile + " in " + profiles + "\n");
    return 2;
  }
  TReplOptions* options = nullptr;
  plugin.newOpt(&options);
  std::memset(options->ProfileName, 0, sizeof options->ProfileName);
  std::memcpy(options->ProfileName, args.profile.data(), args.profile.size());
  options->CaseSensitive = args.case_sensitive ? 1 : 0;
  options->ReplaceInExtension = args.extension ? 1 : 0;
  options->Direction = args.reverse ? 1 : 0;

  const int status = Transliterate(plugin, args, &options);
  plugin.freeOpt(options);
  if (window) DestroyWindow(window);
  return status;
}
