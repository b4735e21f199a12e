// The engine beside the engine it replaced, a plain linear engine and the
// floor, on prose and on adversarial profiles.
//
// Workloads (two passes, forward, as the text window runs them):
//  - prose: Windows-1251 prose from Debian's fortunes-ru (make_corpus.py)
//    with a 70-rule Cyrillic-to-Latin profile, two-letter terms in front;
//  - nul-term: "a" -> "x", then a find term holding a NUL, "\0b" -> "y", on
//    text over a, b and spaces (the filler of the first rule takes part in
//    the second, and every replacement may make another);
//  - long-removals: three removal terms of 10 to 12 letters on text full of
//    their nested pieces;
//  - alternating: 52 one-letter rules, a replacement and a removal in turn;
//  - many-rules: 2,000 random two- and three-letter Cyrillic terms on prose.
// Each at 64 KB, 256 KB and 1 MB; prose also at 16 MB.
//
// Columns: engine (engine/replace.h), old (the engine before runs of rules
// were swept at once: baseline_engine.h; left out where it is quadratic),
// plain (below: one straightforward linear pass per rule), floor (one memmem
// scan per rule and pass over the text as it stands, counting the
// occurrences of the rule's find term, lower-cased in pass 2; nothing is
// copied) and copy (the text copied into two strings once, as a run starts:
// how this machine's caches take each size). The columns run round-robin, so
// that a busy machine slows all of them alike, and the summary takes the
// median of the rounds. Before any timing, engine, old and plain must give
// the same text.
//
// Fails (exit 1) when the engine grows faster than linear (4 times the text
// takes more than 4.4 times the time, and more than 1.1 times what the
// copy's and the floor's times grow), when it is slower than plain at 1 MB,
// or when prose at 1 MB is less than 1.5 times as fast as old.
//
// usage: engine_benchmark --corpus=FILE [--rounds=N]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/benchmark/baseline_engine.h"
#include "engine/lower_case.h"
#include "engine/replace.h"
#include "engine/testing/cp1251.h"

