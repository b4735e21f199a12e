// The engine as it was before it swept runs of rules at once and asked to be
// cancelled inside a rule: the baseline column of engine_benchmark, kept
// verbatim in a namespace of its own.
#include "engine/benchmark/baseline_engine.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/lower_case.h"
#include "engine/replace.h"

namespace baseline {

namespace engine_detail {

// How often each byte occurs in a text.
using TByteCounts = std::array<std::size_t, 256>;

inline constexpr std::size_t kNotFound = std::string::npos;

class TTermSearch {
 public:
  static constexpr std::size_t kMaxAnchored = 8;

  // borders is scratch space of the caller, reused between rules.
  TTermSearch(std::string_view find, std::vector<std::size_t>& borders,
              const TByteCounts* counts = nullptr)
      : find_(find), size_(find.size()), borders_(borders) {
    if (size_ <= kMaxAnchored && counts != nullptr) {
      for (std::size_t j = 1; j < size_; ++j) {
        if ((*counts)[static_cast<unsigned char>(find_[j])] <
            (*counts)[static_cast<unsigned char>(find_[anchor_])]) {
          anchor_ = j;
        }
      }
    }
    // borders_[q]: length of the longest proper border of find[0, q).
    borders_.assign(size_ + 1, 0);
    std::size_t k = 0;
    for (std::size_t q = 1; q < size_; ++q) {
      while (k > 0 && find_[q] != find_[k]) k = borders_[k];
      if (find_[q] == find_[k]) ++k;
      borders_[q + 1] = k;
    }
  }

  // The state after state q (< size) reads c: the length of the longest prefix
  // of find that is a suffix of what has been read; size_ means a match.
  std::size_t Step(std::size_t q, char c) const {
    while (q > 0 && find_[q] != c) q = borders_[q];
    return find_[q] == c ? q + 1 : 0;
  }

  // Start of the leftmost occurrence of find in text[from, size), or kNotFound.
  std::size_t Find(const char* text, std::size_t size, std::size_t from) const {
    if (size_ <= kMaxAnchored) return FindAnchored(text, size, from);
    std::size_t q = 0;
    std::size_t i = from;
    while (i < size) {
      if (q == 0) {
        if (size - i < size_) return kNotFound;
        const void* hit = std::memchr(text + i, find_[0], size - i - size_ + 1);
        if (hit == nullptr) return kNotFound;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text) + 1;
        q = 1;
      } else {
        q = Step(q, text[i]);
        ++i;
      }
      if (q == size_) return i - size_;
    }
    return kNotFound;
  }

  std::size_t FindAnchored(const char* text, std::size_t size, std::size_t from) const {
    if (size < size_ || from > size - size_) return kNotFound;
    const std::size_t last = size - size_ + anchor_;  // last place for the anchor
    for (std::size_t i = from + anchor_; i <= last;) {
      const void* hit = std::memchr(text + i, find_[anchor_], last - i + 1);
      if (hit == nullptr) return kNotFound;
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
      const std::size_t start = at - anchor_;
      if (std::memcmp(text + start, find_.data(), size_) == 0) return start;
      i = at + 1;
    }
    return kNotFound;
  }

  // The state after reading text[0, end), given that it holds no occurrence:
  // it depends only on the last size - 1 characters.
  std::size_t StateAfter(const char* text, std::size_t end) const {
    std::size_t q = 0;
    for (std::size_t i = end > size_ - 1 ? end - (size_ - 1) : 0; i < end; ++i) {
      q = Step(q, text[i]);
    }
    return q;
  }

 private:
  std::string_view find_;
  std::size_t size_;
  std::size_t anchor_ = 0;
  std::vector<std::size_t>& borders_;
};

}  // namespace engine_detail

namespace engine_detail {

class TRuleBatch {
 public:
  bool Empty() const { return bytes_.empty(); }
  bool CaseSensitive() const { return case_sensitive_; }

