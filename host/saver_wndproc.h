// The saver window's replacement window procedure.
#pragma once

#include "forms/win.h"

namespace zelvane {

inline constexpr WPARAM kScScreenSave = SC_SCREENSAVE;  // compared whole, low bits not masked

LRESULT CALLBACK SaverWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace zelvane
