// A console window of translit-host's own: the one Windows opens when the
// program is started from Explorer (a double click), which closes with the
// program and takes its last lines with it.
#pragma once

#include "cli/core/console.h"

// Whether the console belongs to this process alone (no cmd.exe or other
// program shares it) and is its input: then nobody will read what is
// printed once it ends, and a key can be waited for.
bool OwnsConsoleWindow();

// Says to press a key, and waits for one, so that the lines stay readable.
void WaitForKey(TConsole& console);
