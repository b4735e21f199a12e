// The folder search of translit-host. Its handles are held by the product's
// owners (ui/handles.h).
#pragma once

#include <windows.h>

#include <string>

#include "ui/handles.h"

// FindFirstFileExW without the short names and with large fetches, which
// folders of thousands of files gain from; Windows before 7 knows neither
// and gets the plain FindFirstFileW.
inline TUniqueFind FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* entry) {
  TUniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, entry,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search && GetLastError() == ERROR_INVALID_PARAMETER) {
    search = TUniqueFind(FindFirstFileW(pattern.c_str(), entry));
  }
  return search;
}
