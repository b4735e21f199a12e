#include "cli/windows/out_of_memory.h"

#include <windows.h>

#include "cli/windows/console.h"
#include "cli/windows/host_folder.h"

namespace {

// Made before any memory runs out: the filter only writes them.
std::string Message;
std::string Program;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode != STATUS_NO_MEMORY) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  try {
    TWindowsConsole::Get().Err(Message);  // the plug-in has let go of what it held by now
  } catch (...) {
  }
  TTemporaryHostFolder::RemoveActive();
  ExitProcess(2);
}

}  // namespace

void CatchOutOfMemory(const std::string& program) {
  Program = program;
  SetOutOfMemoryCause("");
  SetUnhandledExceptionFilter(OnUnhandledException);
}

void SetOutOfMemoryCause(const std::string& cause) {
  Message = Program + ": out of memory" + (cause.empty() ? "" : ": " + cause) + "\n";
}
