// What both commands print about a run: why a file keeps its name, the
// closing summary and the progress line. Texts are UTF-8; paths are the
// user's own, as given.
//
//   SkipLine("translit", "a/Щука.txt", {TSkipReason::kTaken, "Shchuka.txt"})
//     == "translit: a/Щука.txt: not renamed: Shchuka.txt is taken\n"
//   SummaryLine({3, 1, 2}, false) == "3 renamed, 1 unchanged, 2 skipped\n"
#pragma once

#include <cstddef>
#include <string>

enum class TSkipReason {
  kTaken,    // Detail: the new name
  kClaimed,  // Detail: the path of the file that has the new name already
  kTooLong,  // Detail: the new name's length in bytes
  kEmpty,
  kSeparator,  // the new name holds a "/" (or on Windows another reserved character)
  kNulByte,
  kReservedCharacter,   // Windows: Detail is one of \ : * ? " < > |, empty for a control character
  kDeviceName,          // Windows: Detail is the new name
  kTrailingDotOrSpace,  // Windows
  kPathTooLong,         // Windows: the new path would be over 259 characters
  kOutside1251,         // Windows: the name holds characters the code page lacks
  kMissing,
  kPermission,
  kChanged,  // undo: another file is at the new path now, or none
  kSystem,   // Detail: the system's own words
};

struct TSkip {
  TSkipReason Reason = TSkipReason::kSystem;
  std::string Detail;
};

// The reason as a phrase: "Shchuka.txt is taken".
std::string ReasonText(const TSkip& skip);

// "PROGRAM: PATH: not renamed: REASON\n" (undo: "not put back").
std::string SkipLine(const std::string& program, const std::string& path, const TSkip& skip,
                     bool undo = false);

struct TRunCounts {
  std::size_t Renamed = 0;
  std::size_t Unchanged = 0;
  std::size_t Skipped = 0;
};

// "N renamed, M unchanged, K skipped\n", or for a dry run
// "dry run, nothing renamed: N would be renamed, M unchanged, K would be skipped\n".
std::string SummaryLine(const TRunCounts& counts, bool dryRun);

// The progress line, to be rewritten in place: "\r12,345 of 20,000 files".
std::string ProgressLine(std::size_t done, std::size_t total);

// Clears what ProgressLine wrote.
std::string ProgressEnd();
