// One sweep for a series of one-character rules.
#include "engine/rule_batch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

bool TRuleBatch::Sweep(std::string& search, std::string& result, std::size_t grown,
                       TSweepCheck& check) const {
  check.Restart();
  const std::size_t n = search.size();
  if (grown == n) {  // every replacement has one character
    return SweepInPlace(search.data(), result.data(), n, 0, check);
  }
  // Grow both strings once, then fill them from the back: the write
  // position w never falls below the read position i, since what is still
  // to be read can only grow. For check, the sweep is at grown - w, the
  // bytes written (a long replacement writes far more than is read).
  search.resize(grown);
  result.resize(grown);
  char* s = search.data();
  char* r = result.data();
  std::size_t i = n;
  std::size_t w = grown;
  // The write position at which the sweep next stops to ask.
  const auto next_question = [&] {
    const std::size_t mark = check.Mark();
    return mark >= grown ? 0 : grown - mark;
  };
  // Told to stop: the swept end goes next to the unswept front.
  const auto stop = [&] {
    std::memmove(s + i, s + w, grown - w);
    std::memmove(r + i, r + w, grown - w);
    search.resize(i + grown - w);
    result.resize(i + grown - w);
    return false;
  };
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
    while (i > 0 && w - i >= kWord) {
      if (check.Due(grown - w)) return stop();
      // Table lookups rather than conditions, so that no branch mispredicts.
      for (const std::size_t low = next_question(); w > low && w - i >= kWord;) {
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
  }
  while (i > 0 && w > i) {
    if (check.Due(grown - w)) return stop();
    for (const std::size_t low = next_question(); w > low && w > i;) {
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
  }
  // Nothing left to grow: what remains has only one-character replacements.
  return SweepInPlace(s, r, i, grown - w, check);
}

bool TRuleBatch::SweepInPlace(char* s, char* r, std::size_t n, std::size_t swept,
                              TSweepCheck& check) const {
  std::array<unsigned char, 256> first{};  // by slot: the one-character replacement
  std::array<unsigned char, 256> keep{};   // by slot: 0xFF where nothing is replaced
  keep[0] = 0xFF;
  for (std::size_t e = 0; e < replacements_.size(); ++e) {
    first[e + 1] = static_cast<unsigned char>(replacements_[e][0]);
  }
  for (std::size_t i = 0; i < n;) {
    if (check.Due(swept + i)) return false;
    // Due said no, so the mark lies beyond swept + i.
    const std::size_t end = std::min(n, check.Mark() - swept);
    for (; i < end; ++i) {
      const unsigned char c = static_cast<unsigned char>(s[i]);
      const unsigned slot = slot_[c];
      s[i] = static_cast<char>(c & keep[slot]);
      r[i] = static_cast<char>((static_cast<unsigned char>(r[i]) & keep[slot]) | first[slot]);
    }
  }
  return true;
}

bool TRuleBatch::ShortReplacements() const {
  for (const std::string& replacement : replacements_) {
    if (replacement.size() > sizeof(std::uint64_t)) return false;
  }
  return true;
}

}  // namespace engine_detail
