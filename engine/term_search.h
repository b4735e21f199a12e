// Leftmost search for one find term in a byte string, for the replacement
// engine (engine/replace.h). Internal to the engine.
//
// memchr for the term's rarest character (by the text's byte counts, when
// known), then compare the term there. Terms of up to kMaxAnchored
// characters always (at most kMaxAnchored comparisons per candidate); longer
// ones while the comparisons stay within a few times the text passed, then
// Knuth-Morris-Pratt, with memchr skipping to the next candidate first byte
// while no partial match is pending. Either way linear in the text.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace engine_detail {

// How often each byte occurs in a text.
using TByteCounts = std::array<std::size_t, 256>;

inline constexpr std::size_t kNotFound = std::string::npos;

// Asks a run's Cancelled hook while one rule sweeps a long text: whenever the
// sweep has gone another kStride bytes past the last question (positions
// count from the start of the rule's sweep). Without a hook it never asks;
// once the hook has said yes, every sweep stops at its next check.
class TSweepCheck {
 public:
  static constexpr std::size_t kStride = std::size_t{64} << 10;

  TSweepCheck() = default;
  explicit TSweepCheck(const std::function<bool()>* cancelled)
      : cancelled_(cancelled != nullptr && *cancelled ? cancelled : nullptr) {}

  // A new rule's sweep starts at position 0.
  void Restart() { mark_ = cancelled_ != nullptr && !stopped_ ? kStride : kNever; }
  // The position at which the sweep asks next; kNotFound (the largest size)
  // when it never will.
  std::size_t Mark() const { return stopped_ ? 0 : mark_; }
  // True when the sweep is to stop: asks once position at has reached the mark.
  bool Due(std::size_t at) {
    if (at < Mark()) return false;
    if (!stopped_) {
      stopped_ = (*cancelled_)();
      mark_ = at + kStride;
    }
    return stopped_;
  }
  // Asks at once (when there is a hook and it has not said stop yet); true
  // when the sweep is to stop.
  bool AskNow() {
    if (!stopped_ && cancelled_ != nullptr) stopped_ = (*cancelled_)();
    return stopped_;
  }
  bool Stopped() const { return stopped_; }

 private:
  static constexpr std::size_t kNever = kNotFound;
  const std::function<bool()>* cancelled_ = nullptr;
  std::size_t mark_ = kNever;
  bool stopped_ = false;
};

class TTermSearch {
 public:
  static constexpr std::size_t kMaxAnchored = 8;

  // borders is scratch space of the caller, reused between rules.
  TTermSearch(std::string_view find, std::vector<std::size_t>& borders,
              const TByteCounts* counts = nullptr)
      : find_(find), size_(find.size()), borders_(borders) {
    if (counts != nullptr) {
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
    // A longer term: anchored as well, while the comparisons at candidates
    // that fail stay within a few times the text passed; beyond that (a
    // periodic text, say) Knuth-Morris-Pratt from the failed candidate on.
    if (size < size_ || from > size - size_) return kNotFound;
    const std::size_t last = size - size_ + anchor_;
    std::size_t compared = 0;
    for (std::size_t i = from + anchor_; i <= last;) {
      const void* hit = std::memchr(text + i, find_[anchor_], last - i + 1);
      if (hit == nullptr) return kNotFound;
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
      const std::size_t start = at - anchor_;
      const char* mismatch = std::mismatch(find_.begin(), find_.end(), text + start).first;
      if (mismatch == find_.end()) return start;
      compared += static_cast<std::size_t>(mismatch - find_.begin()) + 1;
      if (compared > 4 * (start - from) + 2 * size_) return FindByStates(text, size, start + 1);
      i = at + 1;
    }
    return kNotFound;
  }

  // Find by Knuth-Morris-Pratt, with memchr skipping to the next candidate
  // first byte while no partial match is pending.
  std::size_t FindByStates(const char* text, std::size_t size, std::size_t from) const {
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

  // Find, asking check whenever the search passes its mark; kNotFound also
  // when check says stop. The sweep is at position from + ahead for check.
  std::size_t Find(const char* text, std::size_t size, std::size_t from, TSweepCheck& check,
                   std::size_t ahead = 0) const {
    while (true) {
      if (check.Due(from + ahead)) return kNotFound;
      const std::size_t mark = check.Mark() - ahead;  // above from: Due said no
      if (mark >= size || size - mark < size_) return Find(text, size, from);
      // Every occurrence that starts before the mark ends before limit.
      const std::size_t limit = mark + size_ - 1;
      const std::size_t found = Find(text, limit, from);
      if (found != kNotFound) return found;
      from = std::max(from, mark);
    }
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
