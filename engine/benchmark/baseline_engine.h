// The engine as it was before it swept runs of rules at once and asked to be
// cancelled inside a rule, for the benchmark's baseline column only.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

namespace baseline {

// The search/result pair of one run. Both strings always have the same length.
class TReplacePair {
 public:
  TReplacePair() = default;
  explicit TReplacePair(std::string_view input) { Start(input); }

  // Sets SearchText and ResultText to the input: the start of a run.
  void Start(std::string_view input);
  // Empties both strings.
  void Clear() { Start({}); }

  // SearchText's lower-casing is put off until something needs it, so reading
  // it may do that work (the pair is the run's own; no other thread reads it).
  const std::string& SearchText() const;
  const std::string& ResultText() const { return result_; }
  // Moves ResultText out; the pair is empty afterwards.
  std::string TakeResultText();

 private:
  friend struct TPairAccess;  // the engine's internals (replace.cpp)

  mutable std::string search_;
  std::string result_;
  // SearchText has been lower-cased in this run; since then only NUL filler
  // has been written into it, so it needs no lower-casing again.
  bool search_lowered_ = false;
  // The lower-casing is still to be applied to search_.
  mutable bool lowering_pending_ = false;
  // How often each byte occurs in SearchText, lower-cased or not as it should
  // be (valid when counts_valid_): a rule with a byte that does not occur is
  // skipped without a search.
  std::array<std::size_t, 256> counts_{};
  bool counts_valid_ = false;
  // Scratch space reused by the rules of a run.
  std::vector<std::size_t> positions_;
  std::vector<std::size_t> borders_;
};

bool RunReplacement(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                    const TRunOptions& options);

}  // namespace baseline
