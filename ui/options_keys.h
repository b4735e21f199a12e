// The options dialog's keyboard. The dialog registers no hot keys and uses no
// dialog-message processing; its modal loop hands every message to this step
// before translating it, and only key presses aimed at the dialog or one of
// its controls are taken:
//  - Enter confirms as OK; on a focused push button (Инфо, OK, Отмена) it
//    presses that button, as in any dialog;
//  - Escape cancels as Cancel;
//  - Tab and Shift+Tab move the focus, wrapping, through the profile box,
//    Инфо, the two radio buttons, the two check boxes, OK and Cancel;
//  - on a radio button, the arrow keys move to the other one and check it;
//  - Alt+F4 closes the dialog as its close box does, whichever control has
//    the focus.
// While the profile box's list is dropped, Enter, Escape and the arrows stay
// the list's own (Enter and Escape close the list, not the dialog).
// Messages of other windows, the host's included, pass untouched.
#pragma once

#include <windows.h>

// True when the message was a key of the dialog's and has been acted on: the
// loop then neither translates nor dispatches it.
bool TranslateOptionsKey(const MSG& message);
