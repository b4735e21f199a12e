#include "tools/host/rename_run.h"

#include <windows.h>

#include <utility>

#include "tools/host/handles.h"
#include "tools/host/text.h"

namespace {

// The longest path the plug-in's ANSI file calls accept on Windows (wine
// takes longer ones, so the limit is checked here).
constexpr std::size_t kMaxPath = MAX_PATH - 1;

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

// Splits an upper-cased full path into its folder (with the backslash) and
// its name.
std::pair<std::wstring, std::wstring> FolderAndName(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L'\\');
  return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

// Whether the entry at path has exactly the name given, letter case included.
bool HasName(const std::wstring& path, const std::wstring& name) {
  WIN32_FIND_DATAW entry;
  TUniqueFind search(FindFirst(path, &entry));
  return search && name == entry.cFileName;
}

bool EndsInDotOrSpace(std::wstring_view name) {
  return !name.empty() && (name.back() == L'.' || name.back() == L' ') &&
         name.find_first_not_of(L'.') != std::wstring_view::npos;
}

}  // namespace

TRenameRun::TRenameRun(TPlugin& plugin, std::string profilePath, const TFileNameOptions& options,
                       TJournalWriter* journal)
    : plugin_(plugin),
      profile_path_(std::move(profilePath)),
      options_(options),
      journal_(journal) {}

bool TRenameRun::Exists(const std::wstring& path) {
  auto [folder, name] = FolderAndName(UpperCase(path));
  auto found = folders_.find(folder);
  if (found == folders_.end()) {
    std::unordered_map<std::wstring, int> names;
    WIN32_FIND_DATAW entry;
    TUniqueFind search(FindFirst(folder + L"*", &entry));
    if (search) {
      do {
        ++names[UpperCase(entry.cFileName)];
      } while (FindNextFileW(search.get(), &entry));
    }
    found = folders_.emplace(folder, std::move(names)).first;
  }
  return found->second.count(name) != 0;
}

void TRenameRun::Moved(const std::wstring& from, const std::wstring& to) {
  auto [from_folder, from_name] = FolderAndName(UpperCase(from));
  auto [to_folder, to_name] = FolderAndName(UpperCase(to));
  auto& from_names = folders_[from_folder];
  if (auto old = from_names.find(from_name); old != from_names.end() && --old->second == 0) {
    from_names.erase(old);
  }
  ++folders_[to_folder][to_name];
}

TFileOutcome TRenameRun::Rename(const TFileEntry& file) {
  TFileOutcome outcome;
  auto skip = [&outcome](TSkipReason reason, std::string detail = {}) {
    outcome.Skip = {reason, std::move(detail)};
    return outcome;
  };
  // Windows drops a final dot or space of a name it opens: "Shchuka." would
  // name the file "Shchuka", another one.
  if (EndsInDotOrSpace(LastComponent(file.Path))) {
    return skip(TSkipReason::kSystem, "Windows cannot open a name ending in a dot or a space");
  }
  const std::wstring old_path = FullPath(file.Path);
  std::string old1251;
  if (!To1251(old_path, &old1251)) return skip(TSkipReason::kOutside1251);
  if (old_path.empty() || !Exists(old_path)) return skip(TSkipReason::kMissing);

  const std::optional<std::string> new1251 = plugin_.Process(old1251, true);
  if (!new1251) {
    outcome.Skip = WhyDeclined(old1251);
    return outcome;
  }
  if (*new1251 == old1251) {
    outcome.Kind = TFileOutcome::TKind::kUnchanged;
    return outcome;
  }
  const std::wstring new_path = WideFrom1251(*new1251);
  const std::wstring new_name(LastComponent(new_path));
  outcome.NewPath = FolderPart(file.Shown) + Utf8FromWide(new_name);
  if (new1251->size() > kMaxPath) return skip(TSkipReason::kPathTooLong);
  const std::wstring key = UpperCase(new_path);
  if (const auto other = claimed_.find(key); other != claimed_.end()) {
    return skip(TSkipReason::kClaimed, other->second);
  }
  // A change of letter case only finds the file itself under the new name.
  if (key != UpperCase(old_path) && Exists(new_path)) {
    return skip(TSkipReason::kTaken, Utf8FromWide(new_name));
  }

  if (journal_) {
    TFileIdentity identity;
    if (!IdentityOf(old_path, &identity)) return skip(TSkipReason::kMissing);
    SetLastError(ERROR_SUCCESS);
    if (!plugin_.Process(old1251, false)) {
      outcome.Skip = WhyFailed(GetLastError(), new_name);
      return outcome;
    }
    // A file system may take a change of letter case only for no change at
    // all (wine on a Linux disk does): the line printed must be true.
    if (key == UpperCase(old_path) && !HasName(new_path, new_name)) {
      return skip(TSkipReason::kSystem, "the file system kept the old letter case");
    }
    std::string error;
    if (journal_error_.empty() &&
        !journal_->Append(
            {identity.Volume, identity.Index, Utf8FromWide(old_path), Utf8FromWide(new_path)},
            &error)) {
      journal_error_ = error;
    }
  }
  Moved(old_path, new_path);
  claimed_.emplace(key, file.Shown);
  outcome.Kind = TFileOutcome::TKind::kRenamed;
  return outcome;
}

TSkip TRenameRun::WhyDeclined(const std::string& oldPath1251) const {
  const std::optional<std::string> intended =
      TransliteratePath(oldPath1251, profile_path_, options_);
  if (!intended) return {TSkipReason::kSystem, "the profile cannot be read"};
  const std::string name = intended->substr(SplitPath(oldPath1251, true).Directory.size());
  const TFileNameCheck check = CheckFileName(name);
  switch (check.Problem) {
    case TFileNameProblem::kEmpty:
      return {TSkipReason::kEmpty, ""};
    case TFileNameProblem::kNulByte:
      return {TSkipReason::kNulByte, ""};
    case TFileNameProblem::kSlash:
      return {TSkipReason::kSeparator, ""};
    case TFileNameProblem::kControlCharacter:
      return {TSkipReason::kReservedCharacter, ""};
    case TFileNameProblem::kReservedCharacter:
      return {TSkipReason::kReservedCharacter, std::string(1, check.Character)};
    case TFileNameProblem::kDeviceName:
      return {TSkipReason::kDeviceName, Utf8From1251(name)};
    case TFileNameProblem::kTrailingDotOrSpace:
      return {TSkipReason::kTrailingDotOrSpace, ""};
    case TFileNameProblem::kNone:
      break;
  }
  return {TSkipReason::kSystem, "the plug-in left the name as it was"};
}

TSkip TRenameRun::WhyFailed(DWORD error, const std::wstring& newName) const {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return {TSkipReason::kTaken, Utf8FromWide(newName)};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return {TSkipReason::kMissing, ""};
    case ERROR_ACCESS_DENIED:
      return {TSkipReason::kPermission, ""};
    case ERROR_SUCCESS:
      return {TSkipReason::kSystem, "the plug-in did not rename it"};
    default:
      return {TSkipReason::kSystem, SystemMessage(error)};
  }
}
