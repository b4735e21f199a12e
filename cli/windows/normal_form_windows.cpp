// NFC for translit-host, by NormalizeString (Normaliz.dll, a system DLL;
// cli/core/normal_form.h).
#include <windows.h>

#include <new>

#include "cli/core/normal_form.h"
#include "cli/windows/text.h"

std::string NfcOfWellFormedUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const std::wstring wide = WideFromUtf8(utf8);
  const int size = static_cast<int>(wide.size());
  // The first call estimates; a later one may ask for more.
  int capacity = NormalizeString(NormalizationC, wide.data(), size, nullptr, 0);
  for (int tries = 0; capacity > 0 && tries < 10; ++tries) {
    std::wstring normal(static_cast<std::size_t>(capacity), L'\0');
    const int length = NormalizeString(NormalizationC, wide.data(), size, normal.data(), capacity);
    if (length > 0) {
      normal.resize(static_cast<std::size_t>(length));
      return Utf8FromWide(normal);
    }
    const DWORD error = GetLastError();
    if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY) throw std::bad_alloc();
    if (error != ERROR_INSUFFICIENT_BUFFER) break;
    capacity = -length > capacity ? -length : capacity * 2;
  }
  return std::string(utf8);  // text the system cannot normalize stays as it is
}
