// Start-up, the running-copy rules, and the configure and saver drivers.
#include "startup/main.h"

#include "about/setup_hook.h"
#include "clock/fclock.h"
#include "core/command_line.h"
#include "core/numeric.h"
#include "forms/runtime.h"
#include "forms/settings.h"
#include "runcontrol/run_control.h"
#include "setup/fsetup.h"
#include "program/globals.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

constexpr UINT kSpiSetScreenSaverRunning = SPI_SETSCREENSAVERRUNNING;  // 97
// The exit code of a run that ended because the system refused one of its windows: the
// system's own code for a process whose window quota is used up.
constexpr unsigned kExitNoWindow = ERROR_NOT_ENOUGH_QUOTA;
// How long a preview waits for another copy to end: a terminated copy is gone well within
// it even on a loaded machine, and a preview beside a copy that stays ends no later.
constexpr uint32_t kEndingCopyWaitMs = 2000;

// Set when a saver starts beside a running copy whose preview is recorded.
Bool16 PreviewHadOwner = kFalse;

// A form window captioned with the title belongs to a running copy: hand it the
// foreground and end this process.
void SearchRunningCopy() {
    HWND h = FindAppWindow(AppTitle, "");
    if (h) {
        RestoreAndActivate(h);
        forms::EndProgram();
    }
}

void ApplyRunningInstanceRules() {
    if (!forms::PrevInstance()) {
        SearchRunningCopy();
        return;
    }
    switch (startup::RunMode) {
        case kRunSaver:
            if (NumericValue(forms::GetSetting(AppTitle, kSettingsSection, kActiveSetupKey, kNoPreview)) != 0) {
                PreviewHadOwner = kTrue;
                return;
            }
            forms::EndProgram();
        case kRunPreview:
            // The dialog ends its preview with TerminateProcess, which returns before that
            // copy has gone, and at once starts the next one into the same window: a copy
            // that goes within the wait is no running copy. One that stays (a running
            // saver or preview) ends this preview, which has drawn nothing meanwhile.
            if (!forms::OtherCopiesEndWithin(kEndingCopyWaitMs))
                forms::EndProgram();
            SearchRunningCopy();
            return;
        case kRunConfigure:
            SearchRunningCopy();
            return;
        default:
            return;
    }
}

// A run ends as a success unless a window could not be made for it.
unsigned RunExitCode() {
    return forms::WindowCreationFailed() ? kExitNoWindow : 0;
}

}  // namespace

void Main() {
    DisableInputMethod();
    YearText = kYearText;
    AppTitle = forms::AppTitle();
    const std::string text = NormalizedArguments(ArgumentsOf(::GetCommandLineA()));
    startup::RunMode = ClassifyCommandLine(text);
    TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
    TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
    ApplyRunningInstanceRules();
    StartBrushColor = kWhite;
    FaceFillColor = kBlack;
    FaceInkColor = kYellow;
    switch (startup::RunMode) {
        case kRunConfigure:
            RunConfigure(text);
        case kRunSaver:
            RunSaver();
        case kRunPreview:
            RunPreview(text);
        default:
            forms::Beep();
            forms::EndProgram();
    }
}

void RunConfigure(const std::string& upperText) {
    HWND OwnerWindow = nullptr;
    if (upperText.find(':') != std::string::npos) {
        int32_t h = ConfigureHandle(upperText);
        if (h != 0)
            OwnerWindow = ::GetParent(HandleFromNumber(h));
    }
    if (OwnerWindow)
        ::EnableWindow(OwnerWindow, FALSE);
    fsetup setup;
    // Kept here: closing from the title bar destroys the window before the loop ends,
    // and the hook is taken off the window it was put on.
    HWND setupWindow = nullptr;
    // A dialog that the system refuses could never ask for the end: the run ends at once.
    if (setup.Load()) {
        setupWindow = setup.hWnd();
        // Over the window that asked for it (on its monitor), not wherever the screen's centre is.
        if (OwnerWindow)
            CenterOverWindow(setupWindow, OwnerWindow);
        HookSetupWindow(setupWindow);
        setup.Show();
        do {
            forms::WaitAndDoEvents();
        } while (!EndRequested);
    }
    if (OwnerWindow) {
        ::EnableWindow(OwnerWindow, TRUE);
        ::SetForegroundWindow(OwnerWindow);
    }
    UnhookSetupWindow(setupWindow);
    setup.Unload();
    forms::EndProgram(RunExitCode());
}

void RunSaver() {
    if (!PreviewHadOwner)
        forms::SaveSetting(AppTitle, kSettingsSection, kActiveSetupKey, kNoPreview);
    fclock clock;
    // A window that the system refuses (the clock, a cover, About) ends the run: nothing could
    // ask for the end without it, or the screen would stay partly uncovered.
    if (clock.Load()) {
        HookSaverWindow(clock.hWnd());
        ::SystemParametersInfoA(kSpiSetScreenSaverRunning, TRUE, nullptr, 0);
        // The other monitors go black too; the clock is made topmost after them, so it stays in front.
        clock.Covers.Show(CoveringRects(MonitorRects(), PrimaryScreenRect()));
        clock.Show();
        HideMouseCursor();
        MakeTopMost(clock.hWnd());
        while (!EndRequested && !forms::WindowCreationFailed())
            forms::WaitAndDoEvents();
    }
    // Ended without a request, by a refused window: as a key would, the cursor back and the flag raised.
    if (!EndRequested)
        EndSaver();
    ::SystemParametersInfoA(kSpiSetScreenSaverRunning, FALSE, nullptr, 0);
    UnhookSaverWindow(clock.hWnd());
    clock.Unload();
    clock.Covers.Unload();
    forms::EndProgram(RunExitCode());
}

}  // namespace zelvane
