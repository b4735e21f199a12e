#include "cli/windows/console.h"

#include <windows.h>

#include <string>

#include "cli/windows/text.h"

namespace {

void Write(DWORD which, std::string_view utf8) {
  HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = WideFromUtf8(utf8);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

TWindowsConsole& TWindowsConsole::Get() {
  static TWindowsConsole console;
  return console;
}

void TWindowsConsole::WriteOut(std::string_view utf8) { Write(STD_OUTPUT_HANDLE, utf8); }

void TWindowsConsole::WriteErr(std::string_view utf8) { Write(STD_ERROR_HANDLE, utf8); }

bool TWindowsConsole::ErrIsTerminal() {
  DWORD mode = 0;
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!GetConsoleMode(error, &mode)) return false;
  // ProgressEnd clears the line with an escape sequence, which a console
  // understands once asked to; an older one that refuses gets spaces.
  SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  return true;
}

std::string TWindowsConsole::ProgressClearText() {
  DWORD mode = 0;
  GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ? ProgressEnd()
                                                     : "\r" + std::string(40, ' ') + "\r";
}
