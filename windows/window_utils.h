// Finding the program's own form window, bringing a window back, keeping one on top,
// placing a dialog over its owner.
#pragma once

#include <string>

#include "forms/win.h"

namespace zelvane {

// A top-level window of the form class (or `className` when not empty) with that caption.
HWND FindAppWindow(const std::string& title, const std::string& className);
void RestoreAndActivate(HWND hWnd);
void MakeTopMost(HWND hWnd);
// Moves `hWnd` (size unchanged) to the centre of `owner`, inside the work area of the
// owner's monitor; nothing when the owner is hidden or minimised.
void CenterOverWindow(HWND hWnd, HWND owner);

}  // namespace zelvane
