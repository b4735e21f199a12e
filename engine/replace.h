// The masked replacement engine.
//
// A run rewrites a text by the ordered rules of a profile so that every
// character is replaced at most once. It works on a pair of strings of equal
// length: SearchText, in which each replaced stretch is overwritten by filler
// (NUL bytes, as many as the replacement is long) that no term can match, and
// ResultText, which receives the replacement texts at the same positions.
//
// The matching rule. MaskedReplaceAll(pair, find, replacement, caseSensitive)
// gives exactly what these literal steps give:
//   1. Unless caseSensitive: lower-case find, replacement and the whole of
//      SearchText (it stays lower-cased).
//   2. Find the leftmost occurrence of find in SearchText, always searching from
//      the first character (an empty find, or one longer than the text, has
//      none). If there is none, stop.
//   3. There, replace find by replacement.size() NULs in SearchText and by
//      replacement in ResultText; go back to step 2.
// For example, with the pair set to "Жж" (CP1251):
//   MaskedReplaceAll(pair, "Ж", "Zh", true);   // Search "\0\0ж", Result "Zhж"
//   MaskedReplaceAll(pair, "Ж", "Zh", false);  // Search "\0\0\0\0", Result "Zhzh"
// Replaced text is masked, so it is never matched again:
//   rules "x" -> "xx" on "xx" give "xxxx", and "a" -> "b" then "b" -> "c" turn
//   "a" into "b".
// An empty replacement closes the text up and the closed-up text is searched
// again: "ab" -> "" turns "aabb" into "".
//
// The code gives those results byte for byte in time linear in the text per
// call (the literal steps are quadratic): after a non-empty replacement no
// occurrence can start before the end of the filler, since find holds no NUL;
// after an empty one a new occurrence can start at most find.size() - 1
// characters before the removal point. A rule with a byte that SearchText no
// longer holds is skipped without a search (the pair counts its bytes), and
// RunReplacement applies a series of one-character rules of the same case
// mode in one sweep (each character goes to the first of them that names it,
// as one rule after the other would have it); a rule between them whose find
// holds no NUL and none of their characters gives the same strings before
// them as after them, so it does not end the series. A long text goes
// through a profile's many searching rules block by block, so that every
// rule finds the block in the processor's caches: a byte that no find term
// of those rules holds is never replaced and never part of an occurrence,
// so the text is cut right after such bytes and each block comes out as it
// would in the whole text.
//
// A find term that does contain a NUL byte (a profile file can hold one) may
// match the filler of an earlier replacement, and each replacement may
// complete the next occurrence ("a" -> "x" then "\0b" -> "y" turns "abbb"
// into "y"). It is applied by pushing the text onto an output and replacing
// whenever the output ends with find, reading the replacement's filler again
// as input; linear as well, since every replacement takes a byte other than
// NUL out for good or shortens the text. One case where the literal steps
// never end is defined here instead: a find made only of NUL bytes whose
// replacement is not shorter than it (the filler would recreate the match
// for ever) leaves the pair unchanged, apart from the lower-casing of step 1.
// The literal oracle that the tests compare against (engine/oracle/) does the
// same.
//
// Threads: the engine keeps no module state. Each run works on a pair of its
// own (TReplacePair), so runs on different threads never interleave; a single
// pair must not be used by two threads at once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Forward: left terms are replaced by right terms; reverse: the other way.
enum class TDirection { kForward, kReverse };

// How a run applies a self-mapping rule (a profile line without a space).
enum class TSelfMapping {
  // Text window: like every rule, in the pass's case mode.
  kLikeEveryRule,
  // File name: always with case ignored, in every pass, whatever the
  // CaseSensitive option says; this lower-cases SearchText from that rule on.
  kAlwaysIgnoreCase,
};

// One rule line of a profile as SplitRuleLine (engine/profile.h) gives it.
struct TRule {
  std::string Left;
  std::string Right;
  bool SelfMapping = false;  // the line had no space; Left and Right are the whole line
};

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

// Replaces every occurrence of find in the pair by the matching rule above.
// caseSensitive false: find, replacement and SearchText are lower-cased first,
// so the replacement reaches ResultText in lower case.
void MaskedReplaceAll(TReplacePair& pair, std::string find, std::string replacement,
                      bool caseSensitive);

// The same replacement on one string, with a private search copy: unless
// caseSensitive, find and the search copy are lower-cased, but the replacement
// is inserted unchanged and the rest of text keeps its case. Used for the "/s"
// escape: ReplaceAllInString(term, "/s", " ", false) turns "A/Sb" into "A b".
void ReplaceAllInString(std::string& text, std::string find, std::string_view replacement,
                        bool caseSensitive);

