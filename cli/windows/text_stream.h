// translit-host's text filter streams (-t): standard input and output in
// the console's characters or the file's code page, as UTF-8 for the run
// core.
//
// A console is read with ReadConsoleW and written with WriteConsoleW, so
// any character it shows goes in and out. A file or pipe is read as
// UTF-16 when it starts with a UTF-16 byte-order mark, as UTF-8 when it
// starts with the UTF-8 one or its first piece is UTF-8, and otherwise in
// the ANSI code page (Windows-1251 on a Russian system; with --from-cp1251,
// Windows-1251 whatever the system). Output to a file or pipe is written in
// the input's encoding (its byte-order mark first, if it had one), or in
// UTF-8 when the input was a console or the text came as arguments.
#pragma once

#include <memory>

#include "cli/core/platform.h"

std::unique_ptr<TTextStream> MakeWindowsTextStream(bool from1251);
