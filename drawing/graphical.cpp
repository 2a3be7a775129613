// The GDI drawing layer.
#include "drawing/graphical.h"

#include <algorithm>
#include <climits>

#include "core/bool16.h"
#include "core/numeric.h"

namespace zelvane {

HBRUSH CurBrush = nullptr;
HPEN CurPen = nullptr;
HFONT CurFont = nullptr;
HGDIOBJ SavedObj[kSavedSlotCount] = {nullptr, nullptr, nullptr};

namespace {

constexpr int kPenStyle = PS_SOLID;
constexpr int kPointsPerInch = 72;
constexpr char kFaceName[] = "Arial";
// lfFaceName holds LF_FACESIZE bytes; the last one stays the terminating zero.
constexpr int kFaceNameMaxChars = LF_FACESIZE - 1;

struct FontSpec {
    std::string Name;
    float Size = 0;
    Bool16 Bold = kFalse;
    Bool16 Italic = kFalse;
};

// Any non-zero handle is present. GDI handle values carry a reuse count in their top
// bits and so are often "negative" as 32-bit numbers; skipping those would leave such
// an object undeleted and the context without its own object back.
bool IsPresent(HGDIOBJ handle) {
    return handle != nullptr;
}

// Puts the context's own object of one kind back and deletes the layer's object of
// that kind. The layer's object is deleted even when no saved object was recorded
// (the select failed, say on a null context): it is then selected nowhere, and
// keeping it would leak one object per replacement.
void RestoreAndDelete(HDC hDC, SavedSlot slot, HGDIOBJ current) {
    if (IsPresent(SavedObj[slot]))
        ::SelectObject(hDC, SavedObj[slot]);
    if (IsPresent(current))
        ::DeleteObject(current);
}

LOGFONTA LogFontOf(HDC hDC, const FontSpec& spec) {
    LOGFONTA font = {};
    font.lfHeight = -::MulDiv(ToInt32(spec.Size), ::GetDeviceCaps(hDC, LOGPIXELSY), kPointsPerInch);
    font.lfWidth = 0;
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    font.lfWeight = spec.Bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = static_cast<BYTE>(spec.Italic < 0 ? -spec.Italic : spec.Italic);
    font.lfUnderline = 0;
    font.lfStrikeOut = 0;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    for (int i = 0; i < kFaceNameMaxChars; ++i)
        font.lfFaceName[i] = static_cast<CHAR>(AnsiByteAt(static_cast<int16_t>(i + 1), spec.Name));
    font.lfFaceName[kFaceNameMaxChars] = '\0';
    return font;
}

}  // namespace

HDC GraphBegin(HWND hWnd, Color brushColor, Color penColor, int32_t penWidth) {
    HDC hDC = ::GetDC(hWnd);
    if (brushColor != kNoBrush) {
        CurBrush = ::CreateSolidBrush(brushColor);
        SavedObj[kSavedBrush] = ::SelectObject(hDC, CurBrush);
    }
    CurPen = ::CreatePen(kPenStyle, penWidth, penColor);
    SavedObj[kSavedPen] = ::SelectObject(hDC, CurPen);
    return hDC;
}

void GraphSetBrushPen(HDC hDC, Color brushColor, Color penColor, int32_t penWidth) {
    RestoreAndDelete(hDC, kSavedPen, CurPen);
    CurPen = nullptr;
    RestoreAndDelete(hDC, kSavedBrush, CurBrush);
    CurBrush = nullptr;
    // The context's own objects are selected again now, so the selects below return
    // them and the slots go on holding them.
    CurBrush = ::CreateSolidBrush(brushColor);
    SavedObj[kSavedBrush] = ::SelectObject(hDC, CurBrush);
    CurPen = ::CreatePen(kPenStyle, penWidth, penColor);
    SavedObj[kSavedPen] = ::SelectObject(hDC, CurPen);
}

void GraphSetFont(HDC hDC, int32_t points) {
    FontSpec spec;
    spec.Name = kFaceName;
    spec.Size = static_cast<float>(points);
    spec.Bold = kTrue;
    spec.Italic = kFalse;
    const LOGFONTA font = LogFontOf(hDC, spec);
    RestoreAndDelete(hDC, kSavedFont, CurFont);
    CurFont = nullptr;
    CurFont = ::CreateFontIndirectA(&font);
    SavedObj[kSavedFont] = ::SelectObject(hDC, CurFont);
}

void GraphEllipse(HDC hDC, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    ::Ellipse(hDC, left, top, right, bottom);
}

void GraphTextOut(HDC hDC, int32_t x, int32_t y, const std::string& text) {
    // The text is held in the system's ANSI code page already; its length in bytes is
    // what TextOutA counts.
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
    ::TextOutA(hDC, x, y, text.data(), length);
}

void GraphEnd(HWND hWnd, HDC hDC) {
    if (IsPresent(SavedObj[kSavedFont]))
        ::SelectObject(hDC, SavedObj[kSavedFont]);
    if (IsPresent(SavedObj[kSavedPen]))
        ::SelectObject(hDC, SavedObj[kSavedPen]);
    if (IsPresent(SavedObj[kSavedBrush]))
        ::SelectObject(hDC, SavedObj[kSavedBrush]);
    if (IsPresent(CurFont))
        ::DeleteObject(CurFont);
    if (IsPresent(CurPen))
        ::DeleteObject(CurPen);
    if (IsPresent(CurBrush))
        ::DeleteObject(CurBrush);
    ::ReleaseDC(hWnd, hDC);
    // The handles are dead and the slots belong to the released context: a later
    // context must start empty, or it would delete a dead handle and restore
    // another context's objects.
    CurBrush = nullptr;
    CurPen = nullptr;
    CurFont = nullptr;
    std::fill(std::begin(SavedObj), std::end(SavedObj), nullptr);
}

uint8_t AnsiByteAt(int16_t position, const std::string& text) {
    if (position < 1 || static_cast<size_t>(position) > text.size())
        return 0;
    return static_cast<uint8_t>(text[static_cast<size_t>(position) - 1]);
}

}  // namespace zelvane
