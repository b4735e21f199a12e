// The profiles as the commands find them, --list and --check.
#pragma once

#include <string>

#include "cli/core/console.h"
#include "cli/core/platform.h"
#include "cli/core/profile_encoding.h"
#include "engine/profile.h"

// Whether name ends in ".pch" after at least one character.
bool HasProfileSuffix(const std::string& name);

// The file that --profile VALUE names: a value that is a path is taken as it
// is; a bare name is looked for in the profile folders in order, then in the
// current folder. The error says where it was looked for, and names the
// nearest profile there is ("did you mean gost-7.79-b.pch?") and --list.
TResult<std::string> FindProfile(TCommandPlatform& platform, const std::string& value);

// The bytes of the profile at path in Windows-1251, as the plug-in reads
// them: a UTF-8 profile (cli/core/profile_encoding.h) is converted, and
// *encoding, when given, says which it was. The error says why not:
// unreadable, or a character Windows-1251 lacks.
TResult<std::string> ReadProfileBytes(TCommandPlatform& platform, const std::string& path,
                                      TProfileEncoding* encoding = nullptr);

// Reads the whole profile at path as the plug-in reads it, a UTF-8 one
// converted (ReadProfileBytes). The error says why not: unreadable, a
// character Windows-1251 lacks, or too large for memory.
TResult<TProfile> ReadProfileFile(TCommandPlatform& platform, const std::string& path,
                                  TProfileEncoding* encoding = nullptr);

// Whether the profile at path is UTF-8; false also when it cannot be read
// or does not fit in memory (reading it for the run says why).
bool IsUtf8Profile(TCommandPlatform& platform, const std::string& path);

// "PROFILE is UTF-8: read as such; the plug-in reads Windows-1251 only" for
// the note the commands print.
std::string Utf8ProfileNote(const std::string& value);

// --list: every profile of the profile folders, sorted (of two of one name,
// the one found first), with its whole information line (control bytes
// shown as ^X).
TResult<TExitStatus> RunProfileList(const std::string& program, TCommandPlatform& platform,
                                    TConsole& console);

// --check VALUE: the findings of the profile check for the profile that VALUE
// names, one line each on standard output, "VALUE: line 12, forward: ...";
// kSomeFilesKept with findings. The check is forward by default; with
// reverse (--check --reverse) it also reads every two- and three-letter
// sequence of the profile's letters forward and back, naming the first that
// does not come back. A UTF-8 profile is a finding ("VALUE: UTF-8: ..."), and
// is checked as converted. The profile is read whole, as bytes, so that any
// path the platform can open can be checked.
TResult<TExitStatus> RunProfileCheck(const std::string& value, bool quiet, bool reverse,
                                     TCommandPlatform& platform, TConsole& console);
