// Where the Linux command finds what it ships with, relative to its own
// program file so that an installed copy works from any prefix:
//   <prefix>/bin/translit
//   <prefix>/share/translit/profiles/*.pch   the profiles
//   <prefix>/share/locale/ru/LC_MESSAGES/translit.mo
// A checkout's dist/ (dist/bin/translit) and the build folder keep the
// profiles in ../Plugins/rep_profiles/, the layout of the Windows build.
#pragma once

#include <string>
#include <vector>

// The folders a profile name is looked for in, in order, each ending with a
// "/": the user's own ($XDG_DATA_HOME/translit/profiles/, or
// ~/.local/share/translit/profiles/), then the shipped ones.
std::vector<std::string> ProfileSearchFolders();

// The profiles the program ships with: the installed folder where it
// exists (share/translit/profiles/), else the checkout's.
std::string ShippedProfileFolder();

// The message catalogues' folder (<prefix>/share/locale).
std::string LocaleFolder();
