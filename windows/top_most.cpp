// Putting a window into the topmost band without moving or sizing it.
#include "windows/window_utils.h"

namespace zelvane {

void MakeTopMost(HWND hWnd) {
    // No SWP_NOACTIVATE: a visible window is also activated.
    ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace zelvane
