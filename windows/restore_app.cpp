// Finding a running copy's form window and handing it the foreground.
#include "forms/form.h"
#include "windows/window_utils.h"

namespace zelvane {

HWND FindAppWindow(const std::string& title, const std::string& className) {
    const char* cls = className.empty() ? forms::kFormClassName : className.c_str();
    HWND h = ::FindWindowA(cls, title.c_str());
    // Handles are compared as signed 32-bit values: a "negative" one counts as none.
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(h)) > 0 ? h : nullptr;
}

void RestoreAndActivate(HWND hWnd) {
    ::ShowWindow(hWnd, SW_RESTORE);
    ::SetForegroundWindow(hWnd);
}

}  // namespace zelvane
