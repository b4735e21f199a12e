#include "cli/core/messages.h"

#include <cstring>
#include <vector>

namespace {

TTranslator Translator = nullptr;

}  // namespace

void SetTranslator(TTranslator translator) { Translator = translator; }

const char* Translate(const char* key) { return Translator ? Translator(key) : key; }

const char* TranslateInContext(const char* context, const char* key) {
  if (!Translator) return key;
  // gettext keys a message with a context as "CONTEXT\004KEY"; the lookup
  // answers the very pointer it was given when it has no translation.
  const std::string joined = std::string(context) + '\004' + key;
  const char* found = Translator(joined.c_str());
  return found == joined.c_str() || std::strcmp(found, joined.c_str()) == 0 ? key : found;
}

std::string FormatArgs(std::string_view pattern, std::initializer_list<std::string_view> args) {
  const std::vector<std::string_view> values(args);
  std::string text;
  std::size_t next = 0;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] != '%' || at + 1 == pattern.size()) {
      text += pattern[at];
      continue;
    }
    std::size_t index = next;
    std::size_t end = at + 1;
    if (pattern[end] == '%') {
      text += '%';
      at = end;
      continue;
    }
    if (pattern[end] >= '1' && pattern[end] <= '9' && pattern.substr(end + 1, 2) == "$s") {
      index = static_cast<std::size_t>(pattern[end] - '1');
      end += 2;
    } else if (pattern[end] == 's') {
      ++next;
    } else {
      text += pattern[at];
      continue;
    }
    if (index < values.size()) text += values[index];
    at = end;
  }
  return text;
}