  // Adds the rule byte -> replacement (byte not NUL, replacement not empty);
  // a rule whose byte an earlier rule of the batch names finds nothing.
  void Add(char byte, std::string_view replacement, bool caseSensitive);

  // Given the search copy's byte counts, drops the rules that find nothing and
  // returns the length that both strings will have after Sweep; 0 when no
  // rule finds anything.
  std::size_t Restrict(const TByteCounts& counts, std::size_t size);

  // Applies the rules to the search and result copies (search lower-cased
  // where the case mode asks for it).
  void Sweep(std::string& search, std::string& result, std::size_t grown) const;

  // Updates the byte counts for the sweep and empties the batch.
  void Settle(TByteCounts& counts);

 private:
  void SweepInPlace(char* s, char* r, std::size_t n) const;
  bool ShortReplacements() const;

  std::array<unsigned char, 256> slot_{};  // by byte: 0 for none, else index + 1
  std::vector<unsigned char> bytes_;
  std::vector<std::string> replacements_;
  bool case_sensitive_ = true;
};

}  // namespace engine_detail

// Linear-time equivalents of the literal replace-all steps, one per kind of
// rule: an empty replacement, a find term holding NUL, and the rest.

namespace engine_detail {

namespace {

// Moves what follows position p in both strings down to position w and cuts
// both strings after it: the end of a sweep that removed or shortened.
void CloseUpTail(std::string& search, std::string& result, std::size_t w, std::size_t p) {
  const std::size_t tail = search.size() - p;
  std::memmove(search.data() + w, search.data() + p, tail);
  std::memmove(result.data() + w, result.data() + p, tail);
  search.resize(w + tail);
  result.resize(w + tail);
}

// Empty replacement. The literal steps remove the leftmost occurrence and search
// the closed-up text again from the start. Equivalent: push the text character
// by character onto an output (kept in place at the front of both strings) and
// drop the last find.size() characters whenever the output ends with find. The
// output never holds an occurrence, so the first one to complete at its end is
// the leftmost of the whole current text. While no partial match is pending at
// the end of the output, the next occurrence lies wholly in the unread input
// and is found with one search.
std::size_t RemoveAll(std::string& search, std::string& result, std::string_view find,
                      std::vector<std::size_t>& borders, const TByteCounts* counts) {
  const TTermSearch term(find, borders, counts);
  const std::size_t m = find.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  const std::size_t first = term.Find(s, n, 0);
  if (first == kNotFound) return 0;
  std::size_t removed = 1;
  std::size_t w = first;      // output: [0, w)
  std::size_t p = first + m;  // unread input: [p, n)
  std::size_t q = term.StateAfter(s, w);
  while (true) {
    if (q == 0) {
      const std::size_t i = term.Find(s, n, p);
      if (i == kNotFound) break;
      std::memmove(s + w, s + p, i - p);
      std::memmove(r + w, r + p, i - p);
      w += i - p;
      p = i + m;
      ++removed;
      q = term.StateAfter(s, w);
    } else {
      if (p == n) break;
      s[w] = s[p];
      r[w] = r[p];
      q = term.Step(q, s[w]);
      ++w;
      ++p;
      if (q == m) {
        w -= m;
        ++removed;
        q = term.StateAfter(s, w);
      }
    }
  }
  CloseUpTail(search, result, w, p);
  return removed;
}

// Non-empty replacement, find without NUL: after a replacement no occurrence can
// start inside or before the filler, so the literal steps replace the
// non-overlapping occurrences from left to right in the text as it was.
std::size_t ReplaceOccurrences(std::string& search, std::string& result, std::string_view find,
                               std::string_view replacement, std::vector<std::size_t>& positions,
                               std::vector<std::size_t>& borders, const TByteCounts* counts) {
  const TTermSearch term(find, borders, counts);
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  if (k == m) {  // same length: in place
    std::size_t replaced = 0;
    for (std::size_t i = term.Find(s, n, 0); i != kNotFound; i = term.Find(s, n, i + m)) {
      std::memset(s + i, 0, k);
      std::memcpy(r + i, replacement.data(), k);
      ++replaced;
    }
    return replaced;
  }

  if (k < m) {  // shorter: one sweep that compacts towards the front
    std::size_t w = 0;
    std::size_t p = 0;
    std::size_t replaced = 0;
    for (std::size_t i = term.Find(s, n, 0); i != kNotFound; i = term.Find(s, n, p)) {
      ++replaced;
      std::memmove(s + w, s + p, i - p);
      std::memmove(r + w, r + p, i - p);
      w += i - p;
      std::memset(s + w, 0, k);
      std::memcpy(r + w, replacement.data(), k);
      w += k;
      p = i + m;
    }
    if (replaced == 0) return 0;
    CloseUpTail(search, result, w, p);
    return replaced;
  }

  // longer: find the occurrences, grow both strings once, fill from the back
  positions.clear();
  for (std::size_t i = term.Find(s, n, 0); i != kNotFound; i = term.Find(s, n, i + m)) {
    positions.push_back(i);
  }
  if (positions.empty()) return 0;
  const std::size_t grown = n + positions.size() * (k - m);
  search.resize(grown);
  result.resize(grown);
  s = search.data();
  r = result.data();
  std::size_t source_end = n;
  std::size_t target_end = grown;
  for (std::size_t j = positions.size(); j-- > 0;) {
    const std::size_t i = positions[j];
    const std::size_t tail = source_end - (i + m);
    target_end -= tail;
    std::memmove(s + target_end, s + i + m, tail);
    std::memmove(r + target_end, r + i + m, tail);
    target_end -= k;
    std::memset(s + target_end, 0, k);
    std::memcpy(r + target_end, replacement.data(), k);
    source_end = i;
  }
  return positions.size();
}

// Non-empty replacement, find holding a NUL: the filler may take part in a
// later occurrence, so take the literal steps. The search restarts find.size()
// - 1 characters before the last replacement: any earlier start would lie
// wholly in text that had no occurrence. It ends, because every replacement
// removes at least one byte other than NUL and adds only NULs, except for a
// find made only of NULs whose replacement is not shorter, which never ends
// and is defined to change nothing (see replace.h).
std::size_t ReplaceWithNulInFind(std::string& search, std::string& result, std::string_view find,
                                 std::string_view replacement) {
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  if (k >= m && find.find_first_not_of('\0') == std::string_view::npos) return 0;
  std::size_t replaced = 0;
  std::size_t from = 0;
  for (std::size_t i = search.find(find, from); i != kNotFound; i = search.find(find, from)) {
    search.replace(i, m, k, '\0');
    result.replace(i, m, replacement);
    from = i + 1 >= m ? i + 1 - m : 0;
    ++replaced;
  }
  return replaced;
}

}  // namespace

std::size_t ReplaceAllCore(std::string& search, std::string& result, std::string_view find,
                           std::string_view replacement, std::vector<std::size_t>& positions,
                           std::vector<std::size_t>& borders, const TByteCounts* counts) {
  if (find.empty() || find.size() > search.size()) return 0;
  if (replacement.empty()) return RemoveAll(search, result, find, borders, counts);
  if (find.find('\0') != std::string_view::npos) {
    return ReplaceWithNulInFind(search, result, find, replacement);
  }
  return ReplaceOccurrences(search, result, find, replacement, positions, borders, counts);
}

}  // namespace engine_detail
// One sweep for a series of one-character rules.

