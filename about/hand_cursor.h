// The pointer of the About dialog's link labels (bas_HandCursor).
#pragma once

#include "forms/controls.h"

namespace zelvane {

// Custom pointer: the program's hand cursor, loaded anew for the label at each call.
void SetHandCursor(forms::Label& label);
// Default pointer, no custom picture.
void SetDefaultCursor(forms::Label& label);

}  // namespace zelvane
