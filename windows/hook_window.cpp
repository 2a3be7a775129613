// Replacing a window's procedure and putting the old one back.
#include "windows/window_utils.h"

namespace zelvane {

void HookWindow(HWND hWnd, WNDPROC proc, WNDPROC& old) {
    old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

void UnhookWindow(HWND hWnd, WNDPROC& old) {
    if (!old)
        return;
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    old = nullptr;
}

}  // namespace zelvane
