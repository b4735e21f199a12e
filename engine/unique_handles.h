// The owners of the system's handles that more than the windows hold: files,
// folder searches, libraries, windows, memory from the system and threads on
// Windows; file descriptors, folder streams and C streams elsewhere. The
// windows' drawing objects have their owners in ui/handles.h.
#pragma once

#include "engine/unique_any.h"

#ifdef _WIN32

#include <windows.h>

// Traits of the kernel handles whose creation answers INVALID_HANDLE_VALUE
// on failure.
template <auto CloseFunction>
struct TInvalidValueTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

// A file from CreateFileA or CreateFileW.
using TUniqueFile = TUniqueAny<TInvalidValueTraits<CloseHandle>>;
// A directory search from FindFirstFileA or FindFirstFileExW.
using TUniqueFind = TUniqueAny<TInvalidValueTraits<FindClose>>;
// A kernel object whose creation answers null on failure (a thread).
using TUniqueKernelHandle = TUniqueAny<TNullInvalidTraits<HANDLE, CloseHandle>>;
// A loaded library from LoadLibrary.
using TUniqueModule = TUniqueAny<TNullInvalidTraits<HMODULE, FreeLibrary>>;
// A window from CreateWindowEx.
using TUniqueWindow = TUniqueAny<TNullInvalidTraits<HWND, DestroyWindow>>;
// Memory the system allocated for the caller (FORMAT_MESSAGE_ALLOCATE_BUFFER).
using TUniqueLocalMemory = TUniqueAny<TNullInvalidTraits<HLOCAL, LocalFree>>;

#else

#include <dirent.h>
#include <unistd.h>

#include <stdio.h>

struct TFdTraits {
  using Handle = int;
  static Handle Invalid() noexcept { return -1; }
  static void Close(Handle fd) noexcept { close(fd); }
};

// A file descriptor from open or openat.
using TUniqueFd = TUniqueAny<TFdTraits>;
// A folder stream from opendir or fdopendir.
using TUniqueDir = TUniqueAny<TNullInvalidTraits<DIR*, closedir>>;
// A C stream from fopen.
using TUniqueStdioFile = TUniqueAny<TNullInvalidTraits<std::FILE*, fclose>>;

#endif
