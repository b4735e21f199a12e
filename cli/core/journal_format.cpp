#include "cli/core/journal_format.h"

#include <charconv>

namespace {

constexpr std::string_view kHeader = "translit journal 1\n";

// Reads up to the next NUL; false when there is none.
bool TakeField(std::string_view& rest, std::string_view* field) {
  const std::size_t end = rest.find('\0');
  if (end == std::string_view::npos) return false;
  *field = rest.substr(0, end);
  rest.remove_prefix(end + 1);
  return true;
}

bool ParseNumber(std::string_view text, std::uint64_t* number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

std::string JournalHeader() { return std::string(kHeader); }

std::string EncodeJournalRecord(const TJournalRecord& record) {
  std::string bytes = "R " + std::to_string(record.Device) + " " + std::to_string(record.FileId);
  bytes += '\0';
  bytes += record.OldPath;
  bytes += '\0';
  bytes += record.NewPath;
  bytes += '\0';
  bytes += '\n';
  return bytes;
}

bool DecodeJournal(std::string_view bytes, std::vector<TJournalRecord>* records) {
  if (bytes.substr(0, kHeader.size()) != kHeader) return false;
  std::string_view rest = bytes.substr(kHeader.size());
  records->clear();
  while (!rest.empty()) {
    std::string_view numbers, old_path, new_path;
    if (!TakeField(rest, &numbers) || !TakeField(rest, &old_path) || !TakeField(rest, &new_path) ||
        rest.empty() || rest.front() != '\n') {
      break;  // cut short
    }
    rest.remove_prefix(1);
    TJournalRecord record;
    const std::size_t space = numbers.find(' ', 2);
    if (numbers.substr(0, 2) != "R " || space == std::string_view::npos ||
        !ParseNumber(numbers.substr(2, space - 2), &record.Device) ||
        !ParseNumber(numbers.substr(space + 1), &record.FileId)) {
      break;
    }
    record.OldPath = std::string(old_path);
    record.NewPath = std::string(new_path);
    records->push_back(std::move(record));
  }
  return true;
}
