#include "cli/windows/messages_windows.h"

#include <windows.h>

#include <string_view>

#include "cli/core/messages.h"
#include "cli/core/mo_catalog.h"

namespace {

TMoCatalog Russian;

const char* Lookup(const char* key) {
  const char* found = Russian.Find(key);
  return found ? found : key;
}

// The bytes of the program's RCDATA resource name; empty when it has none.
std::string_view ResourceBytes(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(nullptr, found)};
}

}  // namespace

void StartWindowsMessages() {
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_RUSSIAN) return;
  if (Russian.Read(ResourceBytes(L"TRANSLIT_MESSAGES_RU"))) SetTranslator(Lookup);
}
