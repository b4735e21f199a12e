// The profile check: what in a profile file will not do what its author
// probably meant, found by reading the file exactly as the readers of
// engine/profile.h read it. For people who write their own profiles.
//
// Two scopes. The forward check (the default) reports what concerns the
// forward direction and both directions; every profile should pass it. The
// reverse check adds what concerns reading back, for profiles meant to give
// back the text that went in; a profile that never claimed that gets no
// reverse finding from the forward check.
//
// Each finding names a line of the file (1-based, lines ending at LF), the
// direction it concerns and its kind:
//
//   kNeverApplies   the rule's find term (the left term forward, the right
//                   term in reverse) is empty, or an earlier rule's find term
//                   is part of it: the earlier rule replaces every occurrence
//                   first, so this one never finds anything. ("Щ Shch" after
//                   "Щ SHCH" never applies forward; "ш sh" then "щ sh" never
//                   applies in reverse.) Not reported when a rule in between
//                   has an empty replacement, which closes text up and can make
//                   new occurrences.
//                   Nor in reverse for the capital of a letter written
//                   without case after its small letter ("ъ ''", "Ъ ''"):
//                   nothing can show a sign's case, and the capital's rule is
//                   there for runs in which case counts. The same holds for
//                   kNotReadBack.
//   kMapsItself     a rule line without a space (both directions): it maps its
//                   text onto itself, and a file-name run lower-cases what it
//                   matches and everything after it for later rules.
//   kNotReadBack    reverse only: the rule's left term, renamed forward by the
//                   whole profile and back again (both passes each, as for a
//                   file name), does not come back: in "Е E", "Э E" the Э goes
//                   forward to "E", which reads back as "Е". Rules that never
//                   apply forward are not reported here.
//   kSpecialByte    a byte the reader treats specially: a carriage return not
//                   followed by a line feed (dropped: the line goes on), a
//                   Ctrl-Z (ends the data, or the text of its line), a NUL byte
//                   (the engine writes NULs over replaced text, so a term that
//                   holds one can match it; no file name holds it). Both
//                   directions.
//   kNotInFileName  a term that a rename in this direction writes (the right
//                   term forward, the left term in reverse) holds a character
//                   no Windows file name can hold: \ / : * ? " < > | or a
//                   control character.
//   kSequenceNotReadBack
//                   reverse only, and at most one, on no line (Line 0, after
//                   the others): the first letter sequence that does not come
//                   back. Every sequence of two and then three of the
//                   profile's letters, in small letters, Capitalised and in
//                   CAPITALS, goes forward through the whole profile and back
//                   again, with case ignored (two passes, as for a file name
//                   by default), then all of them again with letter case
//                   counting (one exact pass). This finds what no single rule
//                   shows: with "ц ts", "т t", "ш sh" (and "s", "h" meaning
//                   nothing), the letters "тш" go to "tsh", which reads back
//                   as "цh". Reading back may give another sequence of one to
//                   three of the profile's letters, small, Capitalised or in
//                   CAPITALS, that the profile writes alike: other letters
//                   (the scheme's own ambiguity: "э" and "е" both written
//                   "e"), or another case form that differs only in letters
//                   written without case ("Съ" and "СЪ" as "S''"). Anything
//                   else (a Latin letter left over: "ЙОА" as "JJOA" read back
//                   as "JЁА") does not come back.
//                   The profile's letters: every byte of a left term that
//                   lower-casing maps to or from another byte (engine
//                   lower-case mapping), taken as its small letter, in byte
//                   order; a small letter's capital is the first byte that
//                   lower-cases to it.
//
// Example: the file "info\r\nL\r\nR\r\nab x\r\nabc y\r\nq\r\n" gives
//   line 5, forward: never applies: line 4's left term "ab" is part of "abc"
//   line 6, both: no space: the line maps "q" onto itself ...
// and the reverse findings of lines 4 to 6 that reading back gives.
//
// Pure functions; nothing here throws except std::bad_alloc.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"

enum class TCheckDirection { kForward, kReverse, kBoth };

// What a check reports: kForward the findings of the forward direction and of
// both; kForwardAndReverse those and the reverse ones, sequences included.
enum class TCheckScope { kForward, kForwardAndReverse };

enum class TFindingKind {
  kNeverApplies,
  kMapsItself,
  kNotReadBack,
  kSpecialByte,
  kNotInFileName,
  kSequenceNotReadBack,
};

struct TProfileFinding {
  std::size_t Line = 0;  // 1-based line of the file
  TCheckDirection Direction = TCheckDirection::kBoth;
  TFindingKind Kind = TFindingKind::kNeverApplies;
  // kNeverApplies: the rule's find term; kNotReadBack, kMapsItself: its left
  // term; kNotInFileName: the term written; kSequenceNotReadBack: the
  // sequence; kSpecialByte: empty.
  std::string Term;
  // kNeverApplies: the earlier rule's find term (empty when Term is empty);
  // kNotReadBack, kSequenceNotReadBack: what Term becomes forward;
  // kSpecialByte, kNotInFileName: the byte itself.
  std::string Other;
  // kNeverApplies: the earlier rule's line (0 when Term is empty).
  std::size_t OtherLine = 0;
  // kNotReadBack, kSequenceNotReadBack: what Other reads back as.
  std::string ReadBack;
  // kSequenceNotReadBack: true when the sequence comes back with case ignored
  // but not with letter case counting.
  bool CaseCounts = false;
  // kSpecialByte, a Ctrl-Z: true when the reader stops there (the first byte
  // of the file, or the start of a rule line), false when it only ends the
  // text of its line.
  bool EndsData = false;
};

// Every finding of the scope for the profile whose file holds fileBytes,
// ordered by line, then direction (forward, reverse, both), then kind; a
// sequence finding (line 0) comes last.
std::vector<TProfileFinding> CheckProfile(std::string_view fileBytes,
                                          TCheckScope scope = TCheckScope::kForward);

// Reads the file at path whole and checks it. False (findings untouched) when
// the file is missing or cannot be read.
bool CheckProfileFile(const std::string& path, std::vector<TProfileFinding>* findings,
                      TCheckScope scope = TCheckScope::kForward);

// The profile's letters as the sequence check takes them (small letters, in
// byte order), for the rules of a profile.
std::string ProfileLetters(const std::vector<TRule>& rules);

// One line of English text, without a line break, for example
//   line 12, reverse: never applies: line 9's right term "sh" is part of "shch"
//   reverse: the letters "ТШ" go forward to "TSH", which reads back as "ЦH"
// Terms are quoted as they are in the file (Windows-1251 bytes; control bytes
// and NUL written as \xHH).
std::string FormatProfileFinding(const TProfileFinding& finding);
