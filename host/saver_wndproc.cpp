// The saver window refuses to have another screen saver started over it and hands
// system commands to the default procedure; everything else goes to the form.
#include "host/saver_wndproc.h"

#include "runcontrol/run_control.h"

namespace zelvane {

LRESULT CALLBACK SaverWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND) {
        if (wParam == kScScreenSave)
            return 0;
        return ::DefWindowProcA(hWnd, WM_SYSCOMMAND, wParam, lParam);
    }
    return ::CallWindowProcA(OldSaverWndProc, hWnd, msg, wParam, lParam);
}

}  // namespace zelvane
