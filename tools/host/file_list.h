// The files of a run, from the command line (wildcards already expanded by
// the C runtime) and from --from0 lists. A folder stands for the files
// directly in it; with -r for everything under it, each folder's files
// before its subfolders, every subfolder after what it holds (deepest
// first), the named folder itself left out. Links to folders are not
// followed.
#pragma once

#include <string>
#include <vector>

#include "tools/common/run_report.h"

struct TFileEntry {
  std::wstring Path;  // to open: the argument, or a folder's argument joined with a name
  std::string Shown;  // the same in the user's own form, UTF-8
};

struct TFileList {
  std::vector<TFileEntry> Files;
  std::vector<std::pair<std::string, TSkip>> Errors;  // folders that could not be read
};

// Adds a path as the user gave it (UTF-8).
void AddArgument(const std::string& path, bool recursive, TFileList* list);

// Reads a --from0 list: the file at path (UTF-8), or standard input for
// "-". False, with the reason in *error, when it cannot be read.
bool ReadFrom0(const std::string& path, std::string* bytes, std::string* error);
