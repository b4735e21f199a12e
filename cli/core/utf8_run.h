// A profile's run over UTF-8 text, which the engine (Windows-1251 bytes)
// cannot read as it is.
//
// Each stretch of characters that Windows-1251 holds is converted, run
// through the rules on its own and converted back; every other character
// (an emoji, an accented Latin letter) and any byte that is not UTF-8
// passes through unchanged between the stretches, as it does in a name:
//   RunOverUtf8("Щука 🐟 Щука", rules, options, pair) == "Shchuka 🐟 Shchuka"
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/core/lookalikes.h"
#include "engine/replace.h"

// The run over utf8 as above; pair is scratch space, reused between calls.
std::string RunOverUtf8(std::string_view utf8, const std::vector<TRule>& rules,
                        const TRunOptions& options, TReplacePair& pair);

// The text filter's run (-t): each piece of text is prepared as names are
// (NFC, lookalikes; cli/core/lookalikes.h), run as RunOverUtf8 runs it with
// every rule in its pass's case mode (as the plug-in's text window runs a
// profile), and the result is brought to NFC. A piece that ends at a line
// break gives what it gives inside a longer text: no find term can hold a
// line break, so nothing matches across one.
class TTextRun {
 public:
  TTextRun(std::vector<TRule> rules, bool caseSensitive, TDirection direction);

  std::string Run(std::string_view piece);
  // Whether a piece run so far held bytes that are not UTF-8.
  bool MetBytesNotUtf8() const { return met_bytes_not_utf8_; }

 private:
  std::vector<TRule> rules_;
  TRunOptions options_;
  std::vector<TLookalike> lookalikes_;
  TReplacePair pair_;
  bool met_bytes_not_utf8_ = false;
};
