// The command line shared by translit (Linux) and translit-host.exe
// (Windows): the options, parsed with CLI11, and the help text. Arguments
// are UTF-8 (translit-host converts its UTF-16 ones first).
//
//   translit [options] FILE|FOLDER...     rename
//   translit --undo                       put the newest batch back
//   translit --list                       the profiles
//   translit -t [TEXT...]                 the text filter
//
// For example {"-n", "--profile", "ala-lc.pch", "a.txt"} gives DryRun,
// Profile "ala-lc.pch" and Files {"a.txt"}; {"--frob"} is a usage error
// naming "--frob".
#pragma once

#include <string>
#include <vector>

#include "cli/core/outcome.h"

enum class TVerbosity { kQuiet, kNormal, kVerbose };

struct TCommandOptions {
  std::string Profile = "standart.pch";  // a name in the profile folder, or a path
  bool Reverse = false;
  bool CaseSensitive = false;
  bool Extension = false;
  bool DryRun = false;
  bool Recursive = false;
  TVerbosity Verbosity = TVerbosity::kNormal;
  std::vector<std::string> From0;  // files of NUL-separated paths; "-" is standard input
  bool Undo = false;
  bool List = false;               // with --undo: the batches, not the profiles
  std::string Batch;               // --undo --batch ID: that batch, not the newest
  std::string Forget;              // --undo --forget ID: drop what remains of a batch
  bool Print0 = false;             // renamed pairs on standard output, NUL-separated and raw
  bool CrossFileSystems = false;   // -r goes on into other file systems
  std::string Check;               // --check FILE.pch: the profile to check
  bool Text = false;               // -t: transliterate text, not file names
  bool From1251 = false;           // names (and text) that are not UTF-8 are Windows-1251
  std::vector<std::string> Files;  // as given, in order (--undo: the folders; -t: the text)
};

// What the caller does next: run with the options, or print Text and exit
// with Status (kOk for --help and --version on standard output,
// kNothingTouched for a usage error on standard error).
struct TParseOutcome {
  bool Run = false;
  TExitStatus Status = TExitStatus::kOk;
  bool ToStandardError = false;
  std::string Text;
  bool Help = false;  // Text is --help's, which the run core ends with the folders it uses

  static TParseOutcome RunWithOptions() { return {true, TExitStatus::kOk, false, {}, false}; }
  static TParseOutcome Answer(std::string text) {
    return {false, TExitStatus::kOk, false, std::move(text), false};
  }
  static TParseOutcome UsageError(std::string text) {
    return {false, TExitStatus::kNothingTouched, true, std::move(text), false};
  }
};

// Parses args (without the program name). program names the command in the
// help text and in error messages; version is printed by --version.
TParseOutcome ParseCommandLine(const std::string& program, const std::string& version,
                               const std::vector<std::string>& args, TCommandOptions* options);
