#include "tools/linux/journal_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "tools/linux/file_io.h"

namespace {

constexpr char kSuffix[] = ".journal";

// mkdir -p with private permissions.
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::string JournalFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/translit";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/translit";
  return {};
}

bool TJournalWriter::Append(const TJournalRecord& record, std::string* error) {
  if (!fd_.Valid()) {
    const std::string folder = JournalFolder();
    if (folder.empty()) {
      *error = "neither XDG_STATE_HOME nor HOME is set";
      return false;
    }
    if (!MakeFolders(folder)) {
      *error = folder + ": " + std::strerror(errno);
      return false;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    gmtime_r(&now.tv_sec, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02dT%02d%02d%02d.%09ldZ-%ld", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<long>(now.tv_nsec), static_cast<long>(getpid()));
    path_ = folder + "/" + stamp + kSuffix;
    fd_.Reset(open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
    if (!fd_.Valid() || !WriteAll(fd_.Get(), JournalHeader())) {
      *error = path_ + ": " + std::strerror(errno);
      fd_.Reset();
      return false;
    }
  }
  // One write per record: a crash loses at most the rename under way.
  if (!WriteAll(fd_.Get(), EncodeJournalRecord(record))) {
    *error = path_ + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void TJournalWriter::Finish() {
  if (fd_.Valid()) fsync(fd_.Get());
  fd_.Reset();
}

std::string NewestJournal() {
  const std::string folder = JournalFolder();
  DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
  if (!dir) return {};
  std::string newest;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (EndsWith(name, kSuffix) && name > newest) newest = name;
  }
  closedir(dir);
  return newest.empty() ? std::string() : folder + "/" + newest;
}

bool ReadJournal(const std::string& path, std::vector<TJournalRecord>* records) {
  std::string bytes;
  return ReadWholeFile(path, &bytes) && DecodeJournal(bytes, records);
}

bool RewriteJournal(const std::string& path, const std::vector<TJournalRecord>& records) {
  if (records.empty()) return unlink(path.c_str()) == 0;
  std::string bytes = JournalHeader();
  for (const TJournalRecord& record : records) bytes += EncodeJournalRecord(record);
  // Written beside it and renamed over it: the journal is whole at every moment.
  const std::string temporary = path + ".new";
  TUniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!fd.Valid() || !WriteAll(fd.Get(), bytes) || fsync(fd.Get()) != 0) return false;
  fd.Reset();
  return rename(temporary.c_str(), path.c_str()) == 0;
}
