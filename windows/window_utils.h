// Finding the program's own form window, bringing a window back, keeping one on top,
// placing a dialog over its owner, telling the user's own desktop, looking up system functions,
// keeping input methods out, hooking a window's procedure.
#pragma once

#include <cstdint>
#include <string>

#include "forms/win.h"

namespace zelvane {

// The window a command line or the settings name by number. Window handles travel as
// 32-bit numbers; the platform sign-extends them.
inline HWND HandleFromNumber(int32_t value) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

// A top-level window of the form class (or `className` when not empty) with that caption.
HWND FindAppWindow(const std::string& title, const std::string& className);
void RestoreAndActivate(HWND hWnd);
void MakeTopMost(HWND hWnd);
// Moves `hWnd` (size unchanged) to the centre of `owner`, inside the work area of the
// owner's monitor; nothing when the owner is hidden or minimised.
void CenterOverWindow(HWND hWnd, HWND owner);

// Whether the calling thread runs on the user's own desktop ("Default"), and not on one that
// Windows keeps apart from it, such as the screen-saver desktop of a locked session.
bool OnUsersOwnDesktop();

// A function of a system library, the library loaded from the system folder by full path,
// never from wherever the search order looks first, and kept until the process ends; null
// when either is missing.
FARPROC SystemFunction(const char* library, const char* name);
// Keeps input methods out of the process, which takes no text: called before its first window.
void DisableInputMethod();

// Window hooks: puts `proc` on the window and keeps the procedure it replaced in `old`;
// the unhook puts `old` back and clears it, and does nothing while `old` is clear.
void HookWindow(HWND hWnd, WNDPROC proc, WNDPROC& old);
void UnhookWindow(HWND hWnd, WNDPROC& old);

}  // namespace zelvane
