// Whole-file reads of translit-host.
#pragma once

#include <windows.h>

#include <string>

// Reads the whole file at path (standard input for L"-") into *bytes: to its
// end, or until the writer of a pipe has finished. False, with the system's
// error code in *error, when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string* bytes, DWORD* error);
