#include "tools/host/journal.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/common/run_report.h"
#include "tools/common/undo_batch.h"
#include "tools/host/console.h"
#include "tools/host/file_io.h"
#include "tools/host/text.h"

namespace {

constexpr wchar_t kSuffix[] = L".journal";

std::wstring NewJournalName() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  wchar_t name[64];
  swprintf(name, 64, L"%04u%02u%02u-%02u%02u%02u-%03u-%010lu%ls", now.wYear, now.wMonth, now.wDay,
           now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentProcessId(), kSuffix);
  return name;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// The newest journal's full path; empty when there is none.
std::wstring NewestJournal(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  TUniqueFind search(FindFirst(folder + L"*" + kSuffix, &entry));
  if (!search) return {};
  std::wstring newest;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      newest = std::max(newest, std::wstring(entry.cFileName));
    }
  } while (FindNextFileW(search.get(), &entry));
  return newest.empty() ? newest : folder + newest;
}

bool ReadJournal(const std::wstring& path, std::vector<TJournalRecord>* records) {
  std::string bytes;
  DWORD error = ERROR_SUCCESS;
  return ReadWholeFile(path, &bytes, &error) && DecodeJournal(bytes, records);
}

// Replaces the journal by one holding only records, written beside it and
// moved over it so that it is whole at every moment; deleted when empty.
bool RewriteJournal(const std::wstring& path, const std::vector<TJournalRecord>& records) {
  if (records.empty()) return DeleteFileW(path.c_str()) != 0;
  const std::wstring temporary = path + L".new";
  {
    TUniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes = JournalHeader();
    for (const TJournalRecord& record : records) bytes += EncodeJournalRecord(record);
    if (!file || !WriteAll(file.get(), bytes)) return false;
  }
  return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Puts one file back, or says why not.
bool PutBack(const TJournalRecord& record, bool dryRun, TSkip* skip) {
  const std::wstring old_path = WideFromUtf8(record.OldPath);
  const std::wstring new_path = WideFromUtf8(record.NewPath);
  TFileIdentity identity;
  if (!IdentityOf(new_path, &identity)) {
    *skip = {TSkipReason::kChanged, "nothing is at " + record.NewPath + " now"};
    return false;
  }
  if (!(identity == TFileIdentity{record.Device, record.FileId})) {
    *skip = {TSkipReason::kChanged, "another file is at " + record.NewPath + " now"};
    return false;
  }
  const std::string old_name = Utf8FromWide(LastComponent(old_path));
  if (dryRun) {
    // A rename of letter case only finds the file itself under its old name.
    if (UpperCase(old_path) != UpperCase(new_path) &&
        GetFileAttributesW(old_path.c_str()) != INVALID_FILE_ATTRIBUTES) {
      *skip = {TSkipReason::kTaken, old_name};
      return false;
    }
    return true;
  }
  // MoveFileW never replaces an existing file: a taken old name fails it.
  if (MoveFileW(new_path.c_str(), old_path.c_str())) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    *skip = {TSkipReason::kTaken, old_name};
  } else if (error == ERROR_ACCESS_DENIED) {
    *skip = {TSkipReason::kPermission, ""};
  } else {
    *skip = {TSkipReason::kSystem, SystemMessage(error)};
  }
  return false;
}

}  // namespace

std::wstring JournalFolder() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(buffer, length) + L"\\Translit\\";
}

bool IdentityOf(const std::wstring& path, TFileIdentity* identity) {
  // Attributes only, sharing everything: the rename that follows must not
  // be hindered. Folders need backup semantics; a link is opened itself.
  TUniqueFile file(CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return false;
  identity->Volume = information.dwVolumeSerialNumber;
  identity->Index = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
  return true;
}

bool TJournalWriter::Append(const TJournalRecord& record, std::string* error) {
  if (!file_) {
    const std::wstring folder = JournalFolder();
    if (folder.empty()) {
      *error = "LOCALAPPDATA is not set";
      return false;
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      *error = Utf8FromWide(folder) + ": " + SystemMessage(GetLastError());
      return false;
    }
    const std::wstring path = folder + NewJournalName();
    file_ = TUniqueFile(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_ || !WriteAll(file_.get(), JournalHeader())) {
      *error = Utf8FromWide(path) + ": " + SystemMessage(GetLastError());
      file_.reset();
      return false;
    }
  }
  // One write per record: a crash loses at most the rename under way.
  if (WriteAll(file_.get(), EncodeJournalRecord(record))) return true;
  *error = SystemMessage(GetLastError());
  return false;
}

int UndoNewestBatch(const std::string& program, TVerbosity verbosity, bool dryRun) {
  const bool quiet = verbosity == TVerbosity::kQuiet;
  const std::wstring folder = JournalFolder();
  std::wstring journal;
  std::vector<TJournalRecord> records;
  // An emptied journal that could not be deleted still says nothing to undo.
  for (;;) {
    journal = folder.empty() ? std::wstring() : NewestJournal(folder);
    if (journal.empty()) {
      if (!quiet) Err(program + ": nothing to undo\n");
      return 0;
    }
    if (!ReadJournal(journal, &records)) {
      Err(program + ": " + Utf8FromWide(journal) + ": cannot be read as a journal\n");
      return 2;
    }
    if (!records.empty() || dryRun || !DeleteFileW(journal.c_str())) break;
  }
  const TUndoTally tally = UndoRecords(
      program, records, quiet,
      [dryRun](const TJournalRecord& record, TSkip* skip) { return PutBack(record, dryRun, skip); },
      Out, Err);
  if (!dryRun && !RewriteJournal(journal, tally.Refused)) {
    Err(program + ": " + Utf8FromWide(journal) +
        ": cannot be updated: " + SystemMessage(GetLastError()) + "\n");
  }
  if (!quiet) Err(UndoSummaryLine(tally, dryRun));
  return tally.Refused.empty() ? 0 : 1;
}
