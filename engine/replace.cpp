// The masked replacement engine: linear-time equivalents of the literal
// steps. engine/oracle/literal_engine.cpp holds the literal steps; the tests
// check that both give the same SearchText/ResultText.
#include "engine/replace.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "engine/lower_case.h"
#include "engine/replace_all.h"
#include "engine/rule_batch.h"

using engine_detail::ReplaceAllCore;
using engine_detail::TByteCounts;
using engine_detail::TRuleBatch;
using engine_detail::TSweepCheck;

namespace {

// A rule as one pass applies it: find and replacement lower-cased where case
// is ignored.
struct TStep {
  std::string Find;
  std::string Replacement;
  bool CaseSensitive = true;
};

// Whether a rule with this find term gives the same strings before a pending
// series of one-character rules as after it, so that the series can go on
// gathering rules. It does when find holds no NUL and no byte the series
// names: the series then turns only bytes into filler that are no part of
// any occurrence of find, before or after the rule, and the rule masks or
// removes only bytes that the series does not name.
bool CommutesWith(const TRuleBatch& batch, const std::string& find) {
  for (const char c : find) {
    if (c == '\0' || batch.Names(c)) return false;
  }
  return true;
}

// The length of text that a series of rules is applied to at a time: small
// enough to stay in the processor's caches while every rule goes over it.
constexpr std::size_t kBlock = std::size_t{32} << 10;
// Fewer rules that each search the text than this go over the whole text one
// after the other: the blocks would cost more than they save.
constexpr std::size_t kBlockRules = 16;
// A text this short (a file name) is counted and searched plainly.
constexpr std::size_t kShortText = 256;

// The index of the lowest bit set in bits (not 0).
int LowestBit(std::uint64_t bits) {
#if defined(__GNUC__)
  return __builtin_ctzll(bits);
#else
  int index = 0;
  for (; (bits & 1) == 0; bits >>= 1) ++index;
  return index;
#endif
}

// The pairs of neighbouring bytes that a search copy holds, one bit each.
// A step only ever turns bytes of the search copy into NUL filler, so once
// taken from the text the table holds every pair without a NUL that the text
// will hold, until a step with an empty replacement removes bytes and brings
// their neighbours together. A find term with a pair (without a NUL) that
// the table lacks cannot occur: in prose, most of a large profile's letter
// pairs and triples in capitals.
class TBytePairs {
 public:
  void Take(std::string_view text) {
    bits_.fill(0);
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 1; i < text.size(); ++i) Set(s[i - 1], s[i]);
  }

  // False when find cannot occur in the text the table was taken from.
  bool MayHold(std::string_view find) const {
    const unsigned char* f = reinterpret_cast<const unsigned char*>(find.data());
    for (std::size_t i = 1; i < find.size(); ++i) {
      if (f[i - 1] != 0 && f[i] != 0 && !Has(f[i - 1], f[i])) return false;
    }
    return true;
  }

 private:
  static std::size_t Index(unsigned char a, unsigned char b) { return std::size_t{a} << 8 | b; }
  void Set(unsigned char a, unsigned char b) {
    bits_[Index(a, b) / 64] |= std::uint64_t{1} << (Index(a, b) % 64);
  }
  bool Has(unsigned char a, unsigned char b) const {
    return (bits_[Index(a, b) / 64] >> (Index(a, b) % 64) & 1) != 0;
  }

  std::array<std::uint64_t, 65536 / 64> bits_{};
};

}  // namespace

// The engine's view of a pair: the lower-casing put off, the byte counts.
struct TPairAccess {
  // Step 1 of MaskedReplaceAll for SearchText, and a valid byte count. The
  // lower-casing itself waits (Materialize) until a search may find something;
  // the byte count follows from the mapping.
  static void Prepare(TReplacePair& pair, bool caseSensitive) {
    if (!pair.counts_valid_) Count(pair);
    if (caseSensitive || (pair.search_lowered_ && LowerCaseIsIdempotent())) return;
    if (pair.lowering_pending_) Materialize(pair);  // not idempotent: lower twice
    const unsigned char* lower = LowerCaseTable();
    TByteCounts lowered{};
    for (int b = 0; b < 256; ++b) {
      const std::size_t count = pair.counts_[static_cast<std::size_t>(b)];
      lowered[lower[b]] += count;
      if (count > 0 && lower[b] != b) pair.lowering_pending_ = true;
    }
    pair.counts_ = lowered;
    pair.search_lowered_ = true;
  }

