// The Linux command's system calls that more than one part needs: whole
// reads and writes that go on after an interrupted call, the rename that
// never replaces anything, and the one reading of errno as a reason.
#pragma once

#include <string>
#include <string_view>

#include "cli/core/outcome.h"
#include "cli/core/platform.h"
#include "cli/core/run_report.h"

// Reads everything from fd into *bytes. False, with errno set, on an error.
bool ReadAll(int fd, std::string* bytes);

// Writes all of bytes. False, with errno set, on a failed write.
bool WriteAll(int fd, std::string_view bytes);

// Renames from (in folder fromDir) to to (in toDir) atomically, refused when
// anything at all has the new name: renameat2(RENAME_NOREPLACE), or where a
// file system lacks it, a hard link under the new name and the removal of
// the old one (never for a folder: kFolderNeedsNoReplace). A symbolic link
// is renamed as the link it is. Nothing on success, else the reason.
std::optional<TSkip> MoveNoReplaceAt(int fromDir, const std::string& from, int toDir,
                                     const std::string& to);

// The identity of the entry name in folder dir (a link itself); nothing
// when there is none. Birth time where the file system keeps it (statx).
std::optional<TFileIdentity> IdentityAt(int dir, const std::string& name);

// What renaming the entry name in folder dir would be refused for, asked
// before trying as the kernel will ask: a read-only file system, the file
// or the folder immutable or append-only, a mount point, the sticky rule of
// a shared folder, no permission to change the folder. Nothing when none.
std::optional<TSkip> RenameRefusalAt(int dir, const std::string& name);

// Why a file keeps its name, from the errno of the call that failed;
// newName is the name it was to take.
TSkip SkipOfErrno(int error, const std::string& newName);

// An error about subject, in the system's own words for errno.
TError ErrorOfErrno(const std::string& subject, int error);
