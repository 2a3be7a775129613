// The hook on the setup dialog's window: system commands go to the default procedure.
#pragma once

#include "forms/win.h"

namespace zelvane {

extern WNDPROC OldSetupWndProc;

void HookSetupWindow(HWND hWnd);
void UnhookSetupWindow(HWND hWnd);
LRESULT CALLBACK SetupWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace zelvane