// One rule of a pass: MaskedReplaceAll(pair, Left, Right) forward or
// (Right, Left) reverse, in the pass's case mode; a self-mapping rule under
// TSelfMapping::kAlwaysIgnoreCase is MaskedReplaceAll(pair, Left, Left, false).
// This is the step that file-name transliteration applies to each rule line as
// it reads it from the profile.
void ApplyRule(TReplacePair& pair, const TRule& rule, bool passCaseSensitive, TDirection direction,
               TSelfMapping selfMapping);

// One rule as a pass applies it, prepared ahead of the run: what
// MaskedReplaceAll receives for it, Find and Replacement already lower-cased
// where case is ignored. The views point into storage that the owner of the
// steps keeps (a compiled profile, engine/compiled_profile.h).
struct TPassStep {
  std::string_view Find;
  std::string_view Replacement;
  bool CaseSensitive = true;
};

// The steps of one pass, in order, indexed by the first byte of their find,
// so that a run over a short text visits only the steps whose find starts
// with a byte the text may hold.
class TPassSteps {
 public:
  TPassSteps() = default;
  explicit TPassSteps(std::vector<TPassStep> steps);

  std::size_t Size() const { return steps_.size(); }
  std::size_t MemorySize() const;

 private:
  friend struct TPairAccess;  // the engine's internals (replace.cpp)

  // What a run looks at first, kept apart from the terms.
  struct TKey {
    unsigned char First = 0;   // the find's first byte; 0 for an empty find
    unsigned char Second = 0;  // its second byte; the first for a find of one
    bool IgnoresCase = false;
  };
  std::vector<TPassStep> steps_;
  std::vector<TKey> keys_;
  // The steps' indices grouped by their key's first byte, in order within a
  // group: group b is by_first_[group_start_[b], group_start_[b + 1]).
  std::vector<std::uint32_t> by_first_;
  std::array<std::uint32_t, 257> group_start_{};
  // The first step that ignores case (it may lower-case the text); Size()
  // when none does.
  std::size_t first_ignoring_case_ = 0;
};

// Applies the steps in order, each exactly as MaskedReplaceAll(pair, Find,
// Replacement, CaseSensitive) would, but looks only at the steps that can
// occur. The pair's byte counts (one table of 256 entries, taken from the
// text and kept up as replacements write filler) say which bytes the text
// holds; during a pass it can hold only those, their lower-case forms and
// the filler, so the other steps are passed over unvisited, and a visited
// step whose find's first or second byte the text no longer holds costs two
// look-ups. A file name meets few of a profile's rules and pays little for
// the others; a long text holds most bytes and is better served by
// RunReplacement.
//   steps {"a", "b", exact}, {"x", "y", exact} on "aa" give "bb"; the second
//   step is never visited.
void ApplyPassSteps(TReplacePair& pair, const TPassSteps& steps);

// Number of passes of a run and the case mode of each: one exact pass when the
// CaseSensitive option is set; otherwise an exact pass, then one that ignores
// case. Pass numbers count from 0.
inline int PassCount(bool caseSensitiveOption) { return caseSensitiveOption ? 1 : 2; }
inline bool PassIsCaseSensitive(int pass) { return pass == 0; }

struct TRunOptions {
  bool CaseSensitive = false;  // the CaseSensitive option: 1 pass when set, 2 when not
  TDirection Direction = TDirection::kForward;
  TSelfMapping SelfMapping = TSelfMapping::kLikeEveryRule;
  // Optional. Asked for each rule before it runs, and while rules run each
  // time they have swept another 64 KB of text; returning true abandons the
  // run (the text window's worker gives up a stale conversion within
  // milliseconds, whatever the profile and the text).
  std::function<bool()> Cancelled;
};

// One run of a whole profile: sets the pair to the
// input, then for each pass applies the rules in order as ApplyRule does. The
// output is pair.ResultText(). Cancelled is asked once for each rule, in rule
// order (for all rules of a series of one case mode before the series
// runs), and beyond that only once 64 KB have been swept. Returns false when
// it abandoned the run; the pair then holds the result of the rules before
// the one it was asked for: in full unless they had swept 64 KB by then, and
// otherwise perhaps only partly (both strings of equal length, of no further
// use).
bool RunReplacement(TReplacePair& pair, std::string_view input, const std::vector<TRule>& rules,
                    const TRunOptions& options);
