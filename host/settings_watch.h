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

}  // namespace zelvane
