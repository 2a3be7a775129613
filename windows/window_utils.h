// Finding the program's own form window, bringing a window back, keeping one on top.
#pragma once

#include <string>

#include "forms/win.h"

namespace zelvane {

// A top-level window of the form class (or `className` when not empty) with that caption.
HWND FindAppWindow(const std::string& title, const std::string& className);
void RestoreAndActivate(HWND hWnd);
void MakeTopMost(HWND hWnd);

}  // namespace zelvane
