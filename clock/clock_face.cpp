// The preview's clock face.
#include "clock/clock_face.h"

#include "core/date_time.h"
#include "core/preview_layout.h"
#include "drawing/graphical.h"
#include "forms/runtime.h"
#include "program/globals.h"

namespace zelvane {

double DayTime = 0;
int16_t ClockSecond = 0;
int16_t LastSecond = 0;

namespace {

// Every digit has one width in the face's font, so this box fits every time text.
constexpr char kSampleTimeText[] = "00:00:00";
constexpr int kSampleTimeLength = sizeof kSampleTimeText - 1;

PreviewLayout CurrentLayout() {
    PreviewLayout layout;
    layout.PreviewWidthTw = PreviewWidthTw;
    layout.PreviewHeightTw = PreviewHeightTw;
    layout.FaceLeftTw = FaceLeftTw;
    layout.FaceTopTw = FaceTopTw;
    return layout;
}

}  // namespace

void ClockTick(HDC hDC) {
    // One reading stands for both: the time of day of two readings is the first's own
    // whether or not midnight came between them.
    const double reading = forms::Now();
    DayTime = DayTimeOf(reading, reading);
    LastSecond = ClockSecond;
    ClockSecond = SecondOfDayTime(DayTime);
    if (ClockSecond != LastSecond) {
        // The disc's fill wipes the previous text; the new text goes over it.
        DrawClockFace(hDC);
        DrawClockTime(hDC);
    }
}

void DrawClockFace(HDC hDC) {
    const PixelRect box = FaceEllipse(CurrentLayout(), TwipsPerPixelX, TwipsPerPixelY);
    GraphEllipse(hDC, box.left, box.top, box.right, box.bottom);
}

void DrawClockTime(HDC hDC) {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, kSampleTimeText, kSampleTimeLength, &size);
    const PixelPoint origin = TimeTextOrigin(CurrentLayout(), TwipsPerPixelX, TwipsPerPixelY, size.cx, size.cy);
    GraphTextOut(hDC, origin.x, origin.y, FormatTimeLiteralColons(DayTime));
}

}  // namespace zelvane
