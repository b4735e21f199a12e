// Transliteration of one file name inside a full path.
//
// Only the last component of the path changes. The path is split into
//   directory  up to and including the last '\' or ':' (empty without them;
//              '/' is an ordinary character of the name),
//   name       the rest,
//   extension  from the last '.' of the name to its end, dot included, unless
//              the extension is transliterated too (then it stays in the name).
// For example "C:\docs\a.b.c" gives "C:\docs\", "a.b", ".c"; "C:abc." gives
// "C:", "abc", "."; "C:\docs\.x" gives "C:\docs\", "", ".x".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/replace.h"

struct TPathParts {
  std::string_view Directory;
  std::string_view Name;
  std::string_view Extension;
};

// Splits path as above. With replaceInExtension the extension is empty and the
// whole last component is the name.
TPathParts SplitPath(std::string_view path, bool replaceInExtension);

// Whether name is one of the devices that every folder holds on Windows:
// CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, in any letter case and
// with any extension ("con.txt", "Lpt1.tar.gz").
bool IsDeviceName(std::string_view name);

// Why name cannot be the last component of a Windows path, the first reason
// found in this order: empty; a NUL byte, a "/", another control character
// or one of < > : " \ | ? * (the first such character decides); a device
// name; a last dot or space. kNone when it can be:
//   CheckFileName("a:b") == {TFileNameProblem::kReservedCharacter, ':'}
// A profile may produce any of these; such a name would be cut short at a NUL,
// move the file into another folder or onto a device, be refused by the file
// system, or lose its last dots and spaces (Windows drops them, so "x." would
// name the file "x").
enum class TFileNameProblem {
  kNone,
  kEmpty,
  kNulByte,
  kSlash,
  kControlCharacter,
  kReservedCharacter,  // Character is the one found
  kDeviceName,
  kTrailingDotOrSpace,
};
struct TFileNameCheck {
  TFileNameProblem Problem = TFileNameProblem::kNone;
  char Character = '\0';
};
TFileNameCheck CheckFileName(std::string_view name);

// Whether name can be the last component of a Windows path (CheckFileName
// finds no problem).
inline bool IsValidFileName(std::string_view name) {
  return CheckFileName(name).Problem == TFileNameProblem::kNone;
}

struct TFileNameOptions {
  bool CaseSensitive = false;       // one exact pass instead of exact, then case-ignoring
  bool ReplaceInExtension = false;  // the extension is transliterated too
  TDirection Direction = TDirection::kForward;
};

// A transliterated path and what CheckFileName says of its new last
// component, for a caller that renames by it (the plug-in) or says why it
// does not (the host's command).
struct TTransliteratedPath {
  std::string Path;           // directory, transliterated name, extension
  std::size_t NameStart = 0;  // where the last component starts: the directory's length
  TFileNameCheck NameCheck;   // CheckFileName(Name())

  std::string_view Name() const { return std::string_view(Path).substr(NameStart); }
};

// The new full path: directory, the name run through the profile at
// profilePath (read whole with one open and one read, self-mapping lines
// always with case ignored), extension; and the check of the new last
// component (name and extension). Nothing when the profile is missing or
// cannot be opened or read.
//   "C:\docs\Шаг.txt" with the rules "а a", "г g", "Ш Sh" gives
//   {"C:\docs\Shag.txt", 8, {TFileNameProblem::kNone}}
std::optional<TTransliteratedPath> TransliteratePathChecked(std::string_view path,
                                                            const std::string& profilePath,
                                                            const TFileNameOptions& options);

// Only the new full path of TransliteratePathChecked, whatever its check says.
std::optional<std::string> TransliteratePath(std::string_view path, const std::string& profilePath,
                                             const TFileNameOptions& options);
