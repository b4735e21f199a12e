// What one call of `process` costs through translit.dll under wine, per
// profile, as a host's preview list pays it: the name
// "Щукин Юрий Ёжикович - Отчёт.docx", preview only, two passes, forward.
// Beside it, the system calls alone that read the profile once
// (BareProfileReadMicroseconds), which no DLL can go below.
//
// For a profile of one rule and each *.pch of the folder given, sorted by
// name: 90 slices of 20 calls (--rounds=9 times --calls=200 calls in all),
// each slice taking turns with one of as many calls with the profile of one
// rule, so that other work on the machine slows both alike. Printed in µs
// per call: the median slice of either, and the mean of the fastest tenth of
// the slices of either with their ratio. A slice that other work on the
// machine interrupts takes far longer than the calls in it; the fastest
// tenth tell what a call costs, and the ratio is judged on them. A
// benchmark, not a test: engine/benchmark/process_speed.sh builds and runs
// it.
//
// Fails (exit 1) when the median call with the profile of one rule takes
// more than 350 µs, or a call with a shipped profile more than 1.25 times one
// with the profile of one rule.
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
constexpr int kSlice = 20;  // calls with one profile before the other's turn

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

// The mean of the fastest tenth: what a slice costs when nothing else on the
// machine took the processor from it.
double Fastest(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t tenth = std::max<std::size_t>(1, values.size() / 10);
  double sum = 0;
  for (std::size_t i = 0; i < tenth; ++i) sum += values[i];
  return sum / static_cast<double>(tenth);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = TRANSLIT_BENCHMARK_PROFILES_DIR;
  int rounds = 9;
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
    if (CallProcess(plugin, options, path, true).unchanged) {
      std::printf("%s: not read\n", name.c_str());
      ok = false;
    }
  }
  // µs per call over a slice of calls with one profile.
  const auto slice = [&](const std::string& name) {
    options.Profile(name);
    const double start = CounterSeconds();
    for (int i = 0; i < kSlice; ++i) CallProcess(plugin, options, path, true);
    return (CounterSeconds() - start) * 1e6 / kSlice;
  };
  const int slices = std::max(1, rounds * calls / kSlice);
  std::printf("%d slices of %d calls, taking turns with as many with the profile of one rule; "
              "us per call through translit.dll\n",
              slices, kSlice);
  std::printf("%-26s %7s %6s %8s %8s %9s %9s %7s\n", "", "", "read", "process", "one rule",
              "process", "one rule", "ratio");
  std::printf("%-26s %7s %6s %8s %8s %9s %9s %7s\n", "profile", "bytes", "median", "median",
              "median", "fastest", "fastest", "fastest");
  std::vector<double> one_rule_all;
  for (const std::string& name : names) {
    // The profile and the one of one rule take turns slice by slice (two
    // profiles: both stay compiled), so that other work on the machine slows
    // both alike.
    std::vector<double> profile_us, one_rule_us, read_us;
    for (int s = 0; s < slices; ++s) {
      one_rule_us.push_back(slice(names.front()));
      profile_us.push_back(slice(name));
      if (s % 10 == 0) read_us.push_back(BareProfileReadMicroseconds(host.profiles() + name, kSlice));
    }
    const double fastest = Fastest(profile_us) / Fastest(one_rule_us);
    one_rule_all.insert(one_rule_all.end(), one_rule_us.begin(), one_rule_us.end());
    std::printf("%-26s %7lu %6.0f %8.0f %8.0f %9.1f %9.1f %7.2f\n", name.c_str(),
                static_cast<unsigned long>(ReadWholeFile(host.profiles() + name).size()),
                Median(read_us), Median(profile_us), Median(one_rule_us), Fastest(profile_us),
                Fastest(one_rule_us), fastest);
    if (fastest > kShippedGoal) ok = false;
  }
  const double one_rule = Median(one_rule_all);
  if (one_rule > kOneRuleGoal) ok = false;
  std::printf("one rule: %.0f us per call (median of every slice above)\n", one_rule);
  std::printf("%s (one rule at most %.0f us; every shipped profile at most %.2f times that)\n",
              ok ? "all targets met" : "targets MISSED", kOneRuleGoal, kShippedGoal);
  return ok ? 0 : 1;
}
