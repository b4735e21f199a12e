#include "cli/core/journal_store.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "cli/core/messages.h"

namespace {

constexpr char kJournalSuffix[] = ".journal";

bool IsJournalName(const std::string& name) {
  const std::size_t suffix = sizeof kJournalSuffix - 1;
  return name.size() > suffix && name.compare(name.size() - suffix, suffix, kJournalSuffix) == 0;
}

}  // namespace

std::string JournalName(std::chrono::system_clock::time_point time, unsigned long processId) {
  using std::chrono::duration_cast;
  const auto since_epoch = time.time_since_epoch();
  const auto seconds = duration_cast<std::chrono::seconds>(since_epoch);
  const long nanoseconds =
      static_cast<long>(duration_cast<std::chrono::nanoseconds>(since_epoch - seconds).count());
  const std::time_t whole = static_cast<std::time_t>(seconds.count());
  const std::tm* utc = std::gmtime(&whole);
  char name[80];
  std::snprintf(name, sizeof name, "%04d%02d%02dT%02d%02d%02d.%09ldZ-%lu%s", utc->tm_year + 1900,
                utc->tm_mon + 1, utc->tm_mday, utc->tm_hour, utc->tm_min, utc->tm_sec, nanoseconds,
                processId, kJournalSuffix);
  return name;
}

TMaybeError TJournalWriter::Append(const TJournalRecord& record) {
  if (!file_) {
    TResult<std::string> folder = platform_.StateFolder();
    if (!folder) return folder.Error();
    if (TMaybeError error = platform_.MakePrivateFolder(*folder)) return error;
    TResult<std::unique_ptr<TJournalFile>> file = platform_.CreateNewFile(
        *folder + JournalName(std::chrono::system_clock::now(), platform_.ProcessId()));
    if (!file) return file.Error();
    if (TMaybeError error = (*file)->Append(JournalHeader())) return error;
    file_ = std::move(*file);
  }
  return file_->Append(EncodeJournalRecord(record));
}

TMaybeError TJournalWriter::Finish() { return file_ ? file_->Flush() : std::nullopt; }

TResult<std::vector<std::string>> JournalsNewestFirst(TCommandPlatform& platform) {
  std::vector<std::string> paths;
  TResult<std::string> folder = platform.StateFolder();
  if (!folder || !platform.Exists(*folder)) return paths;  // no journal written yet
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(*folder);
  if (!entries) return entries.Error();
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder && IsJournalName(entry.Name)) paths.push_back(*folder + entry.Name);
  }
  std::sort(paths.rbegin(), paths.rend());
  return paths;
}

TResult<std::vector<TJournalRecord>> ReadJournal(TCommandPlatform& platform,
                                                 const std::string& path) {
  TResult<std::string> bytes = platform.ReadWholeFile(path);
  std::vector<TJournalRecord> records;
  if (!bytes || !DecodeJournal(*bytes, &records))
    return TError{path, _("cannot be read as a journal")};
  return records;
}

TMaybeError RewriteJournal(TCommandPlatform& platform, const std::string& path,
                           const std::vector<TJournalRecord>& records) {
  if (records.empty()) return platform.RemoveFile(path);
  std::string bytes = JournalHeader();
  for (const TJournalRecord& record : records) bytes += EncodeJournalRecord(record);
  return platform.ReplaceFile(path, bytes);
}
