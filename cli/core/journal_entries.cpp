#include "cli/core/journal_entries.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

constexpr std::string_view kHeaderV2 = "translit journal 2\n";
constexpr std::string_view kHeaderV1 = "translit journal 1\n";

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

template <typename Number>
bool ParseNumber(std::string_view text, Number* number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Splits text at its spaces into exactly count fields.
bool SplitFields(std::string_view text, std::size_t count, std::string_view* fields) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t space = i + 1 < count ? text.find(' ') : text.size();
    if (space == std::string_view::npos) return false;
    fields[i] = text.substr(0, space);
    text.remove_prefix(space == text.size() ? space : space + 1);
  }
  return true;
}

bool DecodePayload(TEntryKind kind, std::string_view payload, TJournalEntry* entry) {
  entry->Kind = kind;
  std::string_view fields[4];
  switch (kind) {
    case TEntryKind::kBatch:
      entry->Where = std::string(payload);
      return true;
    case TEntryKind::kIntent: {
      const std::size_t first = payload.find('\0');
      const std::size_t second =
          first == std::string_view::npos ? first : payload.find('\0', first + 1);
      if (second == std::string_view::npos ||
          payload.find('\0', second + 1) != std::string_view::npos) {
        return false;
      }
      TJournalRecord& record = entry->Record;
      record.OldPath = std::string(payload.substr(first + 1, second - first - 1));
      record.NewPath = std::string(payload.substr(second + 1));
      return SplitFields(payload.substr(0, first), 4, fields) &&
             ParseNumber(fields[0], &entry->Number) && ParseNumber(fields[1], &record.Device) &&
             ParseNumber(fields[2], &record.FileId) && ParseNumber(fields[3], &record.Birth);
    }
    case TEntryKind::kDone:
      return SplitFields(payload, 3, fields) && ParseNumber(fields[0], &entry->Number) &&
             ParseNumber(fields[1], &entry->Change) && ParseNumber(fields[2], &entry->Size);
    case TEntryKind::kPutBack:
      return ParseNumber(payload, &entry->Number);
  }
  return false;
}

bool IsKind(char c) { return c == 'B' || c == 'I' || c == 'D' || c == 'U'; }

// Reads the entry at bytes[at]. Returns its end, or 0 when it does not read
// back; *cutShort tells whether it ran past the end of the bytes.
std::size_t ReadEntry(std::string_view bytes, std::size_t at, TJournalEntry* entry,
                      bool* cutShort) {
  *cutShort = false;
  if (at >= bytes.size() || !IsKind(bytes[at])) return 0;
  std::size_t digits_end = at + 1;
  while (digits_end < bytes.size() && bytes[digits_end] >= '0' && bytes[digits_end] <= '9') {
    ++digits_end;
  }
  std::size_t length = 0;
  if (digits_end == bytes.size()) *cutShort = true;
  if (digits_end - at > 10 || !ParseNumber(bytes.substr(at + 1, digits_end - at - 1), &length) ||
      digits_end == bytes.size() || bytes[digits_end] != ' ') {
    return 0;
  }
  const std::size_t payload = digits_end + 1;
  const std::size_t end = payload + length + 1 + 8 + 1;
  if (length > bytes.size() || end > bytes.size()) {
    *cutShort = true;
    return 0;
  }
  std::uint32_t checksum = 0;
  const std::string_view hex = bytes.substr(payload + length + 1, 8);
  if (bytes[payload + length] != ' ' || bytes[end - 1] != '\n' ||
      std::from_chars(hex.data(), hex.data() + hex.size(), checksum, 16).ptr !=
          hex.data() + hex.size()) {
    return 0;
  }
  std::string kind_and_payload(1, bytes[at]);
  kind_and_payload.append(bytes.substr(payload, length));
  if (Crc32(kind_and_payload) != checksum) return 0;
  if (!DecodePayload(static_cast<TEntryKind>(bytes[at]), bytes.substr(payload, length), entry)) {
    return 0;
  }
  return end;
}

