// The texts the commands print, in the user's language. Every message of
// the run core and of the platforms goes through one of these macros, with
// its English text as the key (gettext's msgid):
//
//   _("no files given")                   // "не указан ни один файл" in Russian
//   Format(_("no profile %s in %s"), name, folder)
//   P_("thousands separator", ",")        // a no-break space in Russian
//   N_("kept for later")                  // marked for the catalogue only
//
// Each command sets the lookup once at its start: gettext's on Linux
// (cli/linux/messages_gettext.h), the .mo catalogue built into
// translit-host.exe on Windows. Without one, the English text is printed.
//
// po/translit.pot gathers every key from the sources and po/ru.po holds the
// Russian; tools/update-po.sh brings both up to date after a change (see
// po/README.md). Keys are ASCII: the Windows build stores narrow literals in
// Windows-1251.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The key's text in the user's language: a translation, or the key itself
// when the catalogue lacks it. Never null; lives as long as the process.
const char* Translate(const char* key);
// The same for a key that the context tells apart (gettext's msgctxt).
const char* TranslateInContext(const char* context, const char* key);

// gettext's own names for marking messages, which xgettext looks for.
#define _(key) Translate(key)  // NOLINT(bugprone-reserved-identifier)
#define N_(key) key
#define P_(context, key) TranslateInContext(context, key)

// The lookup a command sets: the translation of key, or key itself.
using TTranslator = const char* (*)(const char* key);
void SetTranslator(TTranslator translator);

// pattern with its "%s" replaced by the arguments in order, or "%N$s" by the
// N-th (a translation may reorder them); "%%" is a "%".
//   FormatArgs("%s of %s", {"3", "7"}) == "3 of 7"
//   FormatArgs("%2$s: %1$s", {"a", "b"}) == "b: a"
std::string FormatArgs(std::string_view pattern, std::initializer_list<std::string_view> args);

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  return FormatArgs(pattern, {std::string_view(args)...});
}
