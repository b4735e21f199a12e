#include "cli/core/journal_store.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

#include "cli/core/messages.h"

namespace {

constexpr char kJournalSuffix[] = ".journal";
constexpr std::size_t kSuffixLength = sizeof kJournalSuffix - 1;

bool IsJournalName(const std::string& name) {
  return name.size() > kSuffixLength &&
         name.compare(name.size() - kSuffixLength, kSuffixLength, kJournalSuffix) == 0;
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

TResult<std::string> SafeStateFolder(TCommandPlatform& platform, bool make) {
  TResult<std::string> folder = platform.StateFolder();
  if (!folder) return folder;
  if (make) {
    if (TMaybeError error = platform.MakePrivateFolder(*folder)) return *error;
  }
  if (TMaybeError unsafe = platform.CheckPrivateFolder(*folder)) return *unsafe;
  return folder;
}

std::uint64_t TJournalWriter::Intend(const TJournalRecord& record) {
  TJournalEntry entry;
  entry.Kind = TEntryKind::kIntent;
  entry.Number = next_number_++;
  entry.Record = record;
  pending_ += EncodeJournalEntry(entry);
  return entry.Number;
}

void TJournalWriter::Done(std::uint64_t number, std::int64_t change, std::uint64_t size) {
  TJournalEntry entry;
  entry.Kind = TEntryKind::kDone;
  entry.Number = number;
  entry.Change = change;
  entry.Size = size;
  pending_ += EncodeJournalEntry(entry);
}

void TJournalWriter::Failed(std::uint64_t number) {
  TJournalEntry entry;
  entry.Kind = TEntryKind::kPutBack;
  entry.Number = number;
  pending_ += EncodeJournalEntry(entry);
}

TMaybeError TJournalWriter::Flush() {
  if (pending_.empty()) return std::nullopt;
  if (!file_) {
    TResult<std::string> folder = SafeStateFolder(platform_, true);
    if (!folder) return folder.Error();
    TResult<std::unique_ptr<TJournalFile>> file = platform_.CreateNewFile(
        *folder + JournalName(std::chrono::system_clock::now(), platform_.ProcessId()));
    if (!file) return file.Error();
    TJournalEntry where;
    where.Kind = TEntryKind::kBatch;
    where.Where = where_;
    pending_.insert(0, JournalHeaderV2() + EncodeJournalEntry(where));
    file_ = std::move(*file);
  }
  if (TMaybeError error = file_->Append(pending_)) return error;
  pending_.clear();
  return file_->Flush();
}

std::size_t TBatch::Remaining() const {
  return static_cast<std::size_t>(std::count_if(
      Renames.begin(), Renames.end(), [](const TBatchRename& rename) { return !rename.PutBack; }));
}

TResult<std::vector<std::string>> JournalsNewestFirst(TCommandPlatform& platform) {
  std::vector<std::string> paths;
  TResult<std::string> folder = platform.StateFolder();
  if (!folder || !platform.Exists(*folder)) return paths;  // no journal written yet
  if (TMaybeError unsafe = platform.CheckPrivateFolder(*folder)) return *unsafe;
  TResult<std::vector<TFolderEntry>> entries = platform.ReadFolder(*folder);
  if (!entries) return entries.Error();
  for (const TFolderEntry& entry : *entries) {
    if (!entry.IsFolder && IsJournalName(entry.Name)) paths.push_back(*folder + entry.Name);
  }
  std::sort(paths.rbegin(), paths.rend());
  return paths;
}

TResult<TBatch> ReadBatch(TCommandPlatform& platform, const std::string& path) {
  TResult<std::string> bytes = platform.ReadWholeFile(path);
  TJournalContents contents;
  if (!bytes || !ParseJournal(*bytes, &contents)) {
    return TError{path, _("cannot be read as a journal")};
  }
  TBatch batch;
  batch.Path = path;
  batch.Id = platform.NameOf(path);
  batch.Id.resize(batch.Id.size() - std::min(batch.Id.size(), kSuffixLength));
  batch.Damaged = std::move(contents.Damaged);
  std::map<std::uint64_t, std::size_t> by_number;
  for (TJournalEntry& entry : contents.Entries) {
    if (entry.Kind == TEntryKind::kBatch) {
      batch.Where = entry.Where;
      continue;
    }
    if (entry.Kind == TEntryKind::kIntent) {
      by_number[entry.Number] = batch.Renames.size();
      batch.Renames.push_back({entry.Number, std::move(entry.Record)});
      continue;
    }
    const auto found = by_number.find(entry.Number);
    if (found == by_number.end()) continue;  // its intent is in a damaged stretch
    TBatchRename& rename = batch.Renames[found->second];
    if (entry.Kind == TEntryKind::kDone) {
      rename.Done = true;
      rename.Change = entry.Change;
      rename.Size = entry.Size;
    } else {
      rename.PutBack = true;
    }
  }
  return batch;
}

TMaybeError NotePutBack(TCommandPlatform& platform, const TBatch& batch,
                        const std::vector<std::uint64_t>& numbers) {
  std::string bytes;
  for (const std::uint64_t number : numbers) {
    TJournalEntry entry;
    entry.Kind = TEntryKind::kPutBack;
    entry.Number = number;
    bytes += EncodeJournalEntry(entry);
  }
  return platform.AppendToFile(batch.Path, bytes);
}

TMaybeError CompactBatch(TCommandPlatform& platform, const TBatch& batch) {
  if (batch.Remaining() == 0 && batch.Damaged.empty()) return platform.RemoveFile(batch.Path);
  TJournalEntry where;
  where.Kind = TEntryKind::kBatch;
  where.Where = batch.Where;
  std::string bytes = JournalHeaderV2() + EncodeJournalEntry(where);
  for (const TBatchRename& rename : batch.Renames) {
    if (rename.PutBack) continue;
    TJournalEntry entry;
    entry.Kind = TEntryKind::kIntent;
    entry.Number = rename.Number;
    entry.Record = rename.Record;
    bytes += EncodeJournalEntry(entry);
    if (rename.Done) {
      entry.Kind = TEntryKind::kDone;
      entry.Change = rename.Change;
      entry.Size = rename.Size;
      bytes += EncodeJournalEntry(entry);
    }
  }
  for (const TDamagedStretch& damaged : batch.Damaged) bytes += damaged.Bytes;
  return platform.ReplaceFile(batch.Path, bytes);
}
