#include "tools/host/console.h"

#include <windows.h>

namespace {

constexpr UINT kCodePage1251 = 1251;

std::wstring Wide(std::string_view text1251) {
  if (text1251.empty()) return {};
  const int size = static_cast<int>(text1251.size());
  std::wstring wide(static_cast<std::size_t>(
                        MultiByteToWideChar(kCodePage1251, 0, text1251.data(), size, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(kCodePage1251, 0, text1251.data(), size, wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

void Write(DWORD which, std::string_view text1251) {
  HANDLE handle = GetStdHandle(which);
  const std::wstring wide = Wide(text1251);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const int wide_size = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(
                       WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0,
                                           nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, utf8.data(),
                      static_cast<int>(utf8.size()), nullptr, nullptr);
  WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void Out(std::string_view text1251) { Write(STD_OUTPUT_HANDLE, text1251); }
void Err(std::string_view text1251) { Write(STD_ERROR_HANDLE, text1251); }

std::string To1251(std::wstring_view wide, bool* lossless) {
  *lossless = true;
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  BOOL used_default = FALSE;
  const int bytes = WideCharToMultiByte(kCodePage1251, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                        nullptr, 0, nullptr, &used_default);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(kCodePage1251, WC_NO_BEST_FIT_CHARS, wide.data(), size, text.data(), bytes,
                      nullptr, &used_default);
  // A round trip catches what WC_NO_BEST_FIT_CHARS alone may let through.
  if (used_default) {
    *lossless = false;
  } else {
    std::wstring back(wide.size(), L'\0');
    const int chars = MultiByteToWideChar(kCodePage1251, 0, text.data(), bytes, back.data(),
                                          static_cast<int>(back.size()));
    back.resize(static_cast<std::size_t>(chars > 0 ? chars : 0));
    *lossless = back == wide;
  }
  if (!*lossless) text.clear();
  return text;
}
