// The cost of reading a profile as the system alone gives it, to set beside
// what a call of `process` costs under the same wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Seconds on the performance counter.
inline double CounterSeconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// µs per cycle of the system calls the DLL makes once per call to read the
// profile at path: ask its attributes, open it, ask its type and size, read
// it whole, close it. 0 when it cannot be opened.
inline double BareProfileReadMicroseconds(const std::string& path, int cycles) {
  std::vector<char> buffer(1 << 20);
  const double start = CounterSeconds();
  for (int i = 0; i < cycles; ++i) {
    GetFileAttributesA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    GetFileType(file);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    DWORD read = 0;
    ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
    CloseHandle(file);
  }
  return (CounterSeconds() - start) * 1e6 / cycles;
}
