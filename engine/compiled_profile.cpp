#include "engine/compiled_profile.h"

#include <utility>
#include <vector>

#include "engine/lower_case.h"
#include "engine/profile.h"

namespace {

// A stretch of the terms' storage; views are made once it has stopped growing.
struct TSpan {
  std::size_t Offset = 0;
  std::size_t Size = 0;
};

struct TRuleSpans {
  TSpan Left, Right, LowerLeft, LowerRight;
  bool SelfMapping = false;
};

}  // namespace

TCompiledProfile::TCompiledProfile(std::string bytes) : bytes_(std::move(bytes)) {
  terms_.reserve(2 * bytes_.size());
  const auto add = [this](std::string_view term, bool lower) {
    const TSpan span{terms_.size(), term.size()};
    terms_.append(term);
    if (lower) LowerCaseInPlace(&terms_[span.Offset], span.Size);
    return span;
  };
  std::vector<TRuleSpans> rules;
  TProfileLines lines(bytes_);
  for (int header = 0; header < 3; ++header) lines.Next();
  while (!lines.AtEnd()) {
    const TRule rule = SplitRuleLine(lines.Next());
    TRuleSpans spans;
    spans.SelfMapping = rule.SelfMapping;
    spans.Left = add(rule.Left, false);
    spans.LowerLeft = add(rule.Left, true);
    if (rule.SelfMapping) {
      spans.Right = spans.Left;
      spans.LowerRight = spans.LowerLeft;
    } else {
      spans.Right = add(rule.Right, false);
      spans.LowerRight = add(rule.Right, true);
    }
    rules.push_back(spans);
  }

  const auto view = [this](TSpan span) {
    return std::string_view(terms_).substr(span.Offset, span.Size);
  };
  constexpr TDirection kForward = TDirection::kForward;
  constexpr TDirection kReverse = TDirection::kReverse;
  std::array<std::vector<TPassStep>, 4> steps;
  for (std::vector<TPassStep>& pass : steps) pass.reserve(rules.size());
  for (const TRuleSpans& rule : rules) {
    if (rule.SelfMapping) {  // always with case ignored
      const TPassStep self{view(rule.LowerLeft), view(rule.LowerLeft), false};
      for (std::vector<TPassStep>& pass : steps) pass.push_back(self);
      continue;
    }
    steps[Index(true, kForward)].push_back({view(rule.Left), view(rule.Right), true});
    steps[Index(true, kReverse)].push_back({view(rule.Right), view(rule.Left), true});
    steps[Index(false, kForward)].push_back({view(rule.LowerLeft), view(rule.LowerRight), false});
    steps[Index(false, kReverse)].push_back({view(rule.LowerRight), view(rule.LowerLeft), false});
  }
  for (std::size_t i = 0; i < steps.size(); ++i) steps_[i] = TPassSteps(std::move(steps[i]));
}

std::size_t TCompiledProfile::MemorySize() const {
  std::size_t size = sizeof *this + bytes_.capacity() + terms_.capacity();
  for (const TPassSteps& steps : steps_) size += steps.MemorySize();
  return size;
}

void RunCompiledProfile(TReplacePair& pair, std::string_view input, const TCompiledProfile& profile,
                        bool caseSensitiveOption, TDirection direction) {
  pair.Start(input);
  const int passes = PassCount(caseSensitiveOption);
  for (int pass = 0; pass < passes; ++pass) {
    ApplyPassSteps(pair, profile.Steps(PassIsCaseSensitive(pass), direction));
  }
}
