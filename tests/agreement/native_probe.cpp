// The native command's name transliteration as a filter, for the agreement
// test (agreement.py): the same names go through the DLL's process under
// wine, and the two results are compared.
//
//   agreement_native_probe PROFILE [--case] [--ext] [--reverse] [--valid]
//
// Reads UTF-8 names separated by NUL bytes from standard input and writes
// each one's new name (TransliterateLinuxName, rules read with ReadProfile),
// followed by a NUL. With --valid every new name is followed by "1" or "0"
// and a NUL: whether it converts to Windows-1251 and Windows can hold it
// (IsValidFileName). Exit 2 on a usage error or an unreadable profile.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "engine/file_name.h"
#include "engine/profile.h"
#include "cli/core/linux_name.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: agreement_native_probe PROFILE [--case] [--ext] [--reverse] [--valid]\n";
    return 2;
  }
  TFileNameOptions options;
  bool with_validity = false;
  for (int i = 2; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--case") {
      options.CaseSensitive = true;
    } else if (flag == "--ext") {
      options.ReplaceInExtension = true;
    } else if (flag == "--reverse") {
      options.Direction = TDirection::kReverse;
    } else if (flag == "--valid") {
      with_validity = true;
    } else {
      std::cerr << "agreement_native_probe: unknown option " << flag << "\n";
      return 2;
    }
  }
  TProfile profile;
  if (!ReadProfile(argv[1], &profile)) {
    std::cerr << "agreement_native_probe: cannot read " << argv[1] << "\n";
    return 2;
  }

  const std::string input((std::istreambuf_iterator<char>(std::cin)),
                          std::istreambuf_iterator<char>());
  std::string output;
  for (std::size_t start = 0; start < input.size();) {
    std::size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    const std::string new_name = TransliterateLinuxName(
        std::string_view(input).substr(start, end - start), profile.Rules, options);
    output += new_name;
    output += '\0';
    if (with_validity) {
      std::string windows_name;
      output += Utf8To1251(new_name, &windows_name) && IsValidFileName(windows_name) ? "1" : "0";
      output += '\0';
    }
    start = end + 1;
  }
  std::fwrite(output.data(), 1, output.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
