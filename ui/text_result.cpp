#include "ui/text_result.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

std::string FieldText(HWND field) {
  const LRESULT length = SendMessageA(field, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT read =
      SendMessageA(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return text;
}

}  // namespace

void ShowInField(HWND field, std::string_view text) {
  const std::string shown = FieldText(field);
  const std::size_t shorter = std::min(shown.size(), text.size());
  std::size_t prefix = 0;
  while (prefix < shorter && shown[prefix] == text[prefix]) ++prefix;
  if (prefix == shown.size() && prefix == text.size()) return;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         shown[shown.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
    ++suffix;
  }
  // Never split a line break between its CR and its LF.
  if (prefix > 0 && shown[prefix - 1] == '\r') --prefix;
  if (suffix > 0 && shown[shown.size() - suffix] == '\n') --suffix;

  const std::string middle(text.substr(prefix, text.size() - prefix - suffix));
  SendMessageA(field, EM_SETSEL, prefix, static_cast<LPARAM>(shown.size() - suffix));
  SendMessageA(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle.c_str()));
}