namespace {

// ---- Profiles and texts -----------------------------------------------------

// Cyrillic to Latin, in profile order: two-letter terms first (earlier rules
// win), then capitals, then small letters. The hard sign goes away (an empty
// replacement).
const char* const kRuleLines[][2] = {
    {"ый", "yi"},  {"ий", "iy"}, {"ье", "ie"},  {"ъе", "ye"}, {"А", "A"},  {"Б", "B"},  {"В", "V"},
    {"Г", "G"},    {"Д", "D"},   {"Е", "E"},    {"Ё", "Yo"},  {"Ж", "Zh"}, {"З", "Z"},  {"И", "I"},
    {"Й", "Y"},    {"К", "K"},   {"Л", "L"},    {"М", "M"},   {"Н", "N"},  {"О", "O"},  {"П", "P"},
    {"Р", "R"},    {"С", "S"},   {"Т", "T"},    {"У", "U"},   {"Ф", "F"},  {"Х", "Kh"}, {"Ц", "Ts"},
    {"Ч", "Ch"},   {"Ш", "Sh"},  {"Щ", "Shch"}, {"Ъ", ""},    {"Ы", "Y"},  {"Ь", "'"},  {"Э", "E"},
    {"Ю", "Yu"},   {"Я", "Ya"},  {"а", "a"},    {"б", "b"},   {"в", "v"},  {"г", "g"},  {"д", "d"},
    {"е", "e"},    {"ё", "yo"},  {"ж", "zh"},   {"з", "z"},   {"и", "i"},  {"й", "y"},  {"к", "k"},
    {"л", "l"},    {"м", "m"},   {"н", "n"},    {"о", "o"},   {"п", "p"},  {"р", "r"},  {"с", "s"},
    {"т", "t"},    {"у", "u"},   {"ф", "f"},    {"х", "kh"},  {"ц", "ts"}, {"ч", "ch"}, {"ш", "sh"},
    {"щ", "shch"}, {"ъ", ""},    {"ы", "y"},    {"ь", "'"},   {"э", "e"},  {"ю", "yu"}, {"я", "ya"},
};

std::vector<TRule> ProseProfile() {
  std::vector<TRule> rules;
  for (const auto& line : kRuleLines) rules.push_back(TRule{W(line[0]), W(line[1]), false});
  return rules;
}

std::vector<TRule> NulTermProfile() {
  return {TRule{"a", "x", false}, TRule{std::string("\0b", 2), "y", false}};
}

const char* const kLongTerms[] = {"abcdefghij", "klmnopqrstu", "vwxyzabcdefg"};

std::vector<TRule> LongRemovalProfile() {
  std::vector<TRule> rules;
  for (const char* term : kLongTerms) rules.push_back(TRule{term, "", false});
  return rules;
}

std::vector<TRule> AlternatingProfile() {
  std::vector<TRule> rules;
  for (int i = 0; i < 52; ++i) {
    const char letter = static_cast<char>(i < 26 ? 'a' + i : 'A' + (i - 26));
    rules.push_back(
        TRule{std::string(1, letter), i % 2 == 0 ? std::string("q") + letter : "", false});
  }
  return rules;
}

std::vector<TRule> ManyRulesProfile() {
  std::mt19937 random(2000);
  const std::string small = W("абвгдежзийклмнопрстуфхцчшщъыьэюя");
  std::vector<TRule> rules;
  std::vector<std::string> seen;
  while (rules.size() < 2000) {
    std::string find(2 + random() % 2, ' ');
    for (char& c : find) c = small[random() % small.size()];
    if (std::find(seen.begin(), seen.end(), find) != seen.end()) continue;
    seen.push_back(find);
    std::string replacement(1 + random() % 3, ' ');
    for (char& c : replacement) c = static_cast<char>('a' + random() % 26);
    rules.push_back(TRule{find, replacement, false});
  }
  return rules;
}

std::string Repeat(const std::string& corpus, std::size_t size) {
  std::string text;
  text.reserve(size);
  while (text.size() < size) text.append(corpus, 0, std::min(corpus.size(), size - text.size()));
  return text;
}

// size bytes made of the pieces, drawn at random.
std::string Pieces(const std::vector<std::string>& pieces, std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string text;
  while (text.size() < size) text += pieces[random() % pieces.size()];
  text.resize(size);
  return text;
}

// ---- The plain linear engine ------------------------------------------------

// One straightforward linear pass per rule: copy the text into fresh strings,
// replacing each occurrence (found with std::string_view::find) as it comes;
// for an empty replacement or a find term holding NUL, push the text onto an
// output and replace whenever the output ends with the term (a
// Knuth-Morris-Pratt state tells), re-reading the filler; memmem jumps to the
// next occurrence while no partial match is pending.
class PlainEngine {
 public:
  const std::string& Run(const std::string& input, const std::vector<TRule>& rules) {
    search_ = input;
    result_ = input;
    bool lowered = false;
    for (int pass = 0; pass < 2; ++pass) {
      for (const TRule& rule : rules) {
        std::string find = rule.Left;
        std::string replacement = rule.Right;
        if (pass == 1) {
          LowerCaseInPlace(find);
          LowerCaseInPlace(replacement);
          if (!lowered) LowerCaseInPlace(search_);
          lowered = true;
        }
        Replace(find, replacement);
      }
    }
    return result_;
  }

 private:
  void Replace(const std::string& find, const std::string& replacement) {
    if (find.empty() || find.size() > search_.size()) return;
    if (!replacement.empty() && find.find('\0') == std::string::npos) {
      Copying(find, replacement);
    } else if (replacement.size() < find.size() ||
               find.find_first_not_of('\0') != std::string::npos) {
      Stacking(find, replacement);
    }
  }

