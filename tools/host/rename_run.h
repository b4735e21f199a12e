// Renaming one file after another through the plug-in's process.
//
// Every file is first given to process as a preview: the new name it would
// take. The host then refuses, in a preview and in a rename alike, what the
// rename would refuse: a name outside Windows-1251, a file that is not
// there, a new name that is taken (anything at all has it, letter case
// ignored), that another file of the run takes, or a new path over 259
// characters. When process declines a name, the engine's own
// TransliteratePath tells which name was meant and so why (empty, a
// reserved character, a device name, a trailing dot or space).
//
// What each folder holds is read once and then kept up to date as the run
// renames (or would rename): wine rereads a whole folder for every lookup
// of a missing name, and a preview must see the names the run has freed and
// taken as the rename will.
#pragma once

#include <string>
#include <unordered_map>

#include "engine/file_name.h"
#include "tools/common/run_report.h"
#include "tools/host/file_list.h"
#include "tools/host/journal.h"
#include "tools/host/plugin.h"

class TRenameRun {
 public:
  // profilePath: the profile as the plug-in reads it (Windows-1251), for
  // the reasons; journal is null in a dry run.
  TRenameRun(TPlugin& plugin, std::string profilePath, const TFileNameOptions& options,
             TJournalWriter* journal);

  TFileOutcome Rename(const TFileEntry& file);

  // Set when writing the journal failed: renaming goes on, but the reason is
  // printed once.
  const std::string& JournalError() const { return journal_error_; }

 private:
  // Why process left the file's name alone.
  TSkip WhyDeclined(const std::string& oldPath1251) const;
  // Why a rename that passed every check failed.
  TSkip WhyFailed(DWORD error, const std::wstring& newName) const;

  // Whether anything has the name at path; the folder is read once.
  bool Exists(const std::wstring& path);
  // Records that the file at from now has the name of to.
  void Moved(const std::wstring& from, const std::wstring& to);

  TPlugin& plugin_;
  std::string profile_path_;
  TFileNameOptions options_;
  TJournalWriter* journal_;
  std::string journal_error_;
  // Upper-cased folder path (with its final backslash) -> its upper-cased
  // names, each with the number of entries that have it (a Linux folder
  // under wine may hold "a" and "A").
  std::unordered_map<std::wstring, std::unordered_map<std::wstring, int>> folders_;
  // Upper-cased new paths of this run -> the user's path of the file taking it.
  std::unordered_map<std::wstring, std::string> claimed_;
};
