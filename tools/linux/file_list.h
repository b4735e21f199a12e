// The paths a run works on, in the order it renames them.
//
// A file argument (a symbolic link too, whatever it points to) is itself.
// A folder argument (a link to a folder only when written with a trailing
// "/") stands for the entries directly in it that are not folders; with
// recursion, for everything under it, each folder's files first, then each
// subfolder's contents followed by the subfolder itself, so a folder is
// renamed only after everything in it (deepest first) and every path stays
// valid until its turn. The named folder itself keeps its name. Links are
// never followed into other folders. Entries of a folder come sorted by
// name (bytewise), so that a run is repeatable.
#pragma once

#include <string>
#include <vector>

struct TFileList {
  std::vector<std::string> Paths;
  std::vector<std::string> Errors;  // "PATH: reason", for folders that could not be read
};

// Adds the paths that one argument stands for.
void AddArgument(const std::string& argument, bool recursive, TFileList* list);
