// The preview driver: draws the clock face into the host's preview window once a
// second while that window lives and the display-settings dialog has this saver
// selected.
#include <string>

#include "clock/clock_face.h"
#include "core/bool16.h"
#include "core/clock_phase.h"
#include "core/command_line.h"
#include "core/dialog_patience.h"
#include "core/name_match.h"
#include "core/numeric.h"
#include "core/preview_layout.h"
#include "drawing/graphical.h"
#include "forms/runtime.h"
#include "forms/settings.h"
#include "host/settings_watch.h"
#include "runcontrol/run_control.h"
#include "program/globals.h"
#include "startup/main.h"
#include "startup/preview.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

constexpr int32_t kFacePenWidth = 1;
constexpr int32_t kFacePoints = 18;
constexpr float kMsPerSecondF = 1000.0f;

void WriteActiveSetup(const std::string& value) {
    forms::SaveSetting(AppTitle, kSettingsSection, kActiveSetupKey, value);
}

// The display-settings dialog: three parent levels above the preview window.
HWND SettingsDialogOf(HWND previewWindow) {
    HWND p1 = ::GetParent(previewWindow);
    if (!p1)
        return nullptr;
    HWND p2 = ::GetParent(p1);
    if (!p2)
        return nullptr;
    return ::GetParent(p2);
}

// Puts the pass's drawing on the screen before the pause. GDI may batch drawing calls,
// and some display drivers (Wine's X11 driver among them) hold drawing into another
// process's window back while the context stays open, which here is the whole run.
// Reading a pixel back makes the driver finish what it holds.
void PresentFrame(HDC hDC) {
    ::GdiFlush();
    if (hDC)
        ::GetPixel(hDC, 0, 0);
}

}  // namespace

void SetPreviewLayout(const RECT& client) {
    const PreviewLayout layout =
        ComputePreviewLayout(CheckedSub32(client.right, client.left), CheckedSub32(client.bottom, client.top),
                             TwipsPerPixelX, TwipsPerPixelY);
    PreviewWidthTw = layout.PreviewWidthTw;
    PreviewHeightTw = layout.PreviewHeightTw;
    FaceLeftTw = layout.FaceLeftTw;
    FaceTopTw = layout.FaceTopTw;
}

void DrawPreviewPass(HDC hDC) {
    GraphSetBrushPen(hDC, FaceFillColor, FaceInkColor, kFacePenWidth);
    ::SetTextColor(hDC, FaceInkColor);
    GraphSetFont(hDC, kFacePoints);
    ClockTick(hDC);
    PresentFrame(hDC);
}

void PreviewPass(HDC hDC) {
    DrawPreviewPass(hDC);
    // About a second: until the clock's next second has just begun, however long this pass
    // took, so that the passes keep step with the clock and every second is drawn.
    Pause(static_cast<float>(MsUntilAfterNextBoundary(forms::ClockMilliseconds(), kMsPerSecond, kPassLagMs)) /
          kMsPerSecondF);
}

void RunPreview(const std::string& upperText) {
    // "/P" with no blank names no window: there is nothing to draw into and no run
    // to record, so the program ends without touching the settings.
    if (!HasPreviewHandleText(upperText))
        forms::EndProgram();

    const int32_t previewNumber = PreviewHandle(upperText);
    const HWND PreviewWindow = HandleFromNumber(previewNumber);
    const std::string SaverName = SaverNameFromBaseName(forms::ExeBaseName());
    HWND SettingsDialogWindow = nullptr;
    RECT client = {0, 0, 0, 0};
    HDC hDC = nullptr;

    if (PreviewWindow) {
        WriteActiveSetup(std::to_string(previewNumber));
        SettingsDialogWindow = SettingsDialogOf(PreviewWindow);
        ::GetClientRect(PreviewWindow, &client);
        hDC = GraphBegin(PreviewWindow, StartBrushColor, FaceInkColor, kFacePenWidth);
    }
    SetPreviewLayout(client);
    ::SetBkMode(hDC, TRANSPARENT);

    Bool16 alive = kFalse;
    Bool16 shown = kFalse;
    // A dialog that does not answer for a moment keeps its preview; one that stays silent
    // ends it as a closed dialog would, so that no preview hangs on with its record.
    DialogPatience patience(::GetTickCount());
    HWND watchedList = nullptr;
    do {
        PreviewPass(hDC);
        // Both are asked on every pass.
        alive = ::IsWindow(PreviewWindow) ? kTrue : kFalse;
        const DialogAnswer answer = SaverSelection(SettingsDialogWindow, SaverName, &watchedList);
        shown = patience.GoesOn(answer, ::GetTickCount()) ? kTrue : kFalse;
    } while (alive && shown);

    WriteActiveSetup(kNoPreview);
    GraphEnd(PreviewWindow, hDC);
    forms::EndProgram();
}

}  // namespace zelvane
