// The GDI drawing layer: one brush, one pen and one font owned on one device context
// at a time, with the context's own objects put back at the end.
#pragma once

#include <cstdint>
#include <string>

#include "forms/win.h"
#include "program/globals.h"

namespace zelvane {

// The layer's module state. The handles are kept as plain values on purpose: the
// restore-then-delete order below is the whole point of the layer.
extern HBRUSH CurBrush;
extern HPEN CurPen;
extern HFONT CurFont;
// The object of each kind that the context held before the layer's own.
enum SavedSlot : int { kSavedBrush = 0, kSavedPen = 1, kSavedFont = 2, kSavedSlotCount = 3 };
extern HGDIOBJ SavedObj[kSavedSlotCount];

// Brush colour meaning "create no brush" (GraphBegin only).
inline constexpr Color kNoBrush = 0xFFFFFFFFu;

// Gets the window's device context, creates and selects the brush (unless kNoBrush)
// and the pen.
HDC GraphBegin(HWND hWnd, Color brushColor, Color penColor, int32_t penWidth);
// Replaces the layer's brush and pen with new ones.
void GraphSetBrushPen(HDC hDC, Color brushColor, Color penColor, int32_t penWidth);
// Replaces the layer's font with a bold Arial of that many points.
void GraphSetFont(HDC hDC, int32_t points);
void GraphEllipse(HDC hDC, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Draws ANSI text with its reference point at (x, y).
void GraphTextOut(HDC hDC, int32_t x, int32_t y, const std::string& text);
// Puts the context's own objects back, deletes the layer's, releases the context.
void GraphEnd(HWND hWnd, HDC hDC);

// The ANSI code of the character at the 1-based position, 0 beyond the end.
uint8_t AnsiByteAt(int16_t position, const std::string& text);

}  // namespace zelvane