namespace engine_detail {

namespace {

std::uint64_t LittleEndianWord(const unsigned char* bytes) {
  std::uint64_t word = 0;
  for (std::size_t b = sizeof word; b-- > 0;) word = (word << 8) | bytes[b];
  return word;
}

void StoreLittleEndianWord(char* target, std::uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::memcpy(target, &word, sizeof word);
#else
  for (std::size_t b = 0; b < sizeof word; ++b) target[b] = static_cast<char>(word >> (8 * b));
#endif
}

}  // namespace

void TRuleBatch::Add(char byte, std::string_view replacement, bool caseSensitive) {
  case_sensitive_ = caseSensitive;
  const unsigned char b = static_cast<unsigned char>(byte);
  if (slot_[b] != 0) return;
  bytes_.push_back(b);
  replacements_.emplace_back(replacement);
  slot_[b] = static_cast<unsigned char>(bytes_.size());
}

std::size_t TRuleBatch::Restrict(const TByteCounts& counts, std::size_t size) {
  std::size_t grown = size;
  bool any = false;
  for (std::size_t e = 0; e < bytes_.size(); ++e) {
    const std::size_t count = counts[bytes_[e]];
    if (count == 0) slot_[bytes_[e]] = 0;
    any = any || count > 0;
    grown += count * (replacements_[e].size() - 1);
  }
  return any ? grown : 0;
}

void TRuleBatch::Settle(TByteCounts& counts) {
  for (std::size_t e = 0; e < bytes_.size(); ++e) {
    std::size_t& count = counts[bytes_[e]];
    counts[0] += count * replacements_[e].size();
    count = 0;
    slot_[bytes_[e]] = 0;
  }
  bytes_.clear();
  replacements_.clear();
}

void TRuleBatch::Sweep(std::string& search, std::string& result, std::size_t grown) const {
  const std::size_t n = search.size();
  if (grown == n) {  // every replacement has one character
    SweepInPlace(search.data(), result.data(), n);
    return;
  }
  // Grow both strings once, then fill them from the back: the write
  // position w never falls below the read position i, since what is still
  // to be read can only grow.
  search.resize(grown);
  result.resize(grown);
  char* s = search.data();
  char* r = result.data();
  std::size_t i = n;
  std::size_t w = grown;
  if (ShortReplacements()) {
    // Branch-free while the gap is at least one word: each character's
    // output is the top end of an 8-byte word stored just below w; the
    // excess below its own bytes is overwritten by the next output.
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    std::array<std::uint64_t, 256> words{};  // by slot: the replacement at the top end
    std::array<std::uint64_t, 256> keep{};   // by slot: all ones where nothing is replaced
    std::array<std::size_t, 256> sizes{};
    keep[0] = ~std::uint64_t{0};
    sizes[0] = 1;
    for (std::size_t e = 0; e < replacements_.size(); ++e) {
      const std::string& replacement = replacements_[e];
      unsigned char bytes[kWord] = {};
      std::memcpy(bytes + kWord - replacement.size(), replacement.data(), replacement.size());
      words[e + 1] = LittleEndianWord(bytes);
      sizes[e + 1] = replacement.size();
    }
    constexpr int kTopShift = 8 * (kWord - 1);
    // Table lookups rather than conditions, so that no branch mispredicts.
    while (i > 0 && w - i >= kWord) {
      --i;
      const unsigned char c = static_cast<unsigned char>(s[i]);
      const unsigned slot = slot_[c];
      const std::uint64_t search_word = keep[slot] & (std::uint64_t{c} << kTopShift);
      const std::uint64_t result_word =
          words[slot] |
          (keep[slot] & (std::uint64_t{static_cast<unsigned char>(r[i])} << kTopShift));
      StoreLittleEndianWord(s + w - kWord, search_word);
      StoreLittleEndianWord(r + w - kWord, result_word);
      w -= sizes[slot];
    }
  }
  while (i > 0 && w > i) {
    --i;
    const unsigned slot = slot_[static_cast<unsigned char>(s[i])];
    if (slot == 0) {
      --w;
      s[w] = s[i];
      r[w] = r[i];
    } else {
      const std::string& replacement = replacements_[slot - 1];
      w -= replacement.size();
      std::memset(s + w, 0, replacement.size());
      std::memcpy(r + w, replacement.data(), replacement.size());
    }
  }
  // Nothing left to grow: what remains has only one-character replacements.
  SweepInPlace(s, r, i);
}

void TRuleBatch::SweepInPlace(char* s, char* r, std::size_t n) const {
  std::array<unsigned char, 256> first{};  // by slot: the one-character replacement
  std::array<unsigned char, 256> keep{};   // by slot: 0xFF where nothing is replaced
  keep[0] = 0xFF;
  for (std::size_t e = 0; e < replacements_.size(); ++e) {
    first[e + 1] = static_cast<unsigned char>(replacements_[e][0]);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const unsigned slot = slot_[c];
    s[i] = static_cast<char>(c & keep[slot]);
    r[i] = static_cast<char>((static_cast<unsigned char>(r[i]) & keep[slot]) | first[slot]);
  }
}

bool TRuleBatch::ShortReplacements() const {
  for (const std::string& replacement : replacements_) {
    if (replacement.size() > sizeof(std::uint64_t)) return false;
  }
  return true;
}

}  // namespace engine_detail
// The masked replacement engine: linear-time equivalents of the literal
// steps. engine/oracle/literal_engine.cpp holds the literal steps; the tests
// check that both give the same SearchText/ResultText.

