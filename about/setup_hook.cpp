// The setup window's hook.
#include "about/setup_hook.h"

#include "windows/window_utils.h"

namespace zelvane {

WNDPROC OldSetupWndProc = nullptr;

void HookSetupWindow(HWND hWnd) {
    HookWindow(hWnd, &SetupWndProc, OldSetupWndProc);
}

void UnhookSetupWindow(HWND hWnd) {
    UnhookWindow(hWnd, OldSetupWndProc);
}

LRESULT CALLBACK SetupWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The close command still reaches the form: the default procedure turns it into WM_CLOSE.
    if (msg == WM_SYSCOMMAND)
        return ::DefWindowProcA(hWnd, WM_SYSCOMMAND, wParam, lParam);
    return ::CallWindowProcA(OldSetupWndProc, hWnd, msg, wParam, lParam);
}

}  // namespace zelvane
