// Transliteration of a Linux file name, which is UTF-8 (or any bytes), by
// a profile written in Windows-1251.
//
// The name is taken as a whole: ":" and "\" are ordinary characters in a
// Linux name, and only its own extension is split off (from the last "."
// unless the extension is transliterated too), as the plug-in does with the
// last component of a Windows path. The rest is converted to Windows-1251
// character by character; a character that the code page lacks (an emoji,
// an accented Latin letter) and any byte that is not UTF-8 cut the name into
// stretches, each of which is run through the profile on its own, while the
// character itself passes through unchanged:
//   "Щука.txt"   -> "Shchuka.txt"        (standart.pch)
//   "Щука 🐟.txt" -> "Shchuka 🐟.txt"
//   "Щука:Рыба"  -> "Shchuka:Ryba"
// For a name that Windows-1251 can hold and that has no ":" or "\" (which
// end a Windows folder part) the result is byte for byte what the plug-in's
// process gives for that name, converted back to UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/core/code_page.h"
#include "cli/core/lookalikes.h"
#include "cli/core/run_report.h"
#include "engine/file_name.h"
#include "engine/replace.h"

// The new name of a file named name (UTF-8, no "/"), by the rules of a
// profile, as the file-name run applies them (self-mapping lines with case
// ignored).
std::string TransliterateLinuxName(std::string_view name, const std::vector<TRule>& rules,
                                   const TFileNameOptions& options);

// The new name of a file whose name on disk is name (any bytes but "/" and
// NUL), as the Linux command renames it:
//  - a name that is not UTF-8 is read as Windows-1251 when from1251 (the
//    new name is then UTF-8, whatever the profile does), and is otherwise
//    skipped with kNotUtf8;
//  - the name is prepared as a run reads it (NFC, lookalikes:
//    PrepareForRun) and transliterated by TransliterateLinuxName; the new
//    name is in NFC.
// A UTF-8 name in which the profile changes nothing keeps its name as it
// is, decomposed or not: name itself comes back.
//   NewLinuxName("\xd9\xf3\xea\xe0.txt", ..., true) == "Shchuka.txt"
std::variant<std::string, TSkip> NewLinuxName(std::string_view name,
                                              const std::vector<TRule>& rules,
                                              const std::vector<TLookalike>& lookalikes,
                                              const TFileNameOptions& options, bool from1251);

// Why a new Linux file name cannot be made, or nothing when it can: empty,
// "." or "..", a "/" or a NUL byte in it, or longer than 255 bytes.
std::optional<TSkip> LinuxNameProblem(const std::string& name);