  void Copying(const std::string& find, const std::string& replacement) {
    const std::string_view text(search_);
    std::size_t i = text.find(find);
    if (i == std::string::npos) return;
    out_search_.clear();
    out_result_.clear();
    std::size_t from = 0;
    for (; i != std::string::npos; i = text.find(find, from)) {
      out_search_.append(search_, from, i - from);
      out_result_.append(result_, from, i - from);
      out_search_.append(replacement.size(), '\0');
      out_result_.append(replacement);
      from = i + find.size();
    }
    out_search_.append(search_, from);
    out_result_.append(result_, from);
    search_.swap(out_search_);
    result_.swap(out_result_);
  }

  void Stacking(const std::string& find, const std::string& replacement) {
    const std::size_t m = find.size();
    std::vector<std::size_t> border(m + 1, 0);
    for (std::size_t q = 1, k = 0; q < m; ++q) {
      while (k > 0 && find[q] != find[k]) k = border[k];
      if (find[q] == find[k]) ++k;
      border[q + 1] = k;
    }
    const auto step = [&](std::size_t q, char c) {
      while (q > 0 && find[q] != c) q = border[q];
      return find[q] == c ? q + 1 : 0;
    };
    // The state after the output, which holds no occurrence: it depends on
    // its last m - 1 characters only.
    const auto state_after_output = [&] {
      std::size_t q = 0;
      const std::size_t size = out_search_.size();
      for (std::size_t i = size > m - 1 ? size - (m - 1) : 0; i < size; ++i) {
        q = step(q, out_search_[i]);
      }
      return q;
    };
    out_search_.clear();
    out_result_.clear();
    std::vector<char> pending;  // filler to read again, last first
    const std::size_t n = search_.size();
    std::size_t p = 0;
    std::size_t q = 0;
    while (true) {
      if (q == 0 && pending.empty()) {
        // No partial match pending: the next occurrence lies in the unread text.
        const void* hit = p + m <= n ? memmem(search_.data() + p, n - p, find.data(), m) : nullptr;
        const std::size_t i =
            hit != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(hit) - search_.data())
                : n;
        out_search_.append(search_, p, i - p);
        out_result_.append(result_, p, i - p);
        p = i;
        if (hit == nullptr) break;
        p += m;
        pending.insert(pending.end(), replacement.rbegin(), replacement.rend());
        q = state_after_output();
        continue;
      }
      char s = '\0';
      char r;
      if (!pending.empty()) {
        r = pending.back();
        pending.pop_back();
      } else if (p < n) {
        s = search_[p];
        r = result_[p];
        ++p;
      } else {
        break;
      }
      out_search_.push_back(s);
      out_result_.push_back(r);
      q = step(q, s);
      if (q == m) {
        out_search_.resize(out_search_.size() - m);
        out_result_.resize(out_result_.size() - m);
        pending.insert(pending.end(), replacement.rbegin(), replacement.rend());
        q = state_after_output();
      }
    }
    search_.swap(out_search_);
    result_.swap(out_result_);
  }

  std::string search_, result_, out_search_, out_result_;
};

// ---- The floor --------------------------------------------------------------

std::size_t Floor(const std::string& text, const std::vector<std::string>& finds) {
  std::size_t found = 0;
  for (const std::string& find : finds) {
    const char* at = text.data();
    const char* end = at + text.size();
    while (at < end) {
      const void* hit = memmem(at, static_cast<std::size_t>(end - at), find.data(), find.size());
      if (hit == nullptr) break;
      ++found;
      at = static_cast<const char*>(hit) + find.size();
    }
  }
  return found;
}

// ---- Timing -----------------------------------------------------------------

enum Column { kEngine, kOld, kPlain, kFloor, kCopy, kColumns };

struct Workload {
  const char* Name;
  std::vector<TRule> Rules;
  std::function<std::string(std::size_t)> Text;
  std::size_t OldUpTo;  // the old engine runs up to this size (it is quadratic beyond)
};

