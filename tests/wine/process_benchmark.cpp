// What one call of `process` costs through translit.dll under wine, per
// profile, as a host's preview list pays it: the name
// "Щукин Юрий Ёжикович - Отчёт.docx", preview only, two passes, forward.
// Beside it, the system calls alone that read the profile once
// (BareProfileReadMicroseconds), which no DLL can go below.
//
// For a profile of one rule and each *.pch of the folder given, sorted by
// name: five rounds (--rounds) of 200 calls (--calls), the profiles taking
// turns in each round, the median round in µs per call. A benchmark, not a test: engine/benchmark/process_speed.sh builds
// and runs it.
//
// Fails (exit 1) when a call with the profile of one rule takes more than
// 350 µs, or one with a shipped profile more than 1.25 times that.
//
// usage: process_benchmark.exe [--profiles=DIR] [--rounds=N] [--calls=N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"
#include "tests/wine/support/profile_read_timing.h"

namespace {

constexpr double kOneRuleGoal = 350.0;
constexpr double kShippedGoal = 1.25;  // times the one-rule call

std::vector<std::string> ProfilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*.pch").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  std::sort(names.begin(), names.end());
  return names;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = TRANSLIT_BENCHMARK_PROFILES_DIR;
  int rounds = 5;
  int calls = 200;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--profiles=", 11) == 0) folder = argv[i] + 11;
    if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
    if (std::strncmp(argv[i], "--calls=", 8) == 0) calls = std::max(1, std::atoi(argv[i] + 8));
  }
  const std::vector<std::string> shipped = ProfilesIn(folder);
  if (shipped.empty()) {
    std::fprintf(stderr, "no *.pch in %s\n", folder.c_str());
    return 2;
  }

  PluginLibrary plugin;
  HostFolder host;
  plugin.setDir(host.dir().c_str());
  plugin.initialize(nullptr);
  OptionsBlock options(plugin);
  host.AddProfile("one-rule.pch", "one rule\r\nRussian\r\nLatin\r\nЩ Shch\r\n");
  std::vector<std::string> names = {"one-rule.pch"};
  for (const std::string& name : shipped) {
    host.AddProfile(name, ReadWholeFile(folder + "\\" + name));
    names.push_back(name);
  }

  const std::string path = "C:\\files\\Щукин Юрий Ёжикович - Отчёт.docx";
  bool ok = true;
  for (const std::string& name : names) {
    options.Profile(name);
    for (int i = 0; i < 20; ++i) CallProcess(plugin, options, path, true);  // warm up
    if (CallProcess(plugin, options, path, true).unchanged) {
      std::printf("%s: not read\n", name.c_str());
      ok = false;
    }
  }
  // The profiles take turns round by round, the bare read beside each, so
  // that other work on the machine slows them all alike.
  std::vector<std::vector<double>> calls_us(names.size()), reads_us(names.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t p = 0; p < names.size(); ++p) {
      options.Profile(names[p]);
      const double start = CounterSeconds();
      for (int i = 0; i < calls; ++i) CallProcess(plugin, options, path, true);
      calls_us[p].push_back((CounterSeconds() - start) * 1e6 / calls);
      reads_us[p].push_back(BareProfileReadMicroseconds(host.profiles() + names[p], calls));
    }
  }
  std::printf("%d rounds of %d calls, profiles in turn, medians; us per call through "
              "translit.dll\n",
              rounds, calls);
  std::printf("%-26s %7s %9s %9s %7s\n", "profile", "bytes", "read", "process", "ratio");
  const double one_rule = Median(calls_us[0]);
  for (std::size_t p = 0; p < names.size(); ++p) {
    const double call = Median(calls_us[p]);
    const double ratio = call / one_rule;
    std::printf("%-26s %7lu %9.0f %9.0f %7.2f\n", names[p].c_str(),
                static_cast<unsigned long>(ReadWholeFile(host.profiles() + names[p]).size()),
                Median(reads_us[p]), call, ratio);
    if (p == 0 ? call > kOneRuleGoal : ratio > kShippedGoal) ok = false;
  }
  std::printf("%s (one rule at most %.0f us; every shipped profile at most %.2f times that)\n",
              ok ? "all targets met" : "targets MISSED", kOneRuleGoal, kShippedGoal);
  return ok ? 0 : 1;
}