  static void Materialize(const TReplacePair& pair) {
    if (!pair.lowering_pending_) return;
    LowerCaseInPlace(pair.search_);
    pair.lowering_pending_ = false;
  }

  static void Count(TReplacePair& pair) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(pair.search_.data());
    const std::size_t n = pair.search_.size();
    pair.counts_valid_ = true;
    if (n <= kShortText) {  // a file name: the tallies below would cost more than it
      pair.counts_.fill(0);
      for (std::size_t i = 0; i < n; ++i) ++pair.counts_[s[i]];
      return;
    }
    // Four tallies side by side, so that runs of one byte do not wait on
    // each other's increments.
    std::array<std::array<std::size_t, 256>, 4> tallies{};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
      ++tallies[0][s[i]];
      ++tallies[1][s[i + 1]];
      ++tallies[2][s[i + 2]];
      ++tallies[3][s[i + 3]];
    }
    for (; i < n; ++i) ++tallies[0][s[i]];
    for (std::size_t b = 0; b < 256; ++b) {
      pair.counts_[b] = tallies[0][b] + tallies[1][b] + tallies[2][b] + tallies[3][b];
    }
  }

  // Steps 2 and 3 of MaskedReplaceAll, after Prepare, with find and
  // replacement lower-cased where that is asked.
  // When check says stop, the pair is left with the rule applied to part of
  // it, and its byte counts are taken afresh when next needed.
  static void Replace(TReplacePair& pair, std::string_view find, std::string_view replacement,
                      TSweepCheck& check) {
    for (const char c : find) {
      if (pair.counts_[static_cast<unsigned char>(c)] == 0) return;  // cannot occur
    }
    if (find.empty() || find.size() > pair.search_.size()) return;
    Materialize(pair);
    const std::size_t replaced =
        ReplaceAllCore(pair.search_, pair.result_, find, replacement, pair.positions_,
                       pair.borders_, &pair.counts_, check);
    for (const char c : find) pair.counts_[static_cast<unsigned char>(c)] -= replaced;
    pair.counts_[0] += replaced * replacement.size();
    if (check.Stopped()) pair.counts_valid_ = false;
  }

  // Applies a series of one-character rules gathered since the last call.
  static void ApplyBatch(TReplacePair& pair, TRuleBatch& batch, TSweepCheck& check) {
    if (batch.Empty()) return;
    Prepare(pair, batch.CaseSensitive());
    const std::size_t grown = batch.Restrict(pair.counts_, pair.search_.size());
    if (grown != 0) {
      Materialize(pair);
      if (!batch.Sweep(pair.search_, pair.result_, grown, check)) pair.counts_valid_ = false;
    }
    batch.Settle(pair.counts_);
  }

  // ApplyPassSteps: MaskedReplaceAll for step i, its lower-casing done ahead
  // and its first bytes looked up before anything else. settled: the text
  // is lower-cased for good, so Prepare has nothing to do for any step.
  static void ApplyPassStep(TReplacePair& pair, const TPassSteps& steps, std::size_t i,
                            bool& settled, bool idempotent) {
    const TPassSteps::TKey key = steps.keys_[i];
    if (key.IgnoresCase && !settled) {
      Prepare(pair, false);
      settled = idempotent;
    }
    if (pair.counts_[key.First] == 0 || pair.counts_[key.Second] == 0) return;  // cannot occur
    const TPassStep& step = steps.steps_[i];
    if (pair.search_.size() <= kShortText) {
      // A plain search says at less cost whether anything is to be done.
      Materialize(pair);
      if (std::string_view(pair.search_).find(step.Find) == std::string_view::npos) return;
    }
    TSweepCheck never;
    Replace(pair, step.Find, step.Replacement, never);
  }

  static void ApplyPassSteps(TReplacePair& pair, const TPassSteps& steps) {
    const bool idempotent = LowerCaseIsIdempotent();
    Prepare(pair, true);  // the byte counts
    bool settled = pair.search_lowered_ && idempotent;
    const std::size_t size = steps.Size();
    if (!idempotent) {  // each step that ignores case may bring new bytes
      for (std::size_t i = 0; i < size; ++i) ApplyPassStep(pair, steps, i, settled, idempotent);
      return;
    }
    // A pass whose first step ignores case lower-cases the text there and
    // then, before any step can have changed it.
    if (!settled && size > 0 && steps.first_ignoring_case_ == 0) {
      Prepare(pair, false);
      settled = true;
    }
    // The bytes the text may hold during the pass: those it holds now, NUL
    // (the filler of replacements) and, when a step of the pass may still
    // lower-case the text, the lower-case forms of those it holds. Only the
    // steps whose find's first two bytes are among them can occur; the first
    // step that ignores case is visited for its lower-casing.
    const bool may_lower = !settled && steps.first_ignoring_case_ < size;
    std::array<bool, 256> may_hold{};
    std::array<unsigned char, 256> held{};  // the bytes of may_hold, each once
    std::size_t held_count = 0;
    const auto hold = [&](unsigned char b) {
      if (!may_hold[b]) held[held_count++] = b;
      may_hold[b] = true;
    };
    hold(0);
    const unsigned char* lower = LowerCaseTable();
    for (std::size_t b = 0; b < 256; ++b) {
      if (pair.counts_[b] == 0) continue;
      hold(static_cast<unsigned char>(b));
      if (may_lower) hold(lower[b]);
    }
    std::vector<std::uint64_t> visit((size + 63) / 64);
    const auto mark = [&visit](std::size_t i) { visit[i / 64] |= std::uint64_t{1} << (i % 64); };
    for (std::size_t h = 0; h < held_count; ++h) {
      const unsigned char b = held[h];
      for (std::uint32_t g = steps.group_start_[b]; g < steps.group_start_[b + 1]; ++g) {
        const std::uint32_t i = steps.by_first_[g];
        if (may_hold[steps.keys_[i].Second]) mark(i);
      }
    }
    if (may_lower) mark(steps.first_ignoring_case_);
    for (std::size_t word = 0; word < visit.size(); ++word) {
      for (std::uint64_t bits = visit[word]; bits != 0; bits &= bits - 1) {
        ApplyPassStep(pair, steps, word * 64 + LowestBit(bits), settled, idempotent);
      }
    }
  }

  // Applies steps [first, last), all of one case mode, in order; false when
  // check said stop. pairs, when given, takes the text's byte pairs first, so
  // that the steps whose find the text cannot hold are not searched for; that
  // needs the search copy's bytes as the steps see them.
  static bool ApplySteps(TReplacePair& pair, const TStep* first, const TStep* last,
                         TSweepCheck& check, TBytePairs* pairs) {
    if (pairs && first != last) {
      Prepare(pair, first->CaseSensitive);
      Materialize(pair);
      pairs->Take(pair.search_);
    }
    bool pairs_stale = false;
    TRuleBatch batch;
    for (const TStep* step = first; step != last; ++step) {
      const std::string& find = step->Find;
      const bool batchable = find.size() == 1 && find[0] != '\0' && !step->Replacement.empty();
      // Found nowhere, now or after any step of the batch, so in no order.
      if (pairs && !batchable && !pairs->MayHold(find)) {
        if (!pairs_stale) continue;
        pairs->Take(pair.search_);  // retaken only when it decides something
        pairs_stale = false;
        if (!pairs->MayHold(find)) continue;
      }
      if (!batch.Empty() && !batchable && !CommutesWith(batch, find)) {
        ApplyBatch(pair, batch, check);
      }
      if (batchable) {
        batch.Add(find[0], step->Replacement, step->CaseSensitive);
      } else {
        Prepare(pair, step->CaseSensitive);
        const std::size_t size = pair.search_.size();
        Replace(pair, find, step->Replacement, check);
        // A deletion brings bytes together that may form new pairs.
        if (step->Replacement.empty() && pair.search_.size() != size) pairs_stale = true;
      }
      if (check.Stopped()) return false;
    }
    ApplyBatch(pair, batch, check);
    return !check.Stopped();
  }

  // ApplySteps block by block over a long text. A byte that no find term of
  // the steps holds is never replaced and never part of an occurrence, so
  // what lies before it and what lies after it go through the steps apart:
  // the text is cut right after such bytes into blocks of about kBlock, and
  // each block goes through all the steps while it is in the caches. The
  // cuts need the search copy's bytes as the steps see them: lower-cased
  // once for good (an idempotent lower-casing) or not at all.
  static bool ApplyStepsByBlocks(TReplacePair& pair, const TStep* first, const TStep* last,
                                 TSweepCheck& check) {
    if (first == last) return true;
    const bool caseSensitive = first->CaseSensitive;
    std::size_t searching = 0;  // rules that search (not one-character ones)
    for (const TStep* step = first; step != last; ++step) searching += step->Find.size() != 1;
    // A text longer than a name, under enough rules that search, notes its
    // byte pairs. A lower-casing that is not idempotent changes the search
    // copy at every step that ignores case, so there it cannot.
    const bool steady = caseSensitive || LowerCaseIsIdempotent();
    std::unique_ptr<TBytePairs> pairs;
    if (searching >= kBlockRules && steady && pair.search_.size() > kShortText) {
      pairs = std::make_unique<TBytePairs>();
    }
    if (searching < kBlockRules || pair.search_.size() <= 2 * kBlock || !steady) {
      return ApplySteps(pair, first, last, check, pairs.get());
    }
    Prepare(pair, caseSensitive);
    Materialize(pair);
    std::array<bool, 256> held{};  // by byte: some find term holds it
    for (const TStep* step = first; step != last; ++step) {
      for (const char c : step->Find) held[static_cast<unsigned char>(c)] = true;
    }
    const std::string& search = pair.search_;
    const std::size_t n = search.size();
    std::string out_search;
    std::string out_result;
    out_search.reserve(n);
    out_result.reserve(n);
    TReplacePair block;
    std::size_t unasked = 0;  // bytes gone through since the hook was last asked
    std::size_t start = 0;
    bool finished = true;
    while (start < n && finished) {
      std::size_t end = n - start <= 2 * kBlock ? n : start + kBlock;
      while (end < n && held[static_cast<unsigned char>(search[end - 1])]) ++end;
      block.search_.assign(search, start, end - start);
      block.result_.assign(pair.result_, start, end - start);
      block.search_lowered_ = pair.search_lowered_;
      block.lowering_pending_ = false;
      block.counts_valid_ = false;
      finished = ApplySteps(block, first, last, check, pairs.get());
      out_search += block.search_;
      out_result += block.result_;
      unasked += end - start;
      start = end;
      if (finished && unasked >= TSweepCheck::kStride) {
        unasked = 0;
        finished = !check.AskNow();
      }
    }
    // Stopped: the rest goes on unchanged.
    out_search.append(search, start, n - start);
    out_result.append(pair.result_, start, n - start);
    pair.search_.swap(out_search);
    pair.result_.swap(out_result);
    pair.counts_valid_ = false;
    return finished;
  }
};