struct Size {
  const char* Name;
  std::size_t Bytes;
};
const Size kSizes[] = {
    {"64KB", 64u << 10}, {"256KB", 256u << 10}, {"1MB", 1u << 20}, {"16MB", 16u << 20}};

double Seconds(const std::function<void()>& run, int repeat) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeat;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

volatile std::size_t Sink = 0;

// Median seconds per run of each column, the columns interleaved round by
// round; 0 for a column left out. False when the engines disagree.
bool Measure(const Workload& workload, const std::string& text, int rounds,
             double (&seconds)[kColumns]) {
  TRunOptions options;  // two passes, forward
  TReplacePair pair;
  baseline::TReplacePair old_pair;
  PlainEngine plain;
  std::string copy_search;
  std::string copy_result;
  std::vector<std::string> finds[2];
  for (const TRule& rule : workload.Rules) {
    finds[0].push_back(rule.Left);
    finds[1].push_back(rule.Left);
    LowerCaseInPlace(finds[1].back());
  }
  finds[1].insert(finds[1].end(), finds[0].begin(), finds[0].end());
  const bool old_runs = text.size() <= workload.OldUpTo;
  std::function<void()> runs[kColumns] = {
      [&] {
        RunReplacement(pair, text, workload.Rules, options);
        Sink = Sink + pair.ResultText().size();
      },
      [&] {
        baseline::RunReplacement(old_pair, text, workload.Rules, options);
        Sink = Sink + old_pair.ResultText().size();
      },
      [&] { Sink = Sink + plain.Run(text, workload.Rules).size(); },
      [&] { Sink = Sink + Floor(text, finds[1]); },
      [&] {
        copy_search.assign(text);
        copy_result.assign(text);
        Sink = Sink + static_cast<unsigned char>(copy_search[text.size() / 2]) + copy_result.size();
      },
  };
  // The first run of each also warms its buffers up.
  for (int c = 0; c < kColumns; ++c) {
    if (c != kOld || old_runs) runs[c]();
  }
  const std::string& expected = plain.Run(text, workload.Rules);
  bool same = pair.ResultText() == expected;
  if (old_runs) same = same && old_pair.ResultText() == expected;
  if (!same) return false;

  int repeat[kColumns];
  for (int c = 0; c < kColumns; ++c) {
    const double once = c == kOld && !old_runs ? 0 : Seconds(runs[c], 1);
    repeat[c] = std::clamp(static_cast<int>(0.02 / std::max(once, 1e-6)), 1, 1000);
  }
  std::vector<double> samples[kColumns];
  for (int round = 0; round < rounds; ++round) {
    for (int c = 0; c < kColumns; ++c) {
      if (c == kOld && !old_runs) continue;
      samples[c].push_back(Seconds(runs[c], repeat[c]));
    }
  }
  for (int c = 0; c < kColumns; ++c) seconds[c] = Median(samples[c]);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string corpus_path;
  int rounds = 7;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--corpus=", 9) == 0) corpus_path = argv[i] + 9;
    if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
  }
  std::ifstream in(corpus_path, std::ios::binary);
  const std::string corpus((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (corpus.empty()) {
    std::fprintf(stderr,
                 "usage: %s --corpus=FILE [--rounds=N] (engine/benchmark/make_corpus.py makes "
                 "FILE)\n",
                 argv[0]);
    return 2;
  }
  const std::size_t kAll = ~std::size_t{0};
  const Workload workloads[] = {
      {"prose", ProseProfile(), [&](std::size_t n) { return Repeat(corpus, n); }, kAll},
      {"nul-term", NulTermProfile(),
       [](std::size_t n) {
         return Pieces({"a", "b", "ab", " "}, n, 1);
       },
       256u << 10},
      {"long-removals", LongRemovalProfile(),
       [](std::size_t n) {
         return Pieces({"abcde", "abcdefghij", "fghij", "klmnopqrstu", "vwxyz", "abcdefg", " t "},
                       n, 2);
       },
       kAll},
      {"alternating", AlternatingProfile(),
       [](std::size_t n) {
         return Pieces({"The ", "quick ", "brown ", "fox ", "Jumps ", "over ", "LAZY ", "dogs. "},
                       n, 3);
       },
       kAll},
      {"many-rules", ManyRulesProfile(), [&](std::size_t n) { return Repeat(corpus, n); }, kAll},
  };

  std::printf("%d rounds, columns interleaved; medians; MB/s of input text, two passes\n", rounds);
  std::printf("%-14s %-6s %9s %9s %9s %9s %9s %8s %9s\n", "workload", "text", "engine", "old",
              "plain", "floor", "copy", "old/eng", "plain/eng");
  bool ok = true;
  for (const Workload& workload : workloads) {
    double previous[kColumns] = {};
    std::string growth;
    for (const Size& size : kSizes) {
      const bool prose = std::strcmp(workload.Name, "prose") == 0;
      if (size.Bytes > (1u << 20) && !prose) continue;
      const std::string text = workload.Text(size.Bytes);
      double seconds[kColumns] = {};
      if (!Measure(workload, text, rounds, seconds)) {
        std::printf("%-14s %-6s the engines give different texts\n", workload.Name, size.Name);
        ok = false;
        continue;
      }
      const double megabytes = static_cast<double>(size.Bytes) / (1 << 20);
      char cells[kColumns][16];
      for (int c = 0; c < kColumns; ++c) {
        if (seconds[c] > 0) {
          std::snprintf(cells[c], sizeof cells[c], "%.1f", megabytes / seconds[c]);
        } else {
          std::snprintf(cells[c], sizeof cells[c], "-");  // old: quadratic here, not run
        }
      }
      const auto ratio = [&](Column c) { return seconds[c] / seconds[kEngine]; };
      char old_ratio[16] = "-";
      if (seconds[kOld] > 0) std::snprintf(old_ratio, sizeof old_ratio, "%.2f", ratio(kOld));
      std::printf("%-14s %-6s %9s %9s %9s %9s %9s %8s %9.2f\n", workload.Name, size.Name,
                  cells[kEngine], cells[kOld], cells[kPlain], cells[kFloor], cells[kCopy],
                  old_ratio, ratio(kPlain));
      if (previous[kEngine] > 0 && size.Bytes <= (1u << 20)) {
        // 4 times the text may take at most 4.4 times the time, or, where
        // copying or scanning the text itself slows down more than that
        // (the text leaves a cache), at most 1.1 times what they grow.
        const double times = seconds[kEngine] / previous[kEngine];
        const double copy_times = seconds[kCopy] / previous[kCopy];
        const double floor_times = seconds[kFloor] / previous[kFloor];
        char line[96];
        std::snprintf(line, sizeof line, " x%.2f (exponent %.2f; copy x%.2f, floor x%.2f)", times,
                      std::log(times) / std::log(4.0), copy_times, floor_times);
        growth += line;
        if (times > 4.4 && times > 1.1 * std::max(copy_times, floor_times)) {
          std::printf("  MISSED: 4 times the text takes %.2f times the time\n", times);
          ok = false;
        }
      }
      std::copy(seconds, seconds + kColumns, previous);
      if (size.Bytes == (1u << 20)) {
        if (ratio(kPlain) < 1) {
          std::printf("  MISSED: slower than the plain engine\n");
          ok = false;
        }
        if (prose && ratio(kOld) < 1.5) {
          std::printf("  MISSED: less than 1.5 times as fast as the old engine\n");
          ok = false;
        }
      }
    }
    std::printf("%-14s growth per 4 times the text:%s\n", workload.Name, growth.c_str());
  }
  std::printf("%s\n", ok ? "all targets met" : "targets MISSED");
  return ok ? 0 : 1;
}
