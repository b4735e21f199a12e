// Renaming Linux files one after another, without ever replacing anything.
//
// Each path is split at its last "/" into its folder, opened as the kernel
// resolves it (so "link/../a" is the file the kernel finds, not a string
// rewrite of the path), and its last component, which is the name. The
// name is transliterated as a whole (NewLinuxName, cli/core/linux_name.h;
// a name that is not UTF-8 read as Windows-1251 when from1251) and the file
// is renamed inside that folder by MoveNoReplaceAt.
#pragma once

#include <memory>
#include <vector>

#include "cli/core/platform.h"
#include "engine/file_name.h"
#include "engine/replace.h"

std::unique_ptr<TRenamer> MakeLinuxRenamer(std::vector<TRule> rules,
                                           const TFileNameOptions& options, bool from1251);