void TReplacePair::Start(std::string_view input) {
  search_.assign(input.data(), input.size());
  result_.assign(input.data(), input.size());
  search_lowered_ = false;
  lowering_pending_ = false;
  counts_valid_ = false;
}

const std::string& TReplacePair::SearchText() const {
  TPairAccess::Materialize(*this);
  return search_;
}

std::string TReplacePair::TakeResultText() {
  std::string taken = std::move(result_);
  Clear();
  return taken;
}

void MaskedReplaceAll(TReplacePair& pair, std::string find, std::string replacement,
                      bool caseSensitive) {
  if (!caseSensitive) {
    LowerCaseInPlace(find);
    LowerCaseInPlace(replacement);
  }
  TSweepCheck never;
  TPairAccess::Prepare(pair, caseSensitive);
  TPairAccess::Replace(pair, find, replacement, never);
}

void ReplaceAllInString(std::string& text, std::string find, std::string_view replacement,
                        bool caseSensitive) {
  std::string result = text;
  std::string search = std::move(text);
  if (!caseSensitive) {
    LowerCaseInPlace(find);
    LowerCaseInPlace(search);
  }
  std::vector<std::size_t> positions;
  std::vector<std::size_t> borders;
  TSweepCheck never;
  ReplaceAllCore(search, result, find, replacement, positions, borders, nullptr, never);
  text = std::move(result);
}

