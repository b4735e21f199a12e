// The Windows command's platform: paths in the user's own form (converted
// to UTF-16 for every call), the profile folder Plugins\rep_profiles\ beside
// translit-host.exe, journals in %LOCALAPPDATA%\Translit\, renames through
// the plug-in (cli/windows/rename_run.h). A file's identity is its volume
// serial number and file index, which a rename keeps.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "cli/core/platform.h"
#include "engine/unique_handles.h"

// FindFirstFileExW without the short names and with large fetches, which
// folders of thousands of files gain from; Windows before 7 knows neither
// and gets the plain FindFirstFileW.
TUniqueFind FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* entry);

std::unique_ptr<TCommandPlatform> MakeWindowsPlatform();