bool ParseFirstFormat(std::string_view bytes, TJournalContents* contents) {
  std::vector<TJournalRecord> records;
  if (!DecodeJournal(bytes, &records)) return false;
  std::uint64_t number = 0;
  for (TJournalRecord& record : records) {
    ++number;
    TJournalEntry intent;
    intent.Kind = TEntryKind::kIntent;
    intent.Number = number;
    intent.Record = std::move(record);
    contents->Entries.push_back(std::move(intent));
    TJournalEntry done;
    done.Kind = TEntryKind::kDone;
    done.Number = number;
    contents->Entries.push_back(std::move(done));
  }
  return true;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes)
    crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string JournalHeaderV2() { return std::string(kHeaderV2); }

std::string EncodeJournalEntry(const TJournalEntry& entry) {
  std::string payload;
  switch (entry.Kind) {
    case TEntryKind::kBatch:
      payload = entry.Where;
      break;
    case TEntryKind::kIntent:
      payload = std::to_string(entry.Number) + " " + std::to_string(entry.Record.Device) + " " +
                std::to_string(entry.Record.FileId) + " " + std::to_string(entry.Record.Birth);
      payload += '\0';
      payload += entry.Record.OldPath;
      payload += '\0';
      payload += entry.Record.NewPath;
      break;
    case TEntryKind::kDone:
      payload = std::to_string(entry.Number) + " " + std::to_string(entry.Change) + " " +
                std::to_string(entry.Size);
      break;
    case TEntryKind::kPutBack:
      payload = std::to_string(entry.Number);
      break;
  }
  const char kind = static_cast<char>(entry.Kind);
  char checksum[9];
  std::snprintf(checksum, sizeof checksum, "%08x",
                static_cast<unsigned>(Crc32(std::string(1, kind) + payload)));
  return std::string(1, kind) + std::to_string(payload.size()) + " " + payload + " " + checksum +
         "\n";
}

bool ParseJournal(std::string_view bytes, TJournalContents* contents) {
  *contents = TJournalContents();
  if (bytes.substr(0, kHeaderV1.size()) == kHeaderV1) return ParseFirstFormat(bytes, contents);
  // A journal cut short within its header holds no intent yet, so no rename
  // was made under it: it is an empty journal (a run stopped right after
  // creating it), not a damaged one that would hold every later undo up.
  if (bytes.size() < kHeaderV2.size() && kHeaderV2.substr(0, bytes.size()) == bytes) return true;
  if (bytes.substr(0, kHeaderV2.size()) != kHeaderV2) return false;
  std::size_t at = kHeaderV2.size();
  std::size_t line = 2;
  std::size_t line_counted_to = at;
  auto line_of = [&](std::size_t position) {
    for (; line_counted_to < position; ++line_counted_to) line += bytes[line_counted_to] == '\n';
    return line;
  };
  while (at < bytes.size()) {
    TJournalEntry entry;
    bool cut_short = false;
    if (const std::size_t end = ReadEntry(bytes, at, &entry, &cut_short)) {
      contents->Entries.push_back(std::move(entry));
      at = end;
      continue;
    }
    // Find where entries read back again: after a line break, at an entry
    // whose checksum holds.
    std::size_t resume = at;
    for (;;) {
      resume = bytes.find('\n', resume);
      if (resume == std::string_view::npos) break;
      ++resume;
      bool unused = false;
      TJournalEntry probe;
      if (ReadEntry(bytes, resume, &probe, &unused)) break;
    }
    if (resume == std::string_view::npos && cut_short) break;  // the tail a crash cut short
    const std::size_t stretch_end = resume == std::string_view::npos ? bytes.size() : resume;
    contents->Damaged.push_back({line_of(at), std::string(bytes.substr(at, stretch_end - at))});
    at = stretch_end;
  }
  return true;
}
