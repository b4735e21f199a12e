// A profile compiled for the file-name run: its rules read once from its
// bytes and laid out as each pass applies them, so that a run over a file
// name does no reading, splitting or lower-casing of rules.
//
// For each rule line, in order, the pass steps are (L and R the terms as
// SplitRuleLine gives them, lower() the engine's lower-casing):
//
//   pass                 forward                    reverse
//   exact                {L, R, exact}              {R, L, exact}
//   ignoring case        {lower(L), lower(R)}       {lower(R), lower(L)}
//   self-mapping line    {lower(L), lower(L), ignoring case} in every pass
//
// which is what ApplyRule(..., TSelfMapping::kAlwaysIgnoreCase) hands to
// MaskedReplaceAll. For example the bytes "i\nL\nR\nx\nЖ Zh\n" compile to
// the exact forward steps {"x", "x", ignoring case}, {"Ж", "Zh", exact}.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/replace.h"

class TCompiledProfile {
 public:
  // Reads the rules of a profile's bytes (three header lines, then rule
  // lines, as ReadProfile does) and keeps the bytes.
  explicit TCompiledProfile(std::string bytes);
  // The steps point into the profile's own storage.
  TCompiledProfile(const TCompiledProfile&) = delete;
  TCompiledProfile& operator=(const TCompiledProfile&) = delete;

  // The bytes it was compiled from.
  const std::string& Bytes() const { return bytes_; }
  std::size_t RuleCount() const { return steps_[0].Size(); }
  // What the profile takes in memory, its bytes included.
  std::size_t MemorySize() const;

  // The steps of a pass that compares exactly (passCaseSensitive) or ignores
  // case, in the direction given; one per rule line.
  const TPassSteps& Steps(bool passCaseSensitive, TDirection direction) const {
    return steps_[Index(passCaseSensitive, direction)];
  }

 private:
  static std::size_t Index(bool passCaseSensitive, TDirection direction) {
    return (passCaseSensitive ? 0 : 2) + (direction == TDirection::kForward ? 0 : 1);
  }

  std::string bytes_;
  std::string terms_;  // every term the steps name, one after the other
  std::array<TPassSteps, 4> steps_;
};

// The file-name run over a compiled profile: sets the pair to input, then
// applies the steps of each pass (one exact pass when caseSensitiveOption is
// set; otherwise an exact pass, then one that ignores case) with
// ApplyPassSteps. Gives the pair exactly what applying each rule line with
// ApplyRule(..., TSelfMapping::kAlwaysIgnoreCase) gives.
void RunCompiledProfile(TReplacePair& pair, std::string_view input, const TCompiledProfile& profile,
                        bool caseSensitiveOption, TDirection direction);
