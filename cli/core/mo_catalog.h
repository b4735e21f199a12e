// A message catalogue in GNU gettext's compiled form (.mo, as msgfmt writes
// it from a .po file), read from memory: the Windows command carries
// po/ru.po compiled this way, so that both commands translate from one
// source. Either byte order; plural forms are not used.
//
//   TMoCatalog russian;
//   if (russian.Read(bytes)) russian.Find("no files given");  // the Russian, or nullptr
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

class TMoCatalog {
 public:
  // False, and an empty catalogue, when bytes are not a whole .mo file.
  bool Read(std::string_view bytes);
  // The translation of key (for a context, "CONTEXT\004KEY"); nullptr when
  // the catalogue lacks it.
  const char* Find(const char* key) const;
  std::size_t Size() const { return translations_.size(); }

 private:
  std::unordered_map<std::string, std::string> translations_;
};
