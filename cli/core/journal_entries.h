// The undo journal of one batch of renames, as bytes: a write-ahead log, as
// databases keep theirs. Each rename's intent is written (and flushed, a
// group at a time) before the rename, its completion after it, and undo
// appends what it has put back. Paths are UTF-8, absolute.
//
// A journal is the line "translit journal 2\n", then entries:
//   <kind><length> <payload> <checksum>\n
// kind one letter, length the payload's bytes in decimal, checksum the CRC-32
// of kind and payload in eight lowercase hex digits. Payloads:
//   B  where the batch ran (the current folder)
//   I  "<n> <device> <file id> <birth>\0<old path>\0<new path>": rename n is
//      about to happen; birth in nanoseconds since 1970, 0 where the file
//      system keeps none
//   D  "<n> <change> <size>": rename n has happened; the file's change time
//      and size after it (for file systems without a birth time)
//   U  "<n>": rename n has been put back
// For example "U1 3 8ad8757b\n" says rename 3 has been put back. An entry
// cut short at the end (a crash while writing it) is ignored; any other entry
// that does not read back, checksum included, is damaged: it is reported by
// its line and kept, never dropped with the journal.
//
// Journals of the first format ("translit journal 1\n", journal_format.h)
// are read as batches whose renames have all happened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/core/journal_format.h"

enum class TEntryKind : char {
  kBatch = 'B',
  kIntent = 'I',
  kDone = 'D',
  kPutBack = 'U',
};

struct TJournalEntry {
  TEntryKind Kind = TEntryKind::kIntent;
  std::uint64_t Number = 0;  // of the rename, for I, D and U
  TJournalRecord Record;     // I: identity and both paths
  std::int64_t Change = 0;   // D: change time after the rename, nanoseconds
  std::uint64_t Size = 0;    // D: size after the rename
  std::string Where;         // B
};

// The first line of every journal of this format.
std::string JournalHeaderV2();

// One entry, ready to append.
std::string EncodeJournalEntry(const TJournalEntry& entry);

// A stretch of a journal that does not read back.
struct TDamagedStretch {
  std::size_t Line = 0;  // where it starts, counting from 1
  std::string Bytes;     // kept as they are when the journal is rewritten
};

struct TJournalContents {
  std::vector<TJournalEntry> Entries;
  std::vector<TDamagedStretch> Damaged;
};

// The entries of a journal of either format. False when the bytes are not a
// journal of ours.
bool ParseJournal(std::string_view bytes, TJournalContents* contents);

// The CRC-32 (IEEE 802.3) of bytes: Crc32("123456789") == 0xcbf43926.
std::uint32_t Crc32(std::string_view bytes);
