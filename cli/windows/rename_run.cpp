#include "cli/windows/rename_run.h"

#include <windows.h>

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "cli/core/code_page.h"
#include "cli/core/lookalikes.h"
#include "cli/core/messages.h"
#include "cli/core/profile_commands.h"
#include "cli/windows/host_folder.h"
#include "cli/windows/plugin.h"
#include "cli/windows/system_error.h"
#include "cli/windows/text.h"
#include "cli/windows/windows_platform.h"

namespace {

// The longest path the plug-in's ANSI file calls accept on Windows (wine
// takes longer ones, so the limit is checked here).
constexpr std::size_t kMaxPath = MAX_PATH - 1;

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

class TWindowsRenamer : public TRenamer {
 public:
  TWindowsRenamer(TCommandPlatform& platform, const TFileNameOptions& options)
      : platform_(platform), options_(options) {}

  TMaybeError Start(const std::wstring& path, const std::string& value, bool inProfileFolder);

  std::variant<TRenamePlan, TFileOutcome> Plan(const std::string& path) override;
  bool NameTaken(const TRenamePlan& plan) override;
  std::optional<TSkip> Refusal(const TRenamePlan& plan) override {
    return platform_.RenameRefusal(plan.Path);
  }
  TResult<TJournalRecord> Record(const TRenamePlan& plan) override;
  std::optional<TSkip> Apply(const TRenamePlan& plan) override;

 private:
  // Why process left the file's name alone.
  TSkip WhyDeclined(const std::string& oldPath1251) const;
  // The path the plug-in is given for the file at oldPath (full): its folder
  // as it is, its name as a run reads it (NFC, lookalikes;
  // cli/core/lookalikes.h). False when Windows-1251 cannot hold it.
  // *byHost: the plug-in is given another name than the file's own, so it
  // only names the new name, and the rename is this program's own.
  bool PathForPlugin(const std::wstring& oldPath, std::string* path1251, bool* byHost);

  TCommandPlatform& platform_;
  TTemporaryHostFolder temporary_;
  std::unique_ptr<TPlugin> plugin_;
  std::string profile_path_;  // as the plug-in reads it (Windows-1251), for the reasons
  TFileNameOptions options_;
  // Upper-cased folder path (with its final backslash) -> its upper-cased
  // names as the folder held them when first asked about.
  std::unordered_map<std::wstring, std::unordered_set<std::wstring>> folders_;
  std::optional<std::vector<TLookalike>> lookalikes_;  // read from the profile when first needed
};

}  // namespace

TMaybeError TWindowsRenamer::Start(const std::wstring& path, const std::string& value,
                                   bool inProfileFolder) {
  // A UTF-8 profile goes to the plug-in as a Windows-1251 copy. One too
  // large to read here is left to the plug-in, which says so.
  std::optional<std::string> converted;
  try {
    TProfileEncoding encoding = TProfileEncoding::kWindows1251;
    TResult<std::string> bytes = ReadProfileBytes(platform_, Utf8FromWide(path), &encoding);
    if (!bytes && encoding == TProfileEncoding::kUtf8) return bytes.Error();
    if (bytes && encoding == TProfileEncoding::kUtf8) converted = std::move(*bytes);
  } catch (const std::bad_alloc&) {
  }
  TResult<TProfileSetup> setup =
      SetUpProfile(path, value, inProfileFolder, converted ? &*converted : nullptr, &temporary_);
  if (!setup) return setup.Error();
  profile_path_ = setup->Path;
  const std::wstring dll = OwnFolder() + L"Plugins\\translit.dll";
  plugin_ = std::make_unique<TPlugin>(dll);
  if (!plugin_->Loaded()) return TError{"", Format(_("cannot load %s"), Utf8FromWide(dll))};
  TProcessOptions process_options;
  process_options.ProfileName = setup->Name;
  process_options.CaseSensitive = options_.CaseSensitive;
  process_options.Extension = options_.ReplaceInExtension;
  process_options.Reverse = options_.Direction == TDirection::kReverse;
  plugin_->Start(setup->HostDir, process_options);
  return std::nullopt;
}

