// A series of consecutive one-character rules of one case mode, applied in a
// single sweep instead of one sweep per rule. Internal to the engine.
//
// Each rule of the series replaces every occurrence of its character; the
// filler it leaves is NUL, which none of them names. So applying them one
// after the other gives every character to the first rule of the series that
// names it, and a sweep that looks each character up in a table gives the
// same strings.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/term_search.h"

namespace engine_detail {

class TRuleBatch {
 public:
  bool Empty() const { return bytes_.empty(); }
  bool CaseSensitive() const { return case_sensitive_; }
  // Whether a rule of the batch names byte.
  bool Names(char byte) const { return slot_[static_cast<unsigned char>(byte)] != 0; }

  // Adds the rule byte -> replacement (byte not NUL, replacement not empty);
  // a rule whose byte an earlier rule of the batch names finds nothing.
  void Add(char byte, std::string_view replacement, bool caseSensitive);

  // Given the search copy's byte counts, drops the rules that find nothing and
  // returns the length that both strings will have after Sweep; 0 when no
  // rule finds anything.
  std::size_t Restrict(const TByteCounts& counts, std::size_t size);

  // Applies the rules to the search and result copies (search lower-cased
  // where the case mode asks for it). Returns false when check said stop:
  // both strings are then of equal length, the rules applied to part of them.
  bool Sweep(std::string& search, std::string& result, std::size_t grown, TSweepCheck& check) const;

  // Updates the byte counts for the sweep and empties the batch.
  void Settle(TByteCounts& counts);

 private:
  // The sweep when nothing grows; swept bytes have been swept before.
  bool SweepInPlace(char* s, char* r, std::size_t n, std::size_t swept, TSweepCheck& check) const;
  bool ShortReplacements() const;

  std::array<unsigned char, 256> slot_{};  // by byte: 0 for none, else index + 1
  std::vector<unsigned char> bytes_;
  std::vector<std::string> replacements_;
  bool case_sensitive_ = true;
};

}  // namespace engine_detail
