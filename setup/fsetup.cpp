// The configuration window.
#include "setup/fsetup.h"

#include "runcontrol/run_control.h"
#include "program/globals.h"

namespace zelvane {
namespace {

// Stored properties (twips, points).
constexpr char kStoredCaption[] = "Form1";
constexpr int32_t kClientWidthTw = 5880;
constexpr int32_t kClientHeightTw = 3135;
constexpr int32_t kLabelLeftTw = 1140, kLabelTopTw = 1200, kLabelWidthTw = 3495, kLabelHeightTw = 360;
constexpr char kLabelCaption[] = "Nothing to do for setup";
constexpr float kLabelPoints = 15.75f;

forms::FormSpec SetupSpec() {
    forms::FormSpec spec;
    spec.border = forms::BorderStyle::kFixedSingle;
    spec.caption = kStoredCaption;
    spec.clientWidthTw = kClientWidthTw;
    spec.clientHeightTw = kClientHeightTw;
    spec.backColor = forms::SystemColor(COLOR_BTNFACE);
    // A small settings window: close and minimise, no maximise. Centred on the screen;
    // the configure driver moves it over its owner window when it has one.
    spec.minButton = true;
    spec.maxButton = false;
    spec.startPosition = forms::StartPosition::kCenterScreen;
    return spec;
}

}  // namespace

fsetup::fsetup() : forms::Form(SetupSpec()) {
    Add(Label1);
    forms::FontSpec font;
    font.face = "Arial";
    font.points = kLabelPoints;
    font.weight = FW_BOLD;
    Label1.Move(kLabelLeftTw, kLabelTopTw, kLabelWidthTw, kLabelHeightTw);
    Label1.SetFont(font);
    Label1.SetForeColor(forms::SystemColor(COLOR_BTNTEXT));
    Label1.SetBackColor(forms::SystemColor(COLOR_BTNFACE));
    Label1.SetCaption(kLabelCaption);
    Label1.SetAutoSize(true);
}

void fsetup::Form_Load() {
    SetCaption(AppTitle);
}

void fsetup::Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
    (void)cancel;
    (void)unloadMode;
    EndRequested = kTrue;
}

}  // namespace zelvane
