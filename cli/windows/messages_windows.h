// translit-host's messages: Russian when the user's UI language is Russian
// (GetUserDefaultUILanguage), English otherwise. The Russian table is
// po/ru.po, compiled by msgfmt and carried in the program as the resource
// TRANSLIT_MESSAGES_RU (cli/windows/messages.rc.in), read by the core's
// TMoCatalog: the same catalogue the Linux command reads through gettext.
#pragma once

// Sets the lookup of cli/core/messages.h; without a Russian UI, or without
// a readable catalogue, the English texts stay.
void StartWindowsMessages();
