#include "cli/linux/messages_gettext.h"

#include <libintl.h>

#include <clocale>

#include "cli/core/messages.h"
#include "cli/linux/data_folders.h"

namespace {

constexpr char kDomain[] = "translit";

const char* Lookup(const char* key) { return dgettext(kDomain, key); }

}  // namespace

void StartGettext() {
  // Only what the messages need: the other categories (numbers, collation)
  // stay "C", so that names sort and figures print the same everywhere.
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  bindtextdomain(kDomain, LocaleFolder().c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
  SetTranslator(Lookup);
}
