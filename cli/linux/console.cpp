#include "cli/linux/console.h"

#include <unistd.h>

#include "cli/linux/file_ops.h"

TLinuxConsole::TLinuxConsole()
    : TBufferedConsole(isatty(STDOUT_FILENO) == 1), err_is_terminal_(isatty(STDERR_FILENO) == 1) {}

void TLinuxConsole::WriteOut(std::string_view utf8) { WriteAll(STDOUT_FILENO, utf8); }

void TLinuxConsole::WriteErr(std::string_view utf8) { WriteAll(STDERR_FILENO, utf8); }
