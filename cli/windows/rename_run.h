// Renaming one file after another through the plug-in's process.
//
// Every file is first given to process as a preview: the new name it would
// take. The run then refuses, in a preview and in a rename alike, what the
// rename would refuse: a name outside Windows-1251, a file that is not
// there, a new name that is taken (anything at all has it, letter case
// ignored), or a new path over 259 characters. When process declines a
// name, the engine tells which name was meant and so why (empty, a reserved
// character, a device name, a trailing dot or space).
//
// What each folder holds is read once and then kept up to date as the run
// renames (or would rename): wine rereads a whole folder for every lookup
// of a missing name, and a preview must see the names the run has freed and
// taken as the rename will.
#pragma once

#include <memory>
#include <string>

#include "cli/core/platform.h"
#include "engine/file_name.h"

// Points the plug-in at the profile at path, which --profile value named
// (SetUpProfile), loads it from beside translit-host.exe and starts it as the
// host does. The platform tells the files' identities for the journal.
TResult<std::unique_ptr<TRenamer>> StartWindowsRenamer(TCommandPlatform& platform,
                                                       const std::wstring& path,
                                                       const std::string& value,
                                                       bool inProfileFolder,
                                                       const TFileNameOptions& options);
