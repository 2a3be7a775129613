// The preview driver's layout and its drawing pass, for the driver and for a benchmark
// that draws a week of passes without the pause between them.
#pragma once

#include "forms/win.h"

namespace zelvane {

// Sets the preview layout globals for the preview window's client rectangle.
void SetPreviewLayout(const RECT& client);

// One pass's drawing: a new brush, pen and font, the clock tick (which draws when the
// second has changed), and the frame put on the screen.
void DrawPreviewPass(HDC hDC);

// A pass of the preview loop up to the questions of the watch: the drawing, then the pause
// (pumping events) until just after the next second of the clock that Now reads begins.
void PreviewPass(HDC hDC);

}  // namespace zelvane