using engine_detail::ReplaceAllCore;
using engine_detail::TByteCounts;
using engine_detail::TRuleBatch;

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
    // Four tallies side by side, so that runs of one byte do not wait on
    // each other's increments.
    std::array<std::array<std::size_t, 256>, 4> tallies{};
    const unsigned char* s = reinterpret_cast<const unsigned char*>(pair.search_.data());
    const std::size_t n = pair.search_.size();
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
    pair.counts_valid_ = true;
  }

  // Steps 2 and 3 of MaskedReplaceAll, after Prepare, with find and
  // replacement lower-cased where that is asked.
  static void Replace(TReplacePair& pair, std::string_view find, std::string_view replacement) {
    for (const char c : find) {
      if (pair.counts_[static_cast<unsigned char>(c)] == 0) return;  // cannot occur
    }
    if (find.empty() || find.size() > pair.search_.size()) return;
    Materialize(pair);
    const std::size_t replaced = ReplaceAllCore(pair.search_, pair.result_, find, replacement,
                                                pair.positions_, pair.borders_, &pair.counts_);
    for (const char c : find) pair.counts_[static_cast<unsigned char>(c)] -= replaced;
    pair.counts_[0] += replaced * replacement.size();
  }

  // Applies a series of one-character rules gathered since the last call.
  static void ApplyBatch(TReplacePair& pair, TRuleBatch& batch) {
    if (batch.Empty()) return;
    Prepare(pair, batch.CaseSensitive());
    const std::size_t grown = batch.Restrict(pair.counts_, pair.search_.size());
    if (grown != 0) {
      Materialize(pair);
      batch.Sweep(pair.search_, pair.result_, grown);
    }
    batch.Settle(pair.counts_);
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

bool RunReplacement(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                    const TRunOptions& options) {
  pair.Start(input);
  TRuleBatch batch;
  std::string find;
  std::string replacement;
  const int passes = PassCount(options.CaseSensitive);
  for (int pass = 0; pass < passes; ++pass) {
    for (const TRule& rule : rules) {
      if (options.Cancelled && options.Cancelled()) {
        TPairAccess::ApplyBatch(pair, batch);
        return false;
      }
      const TCall call =
          CallFor(rule, PassIsCaseSensitive(pass), options.Direction, options.SelfMapping);
      find = *call.Find;
      replacement = *call.Replacement;
      if (!call.CaseSensitive) {
        LowerCaseInPlace(find);
        LowerCaseInPlace(replacement);
      }
      const bool batchable = find.size() == 1 && find[0] != '\0' && !replacement.empty();
      if (!batch.Empty() && (!batchable || batch.CaseSensitive() != call.CaseSensitive)) {
        TPairAccess::ApplyBatch(pair, batch);
      }
      if (batchable) {
        batch.Add(find[0], replacement, call.CaseSensitive);
      } else {
        TPairAccess::Prepare(pair, call.CaseSensitive);
        TPairAccess::Replace(pair, find, replacement);
      }
    }
  }
  TPairAccess::ApplyBatch(pair, batch);
  return true;
}
}  // namespace baseline
