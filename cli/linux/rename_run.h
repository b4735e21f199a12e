// Renaming Linux files one after another, without ever replacing anything.
//
// Each path is split at its last "/" into its folder and its last
// component, which is the name. A folder the walk of -r found is opened
// through its parents' descriptors (cli/linux/folder_tree.h); any other as
// the kernel resolves the path the user gave (so "link/../a" is the file the
// kernel finds there). The name is transliterated as a whole (NewLinuxName,
// cli/core/linux_name.h; a name that is not UTF-8 read as Windows-1251 when
// from1251) and the file is renamed inside that folder by MoveNoReplaceAt.
#pragma once

#include <memory>
#include <vector>

#include "cli/core/platform.h"
#include "cli/linux/folder_tree.h"
#include "engine/file_name.h"
#include "engine/replace.h"

std::unique_ptr<TRenamer> MakeLinuxRenamer(TFolderTree& folders, std::vector<TRule> rules,
                                           const TFileNameOptions& options, bool from1251);
