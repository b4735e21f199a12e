// Showing a conversion's result in the text window's result field.
#pragma once

#include <windows.h>

#include <string_view>

// Makes the field show text. Only the stretch that differs from what the
// field shows is replaced (selected, then replaced without undo), so a
// keystroke's conversion of a long text costs the field a small change
// instead of laying out the whole text again, and the view follows the
// change instead of jumping back to the top. A field that already shows
// text is left alone. The field's limit must admit the text (EM_SETLIMITTEXT).
void ShowInField(HWND field, std::string_view text);
