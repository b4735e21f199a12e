// The masked replacement engine: linear-time equivalents of Part 2.2's literal
// steps. engine/oracle/literal_engine.cpp holds the literal steps; the tests
// check that both give the same SearchText/ResultText.
#include "engine/replace.h"

#include <cstring>
#include <utility>

#include "engine/lower_case.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

// Leftmost search for one find term (Knuth-Morris-Pratt, with memchr skipping
// to the next candidate first byte while no partial match is pending). Linear
// in the text whatever the term.
class TMatcher {
 public:
  // borders is scratch space of the caller, reused between rules.
  TMatcher(std::string_view find, std::vector<std::size_t>& borders)
      : find_(find), size_(find.size()), borders_(borders) {
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

  // Start of the leftmost occurrence of find in text[from, size), or kNone.
  std::size_t Find(const char* text, std::size_t size, std::size_t from) const {
    std::size_t q = 0;
    std::size_t i = from;
    while (i < size) {
      if (q == 0) {
        if (size - i < size_) return kNone;
        const void* hit = std::memchr(text + i, find_[0], size - i - size_ + 1);
        if (hit == nullptr) return kNone;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text) + 1;
        q = 1;
      } else {
        q = Step(q, text[i]);
        ++i;
      }
      if (q == size_) return i - size_;
    }
    return kNone;
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
  std::vector<std::size_t>& borders_;
};

// Empty replacement. The literal steps remove the leftmost occurrence and search
// the closed-up text again from the start. Equivalent: push the text character
// by character onto an output (kept in place at the front of both strings) and
// drop the last find.size() characters whenever the output ends with find. The
// output never holds an occurrence, so the first one to complete at its end is
// the leftmost of the whole current text. While no partial match is pending at
// the end of the output, the next occurrence lies wholly in the unread input
// and is found with one search.
void RemoveAll(std::string& search, std::string& result, std::string_view find,
               std::vector<std::size_t>& borders) {
  const TMatcher matcher(find, borders);
  const std::size_t m = find.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  const std::size_t first = matcher.Find(s, n, 0);
  if (first == kNone) return;
  std::size_t w = first;       // output: [0, w)
  std::size_t p = first + m;   // unread input: [p, n)
  std::size_t q = matcher.StateAfter(s, w);
  while (true) {
    if (q == 0) {
      const std::size_t i = matcher.Find(s, n, p);
      if (i == kNone) break;
      std::memmove(s + w, s + p, i - p);
      std::memmove(r + w, r + p, i - p);
      w += i - p;
      p = i + m;
      q = matcher.StateAfter(s, w);
    } else {
      if (p == n) break;
      s[w] = s[p];
      r[w] = r[p];
      q = matcher.Step(q, s[w]);
      ++w;
      ++p;
      if (q == m) {
        w -= m;
        q = matcher.StateAfter(s, w);
      }
    }
  }
  std::memmove(s + w, s + p, n - p);
  std::memmove(r + w, r + p, n - p);
  w += n - p;
  search.resize(w);
  result.resize(w);
}

// Non-empty replacement, find without NUL: after a replacement no occurrence can
// start inside or before the filler, so the literal steps replace the
// non-overlapping occurrences from left to right in the text as it was.
void ReplaceOccurrences(std::string& search, std::string& result, std::string_view find,
                        std::string_view replacement, std::vector<std::size_t>& positions,
                        std::vector<std::size_t>& borders) {
  const TMatcher matcher(find, borders);
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  if (k == m) {  // same length: in place
    for (std::size_t i = matcher.Find(s, n, 0); i != kNone; i = matcher.Find(s, n, i + m)) {
      std::memset(s + i, 0, k);
      std::memcpy(r + i, replacement.data(), k);
    }
    return;
  }

  if (k < m) {  // shorter: one sweep that compacts towards the front
    std::size_t w = 0;
    std::size_t p = 0;
    for (std::size_t i = matcher.Find(s, n, 0); i != kNone; i = matcher.Find(s, n, p)) {
      std::memmove(s + w, s + p, i - p);
      std::memmove(r + w, r + p, i - p);
      w += i - p;
      std::memset(s + w, 0, k);
      std::memcpy(r + w, replacement.data(), k);
      w += k;
      p = i + m;
    }
    if (p == 0) return;
    std::memmove(s + w, s + p, n - p);
    std::memmove(r + w, r + p, n - p);
    w += n - p;
    search.resize(w);
    result.resize(w);
    return;
  }

  // longer: find the occurrences, grow both strings once, fill from the back
  positions.clear();
  for (std::size_t i = matcher.Find(s, n, 0); i != kNone; i = matcher.Find(s, n, i + m)) {
    positions.push_back(i);
  }
  if (positions.empty()) return;
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
}

// Non-empty replacement, find holding a NUL: the filler may take part in a
// later occurrence, so take the literal steps. The search restarts find.size()
// - 1 characters before the last replacement: any earlier start would lie
// wholly in text that had no occurrence. It ends, because every replacement
// removes at least one byte other than NUL and adds only NULs, except for a
// find made only of NULs whose replacement is not shorter, which never ends
// and is defined to change nothing (see replace.h).
void ReplaceWithNulInFind(std::string& search, std::string& result, std::string_view find,
                          std::string_view replacement) {
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  if (k >= m && find.find_first_not_of('\0') == std::string_view::npos) return;
  std::size_t from = 0;
  for (std::size_t i = search.find(find, from); i != kNone; i = search.find(find, from)) {
    search.replace(i, m, k, '\0');
    result.replace(i, m, replacement);
    from = i + 1 >= m ? i + 1 - m : 0;
  }
}

// Steps 2 and 3 of MaskedReplaceAll on a search copy and a result copy of the
// same length; search and find are already lower-cased where that is asked.
void ReplaceAllCore(std::string& search, std::string& result, std::string_view find,
                    std::string_view replacement, std::vector<std::size_t>& positions,
                    std::vector<std::size_t>& borders) {
  if (find.empty() || find.size() > search.size()) return;
  if (replacement.empty()) {
    RemoveAll(search, result, find, borders);
  } else if (find.find('\0') != std::string_view::npos) {
    ReplaceWithNulInFind(search, result, find, replacement);
  } else {
    ReplaceOccurrences(search, result, find, replacement, positions, borders);
  }
}

}  // namespace

