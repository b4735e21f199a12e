// The first format of the undo journal, which journal_entries.h still
// reads; paths are UTF-8.
//
// A journal is the line "translit journal 1\n", then one record per rename:
//   "R <device> <file id>\0<old path>\0<new path>\0\n"
// with the numbers in decimal (device and inode on Linux, volume serial and
// file index on Windows). Records are appended as the renames happen; a
// record cut short by a crash is ignored when the journal is read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TJournalRecord {
  std::uint64_t Device = 0;
  std::uint64_t FileId = 0;
  std::string OldPath;
  std::string NewPath;
  std::int64_t Birth = 0;  // nanoseconds since 1970; 0: unknown (and in this format)
};

// The first line of every journal.
std::string JournalHeader();

// One record, ready to append.
std::string EncodeJournalRecord(const TJournalRecord& record);

// The records of a journal, in the order written. False when the bytes do
// not start with the header (not a journal of ours); a cut-short last
// record is left out.
bool DecodeJournal(std::string_view bytes, std::vector<TJournalRecord>* records);
