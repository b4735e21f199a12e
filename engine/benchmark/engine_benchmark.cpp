// The engine on Russian prose, beside the floor of any masked engine.
//
// Texts: Windows-1251 prose from Debian's fortunes-ru (make_corpus.py),
// repeated up to 10 KB, 100 KB, 1 MB and 16 MB. Profile: 70 rules, Cyrillic
// capitals and small letters to Latin with a few two-letter terms in front.
// Run: two passes (CaseSensitive option off), forward, as the text window
// runs it.
//
// Floor: for every pass and rule, one memmem scan of the text that finds and
// counts every occurrence of the rule's find term and replaces nothing (pass 2
// scans a lower-cased copy with the lower-cased term; making that copy counts).
//
// Each benchmark runs for at least a second, three times; the summary takes
// the medians. Prints MB/s of both and their ratio, and checks the targets: from 1 MB to
// 16 MB the engine's time grows at most 20 times; on 1 MB it takes at most
// twice the floor's time. Exits with 1 when a target is missed.
//
// usage: engine_benchmark --corpus=FILE [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/lower_case.h"
#include "engine/replace.h"
#include "engine/testing/cp1251.h"

namespace {

// Cyrillic to Latin, in profile order: two-letter terms first (earlier rules
// win), then capitals, then small letters. The hard sign goes away (an empty
// replacement).
const char* const kRuleLines[][2] = {
    {"ый", "yi"}, {"ий", "iy"}, {"ье", "ie"}, {"ъе", "ye"},
    {"А", "A"}, {"Б", "B"}, {"В", "V"}, {"Г", "G"}, {"Д", "D"}, {"Е", "E"}, {"Ё", "Yo"},
    {"Ж", "Zh"}, {"З", "Z"}, {"И", "I"}, {"Й", "Y"}, {"К", "K"}, {"Л", "L"}, {"М", "M"},
    {"Н", "N"}, {"О", "O"}, {"П", "P"}, {"Р", "R"}, {"С", "S"}, {"Т", "T"}, {"У", "U"},
    {"Ф", "F"}, {"Х", "Kh"}, {"Ц", "Ts"}, {"Ч", "Ch"}, {"Ш", "Sh"}, {"Щ", "Shch"},
    {"Ъ", ""}, {"Ы", "Y"}, {"Ь", "'"}, {"Э", "E"}, {"Ю", "Yu"}, {"Я", "Ya"},
    {"а", "a"}, {"б", "b"}, {"в", "v"}, {"г", "g"}, {"д", "d"}, {"е", "e"}, {"ё", "yo"},
    {"ж", "zh"}, {"з", "z"}, {"и", "i"}, {"й", "y"}, {"к", "k"}, {"л", "l"}, {"м", "m"},
    {"н", "n"}, {"о", "o"}, {"п", "p"}, {"р", "r"}, {"с", "s"}, {"т", "t"}, {"у", "u"},
    {"ф", "f"}, {"х", "kh"}, {"ц", "ts"}, {"ч", "ch"}, {"ш", "sh"}, {"щ", "shch"},
    {"ъ", ""}, {"ы", "y"}, {"ь", "'"}, {"э", "e"}, {"ю", "yu"}, {"я", "ya"},
};

std::vector<TRule> Profile() {
  std::vector<TRule> rules;
  for (const auto& line : kRuleLines) rules.push_back(TRule{W(line[0]), W(line[1]), false});
  return rules;
}

std::string Repeat(const std::string& corpus, std::size_t size) {
  std::string text;
  text.reserve(size);
  while (text.size() < size) text.append(corpus, 0, std::min(corpus.size(), size - text.size()));
  return text;
}

void RunEngine(benchmark::State& state, const std::string& text, const std::vector<TRule>& rules) {
  TRunOptions options;  // two passes, forward, self-mapping rules like every rule
  // One pair for all runs, warmed up by an untimed run, so that the timing is
  // the engine's and not the allocator's (fresh memory costs a page fault per
  // page on first touch).
  TReplacePair pair;
  RunReplacement(pair, text, rules, options);
  std::size_t output = 0;
  for (auto _ : state) {
    RunReplacement(pair, text, rules, options);
    output = pair.ResultText().size();
    benchmark::DoNotOptimize(pair.ResultText().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
  state.counters["out_bytes"] = static_cast<double>(output);
}

void RunFloor(benchmark::State& state, const std::string& text, const std::vector<TRule>& rules) {
  std::vector<std::string> lowered_finds;
  for (const TRule& rule : rules) {
    std::string find = rule.Left;
    LowerCaseInPlace(find);
    lowered_finds.push_back(find);
  }
  std::size_t found = 0;
  std::string lowered = text;  // the buffer for pass 2, allocated once
  for (auto _ : state) {
    found = 0;
    for (int pass = 0; pass < 2; ++pass) {
      if (pass == 1) {
        lowered.assign(text);
        LowerCaseInPlace(lowered);
      }
      const std::string& haystack = pass == 0 ? text : lowered;
      for (std::size_t r = 0; r < rules.size(); ++r) {
        const std::string& find = pass == 0 ? rules[r].Left : lowered_finds[r];
        const char* begin = haystack.data();
        const char* end = begin + haystack.size();
        for (const char* at = begin; at < end;) {
          const void* hit = memmem(at, static_cast<std::size_t>(end - at), find.data(), find.size());
          if (hit == nullptr) break;
          ++found;
          at = static_cast<const char*>(hit) + find.size();
        }
      }
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
  state.counters["occurrences"] = static_cast<double>(found);
}

// Keeps the seconds per iteration of every benchmark for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // the median of the repetitions
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      if (run.error_occurred) continue;
      std::string name = run.run_name.function_name;  // "engine/1MB"
      seconds_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

struct TSize {
  const char* Name;
  std::size_t Bytes;
};
const TSize kSizes[] = {{"10KB", 10u << 10}, {"100KB", 100u << 10}, {"1MB", 1u << 20},
                        {"16MB", 16u << 20}};

}  // namespace

int main(int argc, char** argv) {
  std::string corpus_path;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--corpus=", 9) == 0) {
      corpus_path = argv[i] + 9;
    } else {
      args.push_back(argv[i]);
    }
  }
  std::ifstream in(corpus_path, std::ios::binary);
  const std::string corpus((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (corpus.empty()) {
    std::fprintf(stderr, "usage: %s --corpus=FILE (engine/benchmark/make_corpus.py makes it)\n",
                 argv[0]);
    return 2;
  }
  int benchmark_argc = static_cast<int>(args.size());
  benchmark::Initialize(&benchmark_argc, args.data());

  const std::vector<TRule> rules = Profile();
  std::map<std::string, std::string> texts;
  for (const TSize& size : kSizes) {
    const std::string& text = texts[size.Name] = Repeat(corpus, size.Bytes);
    benchmark::RegisterBenchmark((std::string("engine/") + size.Name).c_str(),
                                 [&text, &rules](benchmark::State& state) {
                                   RunEngine(state, text, rules);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(1.0)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark((std::string("floor/") + size.Name).c_str(),
                                 [&text, &rules](benchmark::State& state) {
                                   RunFloor(state, text, rules);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(1.0)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
  }

  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%zu rules, 2 passes, forward; corpus %zu bytes of Windows-1251 prose\n",
              rules.size(), corpus.size());
  std::printf("%-6s %12s %12s %14s\n", "text", "engine MB/s", "floor MB/s", "engine/floor");
  for (const TSize& size : kSizes) {
    const double engine = reporter.Seconds(std::string("engine/") + size.Name);
    const double floor = reporter.Seconds(std::string("floor/") + size.Name);
    if (engine <= 0 || floor <= 0) continue;
    const double megabytes = static_cast<double>(size.Bytes) / (1 << 20);
    std::printf("%-6s %12.1f %12.1f %13.2fx\n", size.Name, megabytes / engine, megabytes / floor,
                engine / floor);
  }
  const double engine_1mb = reporter.Seconds("engine/1MB");
  const double engine_16mb = reporter.Seconds("engine/16MB");
  const double floor_1mb = reporter.Seconds("floor/1MB");
  if (engine_1mb <= 0 || engine_16mb <= 0 || floor_1mb <= 0) {
    std::printf("targets not checked: the 1MB and 16MB benchmarks did not all run\n");
    return 0;
  }
  const double growth = engine_16mb / engine_1mb;
  const double ratio = engine_1mb / floor_1mb;
  const double floor_16mb = reporter.Seconds("floor/16MB");
  if (floor_16mb > 0) {
    std::printf("1MB -> 16MB: floor time x%.1f (how this machine's caches scale)\n",
                floor_16mb / floor_1mb);
  }
  const bool linear = growth <= 20;
  const bool near_floor = ratio <= 2;
  std::printf("1MB -> 16MB: engine time x%.1f (target at most x20): %s\n", growth,
              linear ? "met" : "MISSED");
  std::printf("1MB: engine time %.2fx the floor's (target at most 2x): %s\n", ratio,
              near_floor ? "met" : "MISSED");
  return linear && near_floor ? 0 : 1;
}