namespace {

// What MaskedReplaceAll receives for a rule: find, replacement, case mode.
struct TCall {
  const std::string* Find;
  const std::string* Replacement;
  bool CaseSensitive;
};

TCall CallFor(const TRule& rule, bool passCaseSensitive, TDirection direction,
              TSelfMapping selfMapping) {
  if (rule.SelfMapping && selfMapping == TSelfMapping::kAlwaysIgnoreCase) {
    return {&rule.Left, &rule.Left, false};
  }
  if (direction == TDirection::kForward) return {&rule.Left, &rule.Right, passCaseSensitive};
  return {&rule.Right, &rule.Left, passCaseSensitive};
}

}  // namespace

void ApplyRule(TReplacePair& pair, const TRule& rule, bool passCaseSensitive, TDirection direction,
               TSelfMapping selfMapping) {
  const TCall call = CallFor(rule, passCaseSensitive, direction, selfMapping);
  MaskedReplaceAll(pair, *call.Find, *call.Replacement, call.CaseSensitive);
}

TPassSteps::TPassSteps(std::vector<TPassStep> steps) : steps_(std::move(steps)) {
  keys_.resize(steps_.size());
  first_ignoring_case_ = steps_.size();
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const std::string_view find = steps_[i].Find;
    TKey& key = keys_[i];
    key.First = find.empty() ? 0 : static_cast<unsigned char>(find[0]);
    key.Second = find.size() < 2 ? key.First : static_cast<unsigned char>(find[1]);
    key.IgnoresCase = !steps_[i].CaseSensitive;
    if (key.IgnoresCase && first_ignoring_case_ == steps_.size()) first_ignoring_case_ = i;
    ++group_start_[key.First + 1];
  }
  for (std::size_t b = 0; b < 256; ++b) group_start_[b + 1] += group_start_[b];
  by_first_.resize(steps_.size());
  std::array<std::uint32_t, 256> next{};
  std::copy(group_start_.begin(), group_start_.end() - 1, next.begin());
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    by_first_[next[keys_[i].First]++] = static_cast<std::uint32_t>(i);
  }
}

