// Painting of the options dialog: the white header band with its title,
// version and banner, the two etched separators and the host mark.
#pragma once

#include <windows.h>

// Paints the dialog's own drawing into dc (the controls paint themselves).
// Uses the opening's fonts, pens and banner from the ControlTable; what is
// missing (pens already deleted by a closing dialog) is left out.
void PaintOptionsWindow(HDC dc) noexcept;
