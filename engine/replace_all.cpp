// Linear-time equivalents of the literal replace-all steps, one per kind of
// rule: an empty replacement, a find term holding NUL, and the rest.
#include "engine/replace_all.h"

#include <cstring>
#include <string>
#include <vector>

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
                      std::vector<std::size_t>& borders, const TByteCounts* counts,
                      TSweepCheck& check) {
  const TTermSearch term(find, borders, counts);
  const std::size_t m = find.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  const std::size_t first = term.Find(s, n, 0, check);
  if (first == kNotFound) return 0;
  std::size_t removed = 1;
  std::size_t w = first;      // output: [0, w)
  std::size_t p = first + m;  // unread input: [p, n)
  std::size_t q = term.StateAfter(s, w);
  while (true) {
    if (q == 0) {
      const std::size_t i = term.Find(s, n, p, check);
      if (i == kNotFound) break;
      std::memmove(s + w, s + p, i - p);
      std::memmove(r + w, r + p, i - p);
      w += i - p;
      p = i + m;
      ++removed;
      q = term.StateAfter(s, w);
    } else {
      if (p == n || check.Due(p)) break;
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
                               std::vector<std::size_t>& borders, const TByteCounts* counts,
                               TSweepCheck& check) {
  const TTermSearch term(find, borders, counts);
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  const std::size_t n = search.size();
  char* s = search.data();
  char* r = result.data();

  if (k == m) {  // same length: in place
    std::size_t replaced = 0;
    for (std::size_t i = term.Find(s, n, 0, check); i != kNotFound;
         i = term.Find(s, n, i + m, check)) {
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
    for (std::size_t i = term.Find(s, n, 0, check); i != kNotFound; i = term.Find(s, n, p, check)) {
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
  for (std::size_t i = term.Find(s, n, 0, check); i != kNotFound;
       i = term.Find(s, n, i + m, check)) {
    positions.push_back(i);
  }
  if (positions.empty() || check.Stopped()) return 0;
  const std::size_t grown = n + positions.size() * (k - m);
  search.resize(grown);
  result.resize(grown);
  s = search.data();
  r = result.data();
  std::size_t source_end = n;
  std::size_t target_end = grown;
  for (std::size_t j = positions.size(); j-- > 0;) {
    // The work goes with what is written, which a long replacement makes far
    // more than what is read.
    if (check.Due(grown - target_end)) {
      // Stopped: the filled end goes next to the part not yet reached.
      const std::size_t filled = grown - target_end;
      std::memmove(s + source_end, s + target_end, filled);
      std::memmove(r + source_end, r + target_end, filled);
      search.resize(source_end + filled);
      result.resize(source_end + filled);
      return positions.size() - 1 - j;
    }
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

// Non-empty replacement, find holding a NUL: the filler of a replacement may
// take part in a later occurrence. The same push-down as RemoveAll, with the
// replacement's filler put back in front of the unread input: the output
// (text[0, w) of the current text) holds no occurrence, so the first one to
// complete at its end as characters are pushed is the leftmost of the whole
// current text; it is taken off the output, and its filler is read again,
// since it may complete an occurrence with what the output ends with.
// Linear: every replacement takes at least one byte other than NUL out for
// good, or shortens the text, and puts k bytes back to read. A find made only
// of NULs whose replacement is not shorter would never end and is defined to
// change nothing (see replace.h).
std::size_t ReplaceWithNulInFind(std::string& search, std::string& result, std::string_view find,
                                 std::string_view replacement, std::vector<std::size_t>& borders,
                                 TSweepCheck& check) {
  const std::size_t m = find.size();
  const std::size_t k = replacement.size();
  if (k >= m && find.find_first_not_of('\0') == std::string_view::npos) return 0;
  const TTermSearch term(find, borders);
  const std::size_t n = search.size();
  const char* s = search.data();
  const char* r = result.data();
  const std::size_t first = term.Find(s, n, 0, check);
  if (first == kNotFound) return 0;

  std::string out_search(s, first);
  std::string out_result(r, first);
  // Filler still to be read, innermost last: each entry is the position in
  // replacement of the next character to read.
  std::vector<std::size_t> filler{0};
  std::size_t replaced = 1;
  std::size_t p = first + m;  // the input not yet read: filler, then [p, n)
  std::size_t read = p;       // characters read, filler included, for the check
  std::size_t q = term.StateAfter(out_search.data(), out_search.size());
  while (true) {
    if (filler.empty() && q == 0) {
      const std::size_t i = term.Find(s, n, p, check, read - p);
      const std::size_t end = i == kNotFound ? n : i;
      out_search.append(s + p, end - p);
      out_result.append(r + p, end - p);
      read += end - p;
      p = end;
      if (i == kNotFound) break;
      p += m;
      read += m;
      ++replaced;
      filler.push_back(0);
      q = term.StateAfter(out_search.data(), out_search.size());
      continue;
    }
    if (check.Due(read)) break;
    if (!filler.empty()) {
      std::size_t& next = filler.back();
      out_search.push_back('\0');
      out_result.push_back(replacement[next]);
      if (++next == k) filler.pop_back();
    } else if (p < n) {
      out_search.push_back(s[p]);
      out_result.push_back(r[p]);
      ++p;
    } else {
      break;
    }
    ++read;
    q = term.Step(q, out_search.back());
    if (q == m) {
      out_search.resize(out_search.size() - m);
      out_result.resize(out_result.size() - m);
      ++replaced;
      filler.push_back(0);
      q = term.StateAfter(out_search.data(), out_search.size());
    }
  }
  // Stopped early: what is left to read goes on unchanged.
  for (; !filler.empty(); filler.pop_back()) {
    out_search.append(k - filler.back(), '\0');
    out_result.append(replacement.substr(filler.back()));
  }
  out_search.append(s + p, n - p);
  out_result.append(r + p, n - p);
  search.swap(out_search);
  result.swap(out_result);
  return replaced;
}

}  // namespace

std::size_t ReplaceAllCore(std::string& search, std::string& result, std::string_view find,
                           std::string_view replacement, std::vector<std::size_t>& positions,
                           std::vector<std::size_t>& borders, const TByteCounts* counts,
                           TSweepCheck& check) {
  if (find.empty() || find.size() > search.size()) return 0;
  check.Restart();
  if (replacement.empty()) return RemoveAll(search, result, find, borders, counts, check);
  if (find.find('\0') != std::string_view::npos) {
    return ReplaceWithNulInFind(search, result, find, replacement, borders, check);
  }
  return ReplaceOccurrences(search, result, find, replacement, positions, borders, counts, check);
}

}  // namespace engine_detail
