// The preview's clock face: a filled disc with the time of day centred on it, drawn
// into a device context whose brush, pen, font, text colour and background mode the
// caller has set.
#pragma once

#include <cstdint>

#include "forms/win.h"

namespace zelvane {

// Module state, kept for the life of the process.
extern double DayTime;       // time of day of the latest sample, as a fraction of a day
extern int16_t ClockSecond;  // second (0..59) of the latest sample
extern int16_t LastSecond;   // second of the sample before

// Samples the time; draws the face and then the time when the second has changed.
void ClockTick(HDC hDC);
void DrawClockFace(HDC hDC);
void DrawClockTime(HDC hDC);

}  // namespace zelvane
