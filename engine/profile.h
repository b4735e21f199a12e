// Replacement profiles: where they live, how their lines are read, how a rule
// line is split, and the readers built on that.
//
// Failure model: nothing here throws, except std::bad_alloc when memory runs
// out. A profile that is missing (ProfilePresent false) and one that exists
// but cannot be opened or read (locked, access denied, a read error midway)
// look the same to every caller: ReadProfileFile or TProfileReader::Open
// returns false or TProfileReader::Failed() turns true, and the whole-profile
// readers below return false, leaving their output untouched.
//
// A profile file:
//   line 1      information text (the information box)
//   line 2      name of the left side
//   line 3      name of the right side
//   line 4...   one rule per line, in order of application: "left right";
//               the first space separates the terms, "/s" (or "/S") in a term
//               stands for a space; a line without a space maps itself.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/profile_file.h"
#include "engine/replace.h"

// plugin_dir + "Plugins\rep_profiles\" + name, joined with no separator added
// (plugin_dir must end with one). Pure.
std::string ProfilePath(std::string_view plugin_dir, std::string_view name);

// The line reader:
//  - a line ends at LF or CR LF, which are not part of it; every CR that is not
//    followed by LF is dropped, as if it were not in the file (so a CR never
//    counts as text, nor as the start of a line);
//  - the last line counts without a line break after it; a line break at the
//    very end does not start a further line, every additional one does;
//  - Ctrl-Z (byte 26) as the first byte of the file, or at the start of a
//    line for which AtEnd() is asked, ends the file: neither it nor anything
//    after it is read; anywhere else (inside a line, or at the start of a
//    header line, which readers read without asking AtEnd()) it ends the text
//    of its line, and the rest of that physical line up to and including its
//    LF is skipped;
//  - lines have no length limit and nothing is trimmed;
//  - reading past the end yields empty lines.
// For example "i\r\nL\nR\r\na\rb c\x1Ad\n\x1Ae f\n" holds the lines "i", "L",
// "R" and "ab c", and then the end.
//
// TProfileLines reads the lines of bytes already in memory; TProfileReader
// reads them from a file or a function, a piece at a time. Each reader opens,
// reads and closes a profile within one operation.

// The lines of a profile's bytes. A line is a view of the bytes themselves
// unless a CR inside it is dropped, in which case it is put together in
// space the reader reuses: a line stays valid until the next Next().
class TProfileLines {
 public:
  explicit TProfileLines(std::string_view bytes);

  // True at the end of the data and before a Ctrl-Z at the start of the next
  // line. Readers ask it before each rule line.
  bool AtEnd();
  // The next line; empty past the end.
  std::string_view Next();

 private:
  std::string_view rest_;  // the bytes not read yet
  std::string joined_;     // a line whose CRs were dropped
};

class TProfileReader {
 public:
  // Reads up to size bytes into buffer: the number read, 0 at the end, -1 on a
  // read error.
  using TReadFunction = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

  TProfileReader() = default;
  TProfileReader(const TProfileReader&) = delete;
  TProfileReader& operator=(const TProfileReader&) = delete;

  // Opens the profile at path for reading from its start. False, as for a
  // missing profile, when it is not present or cannot be opened.
  bool Open(const std::string& path);
  // Reads from a function instead of a file (for tests of read errors).
  void OpenFrom(TReadFunction read);
  void Close();

  // True at the end of the data, before a Ctrl-Z at the start of the next
  // line, and after a read error. Readers ask it before each rule line.
  bool AtEnd();
  // The next line; empty past the end and after a read error.
  std::string ReadLine();
  // True once a read error has happened since Open: what was read is not to
  // be trusted, and the profile counts as missing.
  bool Failed() const { return failed_; }

 private:
  // Reads another piece onto the bytes held; false at the end of the data or
  // on a read error.
  bool Fill();
  // Drops the CRs in front of the bytes held, reading on while there are no
  // others; false when no byte is left.
  bool SkipCarriageReturns();

  TProfileFile file_;
  TReadFunction read_;
  std::string held_;  // bytes read, from position_ on not yet consumed
  std::size_t position_ = 0;
  bool exhausted_ = true;  // the source has nothing more to give
  bool stopped_ = true;    // a Ctrl-Z ended the file, or nothing is open
  bool failed_ = false;
};

// Splits a rule line: with a space, the left term is
// the text before the first space and the right term all the text after it,
// each with "/s" (any case) turned into a space by ReplaceAllInString (only
// in a term that holds what lower-cases to "/"); without a space, both terms
// are the whole line verbatim and SelfMapping is true.
//   "a b c" -> "a", "b c";  "a/sb c" -> "a b", "c";  "ab/S c" -> "ab ", "c"
//   "x/sy" -> "x/sy", "x/sy" (self-mapping);  " x" -> "", "x";  "x " -> "x", ""
//   "" -> "", "" (self-mapping)
TRule SplitRuleLine(std::string_view line);

// A whole profile as the windows use it.
struct TProfile {
  std::string Information;   // line 1
  std::string LeftName;      // line 2
  std::string RightName;     // line 3
  std::vector<TRule> Rules;  // lines 4 on, as SplitRuleLine gives them
};

// The profile that bytes hold: three header lines, then rule lines while
// !AtEnd().
TProfile ProfileFromBytes(std::string_view bytes);

// Reads the whole profile at path (one open and one read). False (profile
// untouched) when the profile is missing or cannot be opened or read.
bool ReadProfile(const std::string& path, TProfile* profile);
// Reads the rest of a profile from an opened reader: three header lines, then
// rule lines while !AtEnd(). False (profile untouched) after a read error.
bool ReadProfile(TProfileReader& reader, TProfile* profile);

// Reads only the information line (for the information box). False
// (information untouched) when the profile is missing or cannot be read.
bool ReadProfileInformation(const std::string& path, std::string* information);

// The file-name run of the profile at path: sets the pair to input; reads
// the profile whole with one open and one read, skips its three header lines
// and, for each pass, applies each rule line in order as ApplyRule(...,
// TSelfMapping::kAlwaysIgnoreCase) does. Every pass uses the bytes of that
// one read, so a profile edited meanwhile never gives a name made half by its
// old rules and half by its new ones. The rules are compiled once for the
// bytes read and kept for later calls with the same bytes
// (engine/profile_cache.h). The output is pair.ResultText(). False, the pair
// untouched, when the profile is missing or cannot be opened or read.
bool RunProfileFile(TReplacePair& pair, std::string_view input, const std::string& path,
                    bool caseSensitiveOption, TDirection direction);
