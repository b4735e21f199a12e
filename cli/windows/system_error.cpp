#include "cli/windows/system_error.h"

#include "cli/windows/text.h"
#include "engine/unique_handles.h"

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const TUniqueLocalMemory owner(buffer);
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                           text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(error);
  return Utf8FromWide(text);
}

TSkip SkipOfSystemError(DWORD error, const std::string& newName) {
  static constexpr TErrorReason kReasons[] = {
      {ERROR_ALREADY_EXISTS, TSkipReason::kTaken},
      {ERROR_FILE_EXISTS, TSkipReason::kTaken},
      {ERROR_FILE_NOT_FOUND, TSkipReason::kMissing},
      {ERROR_PATH_NOT_FOUND, TSkipReason::kMissing},
      {ERROR_ACCESS_DENIED, TSkipReason::kPermission},
      {ERROR_SUCCESS, TSkipReason::kNotRenamed},
  };
  return SkipOfErrorCode(static_cast<long>(error), kReasons, newName,
                         [error] { return SystemMessage(error); });
}

TError ErrorOfSystemError(const std::string& subject, DWORD error) {
  return {subject, SystemMessage(error)};
}