std::size_t TPassSteps::MemorySize() const {
  return steps_.capacity() * sizeof(TPassStep) + keys_.capacity() * sizeof(TKey) +
         by_first_.capacity() * sizeof(std::uint32_t);
}

void ApplyPassSteps(TReplacePair& pair, const TPassSteps& steps) {
  TPairAccess::ApplyPassSteps(pair, steps);
}

bool RunReplacement(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                    const TRunOptions& options) {
  pair.Start(input);
  TSweepCheck check(&options.Cancelled);
  std::vector<TStep> steps(rules.size());
  const int passes = PassCount(options.CaseSensitive);
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
      const TCall call =
          CallFor(rules[i], PassIsCaseSensitive(pass), options.Direction, options.SelfMapping);
      TStep& step = steps[i];
      step.Find = *call.Find;
      step.Replacement = *call.Replacement;
      step.CaseSensitive = call.CaseSensitive;
      if (!call.CaseSensitive) {
        LowerCaseInPlace(step.Find);
        LowerCaseInPlace(step.Replacement);
      }
    }
    // Series of rules of one case mode; Cancelled is asked for each rule of
    // a series, in order, before the series runs.
    for (std::size_t begin = 0; begin < steps.size();) {
      std::size_t end = begin + 1;
      while (end < steps.size() && steps[end].CaseSensitive == steps[begin].CaseSensitive) ++end;
      std::size_t asked = begin;
      while (asked < end && !(options.Cancelled && options.Cancelled())) ++asked;
      const TStep* first = steps.data() + begin;
      if (!TPairAccess::ApplyStepsByBlocks(pair, first, first + (asked - begin), check) ||
          asked < end) {
        return false;
      }
      begin = end;
    }
  }
  return true;
}
