// File-name transliteration for the host: the body of the entry point
// `process`.
#pragma once

#include <cstdint>

#include "translit/plugin_api.h"

// Transliterates the file name in *fileName by the options and, unless
// previewOnly, renames the file. On success *fileName points to the new path,
// a text owned by the plug-in until the next call or unloading. It keeps
// pointing to the old path when nothing changed on disk that the host must
// know of: the profile is missing or unreadable, the new name is not a valid
// Windows file name (it would hold a NUL, a separator or a reserved
// character, end in a dot or a space, or name a device such as CON), or the
// rename failed (the file is still under its old name; nothing is ever
// overwritten).
void ProcessFile(char** fileName, const TReplOptions* options, bool previewOnly);
