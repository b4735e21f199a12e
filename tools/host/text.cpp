#include "tools/host/text.h"

namespace {

constexpr UINT kCodePage1251 = 1251;

std::wstring Widen(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) { return Widen(CP_UTF8, utf8); }
std::wstring WideFrom1251(std::string_view text1251) { return Widen(kCodePage1251, text1251); }

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}

std::string Utf8From1251(std::string_view text1251) {
  const std::wstring utf16 = WideFrom1251(text1251);
  return Utf8FromWide(utf16);
}

bool To1251(std::wstring_view wide, std::string* text1251) {
  text1251->clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  BOOL used_default = FALSE;
  const int bytes = WideCharToMultiByte(kCodePage1251, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                        nullptr, 0, nullptr, &used_default);
  text1251->assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(kCodePage1251, WC_NO_BEST_FIT_CHARS, wide.data(), size, text1251->data(),
                      bytes, nullptr, &used_default);
  // The round trip catches what WC_NO_BEST_FIT_CHARS alone may let through.
  if (used_default || WideFrom1251(*text1251) != wide) {
    text1251->clear();
    return false;
  }
  return true;
}

std::wstring UpperCase(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring_view LastComponent(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::string FolderPart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/:");
  return std::string(separator == std::string_view::npos ? std::string_view()
                                                         : path.substr(0, separator + 1));
}

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                           text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(error);
  return Utf8FromWide(text);
}
