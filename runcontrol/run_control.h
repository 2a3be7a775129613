// Steering a run: the end flag, the end routines called from input, the mouse
// cursor, the About dialog over the running saver, the pumping pause and the hook
// on the saver window.
#pragma once

#include <cstdint>
#include <string>

#include "core/bool16.h"
#include "forms/win.h"

namespace zelvane {

extern Bool16 EndRequested;      // raised once, never lowered
extern WNDPROC OldSaverWndProc;  // the saver window's own procedure while hooked

void EndSaver();
Bool16 VerifyPassword();
void RequestEnd();
void HandleMouseDown(int16_t button, int16_t shift, Bool16 allowAbout);
void ShowAbout(Bool16 loadFirst, int16_t iconId, const std::string& text);
void HideMouseCursor();
void ShowMouseCursor();
void Pause(float seconds);
void HookSaverWindow(HWND hWnd);
void UnhookSaverWindow(HWND hWnd);

inline constexpr int16_t kAboutIconId = 101;
inline constexpr int32_t kAboutAutoCloseMs = 10000;

}  // namespace zelvane
