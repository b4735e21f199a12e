// The Linux command's messages through gettext (libintl, part of glibc):
// the language of LANGUAGE, LC_ALL, LC_MESSAGES or LANG, English otherwise,
// from the catalogue translit.mo beside the program (data_folders.h).
#pragma once

// Sets the locale's messages and character type from the environment and
// makes cli/core/messages.h look texts up in the domain "translit", always
// as UTF-8 (the command prints UTF-8 whatever the locale's code set).
void StartGettext();
