// Run control on Win32.
#include "runcontrol/run_control.h"

#include "clock/fclock.h"
#include "core/date_time.h"
#include "forms/controls.h"
#include "forms/runtime.h"
#include "host/saver_wndproc.h"
#include "windows/window_utils.h"

namespace zelvane {

Bool16 EndRequested = kFalse;
WNDPROC OldSaverWndProc = nullptr;

namespace {
// The cursor counter moves by one per call; this bound only guards against a
// platform whose counter never moves (no pointing device).
constexpr int kMaxCursorCalls = 4096;
}  // namespace

void EndSaver() {
    // Nothing may keep the flag from being raised: showing the cursor raises no error.
    ShowMouseCursor();
    EndRequested = kTrue;
}

Bool16 VerifyPassword() {
    return kTrue;
}

void RequestEnd() {
    if (VerifyPassword())
        EndSaver();
}

void HandleMouseDown(int16_t button, int16_t shift, Bool16 allowAbout) {
    if (button == forms::kButtonRight && shift == 0 && allowAbout) {
        ShowMouseCursor();
        ShowAbout(kTrue, kAboutIconId, "");
        if (EndRequested)
            return;
        if (fclock::Current())
            MakeTopMost(fclock::Current()->hWnd());
        HideMouseCursor();
        return;
    }
    if (VerifyPassword())
        EndSaver();
}

void HideMouseCursor() {
    for (int i = 0; i < kMaxCursorCalls && ::ShowCursor(FALSE) >= 0; ++i) {
    }
}

void ShowMouseCursor() {
    for (int i = 0; i < kMaxCursorCalls && ::ShowCursor(TRUE) < 0; ++i) {
    }
}

void Pause(float seconds) {
    const float start = forms::TimeOfDaySeconds();
    // One reading of the clock after each pump serves both its test and the next wait.
    float now = start;
    for (;;) {
        // Sleep in the system until an event comes or the time is up, then pump.
        const uint32_t remaining = PauseRemainingMs(start, seconds, now);
        if (remaining > 0)
            forms::WaitAndDoEvents(remaining);
        else
            forms::DoEvents();
        now = forms::TimeOfDaySeconds();
        if (PauseIsOver(start, seconds, now))
            break;
    }
}

void HookSaverWindow(HWND hWnd) {
    HookWindow(hWnd, &SaverWndProc, OldSaverWndProc);
}

void UnhookSaverWindow(HWND hWnd) {
    UnhookWindow(hWnd, OldSaverWndProc);
}

}  // namespace zelvane
