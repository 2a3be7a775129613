// The watch on the display-settings dialog: whether it still has this screen saver
// selected.
#pragma once

#include <string>

#include "core/bool16.h"
#include "forms/win.h"

namespace zelvane {

// True when a combo box on the dialog's screen-saver page (or, without such a page,
// on the dialog itself) has an entry selected that names `saverName`, ignoring case.
Bool16 IsSaverSelected(HWND hDialog, const std::string& saverName);

// The entry selected in `list`, a combo box of another process, read into `buffer` of
// `chars` characters and ended with a NUL: its length, or -1 when nothing is selected or
// the entry leaves no character of the buffer to spare. Nothing is written past the
// buffer, whatever the other process answers or changes between two questions.
int ReadSelectedEntry(HWND list, wchar_t* buffer, int chars);

}  // namespace zelvane
