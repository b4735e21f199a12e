// The paths a run works on, in the order it renames them.
//
// A file argument (a symbolic link too, whatever it points to) is itself.
// A folder argument stands for the entries directly in it that are not
// folders; with recursion, for everything under it: each folder's files
// first, then each subfolder's contents followed by the subfolder itself, so
// a folder is renamed only after everything in it (deepest first) and every
// path stays valid until its turn. The named folder itself keeps its name.
// Links are never followed into other folders. Entries of a folder come
// sorted by name (bytewise), so that a run is repeatable and both commands
// take files in the same order:
//   "top" with top/b.txt, top/a.txt, top/sub/c.txt, recursive ->
//   top/a.txt, top/b.txt, top/sub/c.txt, top/sub
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/core/platform.h"

struct TFileList {
  std::vector<std::string> Paths;
  std::vector<TError> Errors;    // folders that could not be read
  std::set<std::string> Listed;  // every path once, however often it is given
};

struct TWalkOptions {
  bool Recursive = false;
  // Whether recursion goes on into a folder another file system is mounted
  // on (as find without -xdev); by default it stops there, as find -xdev.
  bool CrossFileSystems = false;
};

// Adds the paths that one argument stands for.
void AddArgument(TCommandPlatform& platform, const std::string& argument,
                 const TWalkOptions& options, TFileList* list);

// The paths of a --from0 list: NUL-separated, as find -print0 writes them;
// empty entries are dropped. "a\0\0b\0" -> {"a", "b"}.
std::vector<std::string> SplitNulList(const std::string& bytes);
