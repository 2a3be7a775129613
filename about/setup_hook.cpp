// The setup window's hook.
#include "about/setup_hook.h"

namespace zelvane {

WNDPROC OldSetupWndProc = nullptr;

void HookSetupWindow(HWND hWnd) {
    OldSetupWndProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SetupWndProc)));
}

void UnhookSetupWindow(HWND hWnd) {
    if (OldSetupWndProc) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldSetupWndProc));
        OldSetupWndProc = nullptr;
    }
}

LRESULT CALLBACK SetupWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The close command still reaches the form: the default procedure turns it into WM_CLOSE.
    if (msg == WM_SYSCOMMAND)
        return ::DefWindowProcA(hWnd, WM_SYSCOMMAND, wParam, lParam);
    return ::CallWindowProcA(OldSetupWndProc, hWnd, msg, wParam, lParam);
}

}  // namespace zelvane
