// The fast replacement engine against the literal oracle, for one text and
// one list of rules: every case option, direction and treatment of
// self-mapping rules, rule by rule and as whole runs, with the run's hooks,
// and ReplaceAllInString term by term. Any difference aborts with the case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

namespace fuzz {

// How the hooks of the hooked runs answer.
struct THookPlan {
  // Direction of the k-th rule applied (counting through both passes): bit
  // k % 8 set means reverse.
  std::uint8_t ReverseBits = 0;
  // The Cancelled hook answers true the CancelAt-th time it is asked (from 1);
  // 0 never.
  std::size_t CancelAt = 0;
};

// How many of the rules, from the first, the literal engine can run over the
// text in a few milliseconds (it is quadratic, and a long replacement can
// multiply the text's length).
std::size_t AffordableRules(std::string_view text, const std::vector<TRule>& rules);

// Runs every comparison; returns normally only when all agree.
void CheckEngine(const std::string& text, const std::vector<TRule>& rules, const THookPlan& hooks);

// The text repeated past 64 KB, under the rules repeated up to sixteen rules
// that search (the run then goes block by block): RunReplacement against
// ApplyRule rule after rule, case ignored in the second pass and by
// self-mapping rules. Skipped when the text holds no byte to cut the run at,
// or could grow too long to check.
void CheckLongRun(const std::string& text, const std::vector<TRule>& rules);

// The rules with every byte equal to byte turned into NUL in both terms.
std::vector<TRule> WithNul(std::vector<TRule> rules, char byte);

// A readable description of rules, for failure messages.
std::string DescribeRules(const std::vector<TRule>& rules);

}  // namespace fuzz