std::variant<TRenamePlan, TFileOutcome> TWindowsRenamer::Plan(const std::string& path) {
  TFileOutcome outcome;
  auto skip = [&outcome](TSkipReason reason) {
    outcome.Skip = {reason, {}};
    return outcome;
  };
  const std::wstring given = WideFromUtf8(path);
  // Windows drops a final dot or space of a name it opens: "Shchuka." would
  // name the file "Shchuka", another one.
  if (EndsInDotOrSpace(LastComponent(given))) return skip(TSkipReason::kOldNameEndsInDotOrSpace);
  const std::wstring old_path = FullPath(given);
  std::string old1251;
  bool by_host = false;
  if (!PathForPlugin(old_path, &old1251, &by_host)) return skip(TSkipReason::kOutside1251);
  if (GetFileAttributesW(old_path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return skip(TSkipReason::kMissing);
  }

  const std::optional<std::string> new1251 = plugin_->Process(old1251, true);
  if (!new1251) {
    outcome.Skip = WhyDeclined(old1251);
    return outcome;
  }
  if (*new1251 == old1251) {
    outcome.Kind = TFileOutcome::TKind::kUnchanged;
    return outcome;
  }
  const std::wstring new_path = WideFrom1251(*new1251);
  TRenamePlan plan;
  plan.Path = path;
  plan.NewName = Utf8FromWide(LastComponent(new_path));
  plan.NewPath = FolderPart(path) + plan.NewName;
  outcome.NewPath = plan.NewPath;
  if (new1251->size() > kMaxPath) return skip(TSkipReason::kPathTooLong);
  plan.OldKey = Utf8FromWide(UpperCase(old_path));
  plan.NewKey = Utf8FromWide(UpperCase(new_path));
  plan.OldFullPath = Utf8FromWide(old_path);
  plan.NewFullPath = Utf8FromWide(new_path);
  return plan;
}

bool TWindowsRenamer::NameTaken(const TRenamePlan& plan) {
  auto [folder, name] = FolderAndName(WideFromUtf8(plan.NewKey));
  auto found = folders_.find(folder);
  if (found == folders_.end()) {
    std::unordered_set<std::wstring> names;
    WIN32_FIND_DATAW entry;
    TUniqueFind search(FindFirst(folder + L"*", &entry));
    if (search) {
      do {
        names.insert(UpperCase(entry.cFileName));
      } while (FindNextFileW(search.get(), &entry));
    }
    found = folders_.emplace(folder, std::move(names)).first;
  }
  return found->second.count(name) != 0;
}

TResult<TJournalRecord> TWindowsRenamer::Record(const TRenamePlan& plan) {
  const std::optional<TFileIdentity> identity = platform_.IdentityAt(plan.OldFullPath);
  if (!identity) return ErrorOfSystemError(plan.Path, GetLastError());
  TJournalRecord record{identity->Device, identity->FileId, plan.OldFullPath, plan.NewFullPath};
  record.Birth = identity->Birth;
  return record;
}

std::optional<TSkip> TWindowsRenamer::Apply(const TRenamePlan& plan) {
  std::string old1251;
  bool by_host = false;
  PathForPlugin(WideFromUtf8(plan.OldFullPath), &old1251, &by_host);
  SetLastError(ERROR_SUCCESS);
  if (by_host) {
    if (std::optional<TSkip> failure =
            platform_.MoveNoReplace(plan.OldFullPath, plan.NewFullPath)) {
      return failure;
    }
  } else if (!plugin_->Process(old1251, false)) {
    return SkipOfSystemError(GetLastError(), plan.NewName);
  }
  // A file system may take a change of letter case only for no change at
  // all (wine on a Linux disk does): the line printed must be true.
  if (plan.NewKey == plan.OldKey &&
      !HasName(WideFromUtf8(plan.NewFullPath), WideFromUtf8(plan.NewName))) {
    return TSkip{TSkipReason::kCaseKept, {}};
  }
  return std::nullopt;
}

TSkip TWindowsRenamer::WhyDeclined(const std::string& oldPath1251) const {
  const std::optional<TTransliteratedPath> intended =
      TransliteratePathChecked(oldPath1251, profile_path_, options_);
  if (!intended) return {TSkipReason::kProfileUnreadable, {}};
  return SkipOfFileNameCheck(intended->NameCheck, intended->Name());
}

bool TWindowsRenamer::PathForPlugin(const std::wstring& oldPath, std::string* path1251,
                                    bool* byHost) {
  const auto [folder, name] = FolderAndName(oldPath);
  const std::string utf8 = Utf8FromWide(name);
  if (!lookalikes_ && HoldsLookalike(utf8)) {
    TProfile profile;
    lookalikes_.emplace();
    if (ReadProfile(profile_path_, &profile)) {
      *lookalikes_ = ActiveLookalikes(profile.Rules, options_.Direction);
    }
  }
  const std::string prepared =
      PrepareForRun(utf8, lookalikes_ ? *lookalikes_ : std::vector<TLookalike>());
  std::string folder1251, name1251;
  if (!To1251(folder, &folder1251) || !Utf8To1251(prepared, &name1251)) return false;
  *path1251 = folder1251 + name1251;
  *byHost = WideFromUtf8(prepared) != name;
  return true;
}

TResult<std::unique_ptr<TRenamer>> StartWindowsRenamer(TCommandPlatform& platform,
                                                       const std::wstring& path,
                                                       const std::string& value,
                                                       bool inProfileFolder,
                                                       const TFileNameOptions& options) {
  auto renamer = std::make_unique<TWindowsRenamer>(platform, options);
  if (TMaybeError error = renamer->Start(path, value, inProfileFolder)) return *error;
  return std::unique_ptr<TRenamer>(std::move(renamer));
}
