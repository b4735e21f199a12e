// How a path the journal keeps (absolute) is shown to the user: relative to
// the current folder when it lies under it, as a rename given relative
// paths there printed it; absolute otherwise.
//
//   ShownPath("/home/u/a/Shchuka.txt", "/home/u/") == "a/Shchuka.txt"
//   ShownPath("/tmp/Shchuka.txt", "/home/u/")      == "/tmp/Shchuka.txt"
//   ShownPath("Z:\\d\\Yozh.txt", "Z:\\d")         == "Yozh.txt"
#pragma once

#include <string>

// currentFolder is absolute, with or without a final separator
// (cli/core/platform.h CurrentFolder); an empty one shows every path as it is.
std::string ShownPath(const std::string& path, const std::string& currentFolder);
