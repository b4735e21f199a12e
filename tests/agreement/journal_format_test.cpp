// The undo journal's bytes: records come back as written, whatever their
// paths hold, and a record cut short by a crash is left out.
#include "cli/core/journal_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TFields = std::tuple<std::uint64_t, std::uint64_t, std::string, std::string>;

std::vector<TFields> Fields(const std::vector<TJournalRecord>& records) {
  std::vector<TFields> fields;
  for (const TJournalRecord& r : records)
    fields.emplace_back(r.Device, r.FileId, r.OldPath, r.NewPath);
  return fields;
}

TEST(JournalFormat, RecordsRoundTripAndACutShortLastOneIsLeftOut) {
  const std::vector<TJournalRecord> records = {
      {2049, 131074, "dir/\xd0\xa9.txt", "dir/Shch.txt"},
      // Newlines in the paths (a NUL, the separator, is in no path).
      {0, UINT64_MAX, "a\nb", "\n\nR 1 2\n"},
      {7, 8, "", "R 1 2"},
  };
  std::string journal = JournalHeader();
  for (const TJournalRecord& record : records) journal += EncodeJournalRecord(record);

  std::vector<TJournalRecord> decoded;
  ASSERT_TRUE(DecodeJournal(journal, &decoded));
  EXPECT_EQ(Fields(decoded), Fields(records));

  // Every cut inside the last record leaves the first two.
  const std::size_t last = EncodeJournalRecord(records.back()).size();
  const std::vector<TJournalRecord> first_two(records.begin(), records.begin() + 2);
  for (std::size_t cut = 1; cut <= last; ++cut) {
    decoded.assign(5, TJournalRecord{});
    ASSERT_TRUE(DecodeJournal(journal.substr(0, journal.size() - cut), &decoded));
    EXPECT_EQ(Fields(decoded), Fields(first_two)) << "last record cut by " << cut << " bytes";
  }

  EXPECT_TRUE(DecodeJournal(JournalHeader(), &decoded));
  EXPECT_TRUE(decoded.empty());
  EXPECT_FALSE(DecodeJournal("translit journal 2\n", &decoded));
  EXPECT_FALSE(DecodeJournal(EncodeJournalRecord(records[0]), &decoded));
}

}  // namespace
