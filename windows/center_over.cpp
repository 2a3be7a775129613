// Placing a dialog over the window it belongs to.
#include "windows/window_utils.h"

namespace zelvane {
namespace {

// The start that centres `size` over [ownerStart, ownerEnd), moved back inside
// [workStart, workEnd); when it cannot fit, its start edge (the title bar) stays visible.
int CenteredStart(int ownerStart, int ownerEnd, int size, int workStart, int workEnd) {
    int start = ownerStart + (ownerEnd - ownerStart - size) / 2;
    if (start + size > workEnd)
        start = workEnd - size;
    if (start < workStart)
        start = workStart;
    return start;
}

}  // namespace

void CenterOverWindow(HWND hWnd, HWND owner) {
    // A minimised or hidden owner has no place worth following: keep the given one.
    if (!::IsWindowVisible(owner) || ::IsIconic(owner))
        return;
    RECT ownerRect, rc;
    if (!::GetWindowRect(owner, &ownerRect) || !::GetWindowRect(hWnd, &rc))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    int x = CenteredStart(ownerRect.left, ownerRect.right, rc.right - rc.left, work.left, work.right);
    int y = CenteredStart(ownerRect.top, ownerRect.bottom, rc.bottom - rc.top, work.top, work.bottom);
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zelvane