void TReplacePair::Start(std::string_view input) {
  search_.assign(input.data(), input.size());
  result_.assign(input.data(), input.size());
  search_lowered_ = false;
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
    if (!pair.search_lowered_ || !LowerCaseIsIdempotent()) {
      LowerCaseInPlace(pair.search_);
      pair.search_lowered_ = true;
    }
  }
  ReplaceAllCore(pair.search_, pair.result_, find, replacement, pair.positions_, pair.borders_);
}

void ReplaceAllInString(std::string& text, std::string find, std::string replacement,
                        bool caseSensitive) {
  std::string result = text;
  std::string search = std::move(text);
  if (!caseSensitive) {
    LowerCaseInPlace(find);
    LowerCaseInPlace(search);
  }
  std::vector<std::size_t> positions;
  std::vector<std::size_t> borders;
  ReplaceAllCore(search, result, find, replacement, positions, borders);
  text = std::move(result);
}

void ApplyRule(TReplacePair& pair, const TRule& rule, bool passCaseSensitive,
               TDirection direction, TSelfMapping selfMapping) {
  if (rule.SelfMapping && selfMapping == TSelfMapping::kAlwaysIgnoreCase) {
    MaskedReplaceAll(pair, rule.Left, rule.Left, false);
  } else if (direction == TDirection::kForward) {
    MaskedReplaceAll(pair, rule.Left, rule.Right, passCaseSensitive);
  } else {
    MaskedReplaceAll(pair, rule.Right, rule.Left, passCaseSensitive);
  }
}

bool RunReplacement(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                    const TRunOptions& options) {
  pair.Start(input);
  const int passes = PassCount(options.CaseSensitive);
  for (int pass = 0; pass < passes; ++pass) {
    for (const TRule& rule : rules) {
      if (options.Cancelled && options.Cancelled()) return false;
      const TDirection direction =
          options.DirectionOfRule ? options.DirectionOfRule() : options.Direction;
      ApplyRule(pair, rule, PassIsCaseSensitive(pass), direction, options.SelfMapping);
    }
  }
  return true;
}
