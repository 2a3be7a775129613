// The GDI drawing layer on real device contexts: the context gets its own objects back,
// the layer's brush, pen and font are replaced without leaking, and the font is the bold
// Arial of the requested size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawing/graphical.h"
#include "tests/win/gdi_headroom.h"

namespace zelvane {
namespace {

using testing_support::GdiHeadroom;

constexpr wchar_t kWindowClass[] = L"ZelvaneGraphicalTest";
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kPoints = 18;
constexpr int kPointsPerInch = 72;
constexpr int kStandardDpi = 96;
constexpr int kSoakPasses = 10000;
constexpr int kTestWindowSize = 64;

// A window with its own device context: every GetDC returns the same context, which
// keeps what was selected into it, so what the layer leaves behind can be seen.
class OwnDcWindow {
public:
    OwnDcWindow() {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.style = CS_OWNDC;
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = kWindowClass;
            return ::RegisterClassW(&wc);
        }();
        (void)atom;
        hWnd_ = ::CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, kTestWindowSize, kTestWindowSize, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        hDC_ = ::GetDC(hWnd_);
        // The context's "own" objects: made here, so none of them is a stock object that
        // a faulty layer could hand back by chance.
        brush_ = ::CreateSolidBrush(kBlue);
        pen_ = ::CreatePen(PS_DASH, 1, kGreen);
        LOGFONTA lf = {};
        lf.lfHeight = -11;
        std::strcpy(lf.lfFaceName, "Courier New");
        font_ = ::CreateFontIndirectA(&lf);
        ::SelectObject(hDC_, brush_);
        ::SelectObject(hDC_, pen_);
        ::SelectObject(hDC_, font_);
    }
    ~OwnDcWindow() {
        ::SelectObject(hDC_, ::GetStockObject(WHITE_BRUSH));
        ::SelectObject(hDC_, ::GetStockObject(BLACK_PEN));
        ::SelectObject(hDC_, ::GetStockObject(SYSTEM_FONT));
        ::DeleteObject(brush_);
        ::DeleteObject(pen_);
        ::DeleteObject(font_);
        ::ReleaseDC(hWnd_, hDC_);
        ::DestroyWindow(hWnd_);
    }
    OwnDcWindow(const OwnDcWindow&) = delete;
    OwnDcWindow& operator=(const OwnDcWindow&) = delete;

    HWND hWnd() const { return hWnd_; }
    HDC hDC() const { return hDC_; }
    HGDIOBJ Brush() const { return brush_; }
    HGDIOBJ Pen() const { return pen_; }
    HGDIOBJ Font() const { return font_; }

    HGDIOBJ Current(UINT type) const { return ::GetCurrentObject(hDC_, type); }
    bool HoldsItsOwnObjects() const {
        return Current(OBJ_BRUSH) == brush_ && Current(OBJ_PEN) == pen_ && Current(OBJ_FONT) == font_;
    }

private:
    HWND hWnd_ = nullptr;
    HDC hDC_ = nullptr;
    HBRUSH brush_ = nullptr;
    HPEN pen_ = nullptr;
    HFONT font_ = nullptr;
};

// Whether a replaced object lives on. Handle values are recycled, so one that has come
// back as the context's current object is the new object, not the old one.
int StillAlive(const OwnDcWindow& w, HGDIOBJ replaced) {
    if (replaced == w.Current(OBJ_BRUSH) || replaced == w.Current(OBJ_PEN) || replaced == w.Current(OBJ_FONT))
        return 0;
    return ::GetObjectType(replaced) != 0 ? 1 : 0;
}

LOGFONTA SelectedFont(HDC hDC) {
    LOGFONTA lf = {};
    ::GetObjectA(::GetCurrentObject(hDC, OBJ_FONT), sizeof lf, &lf);
    return lf;
}

COLORREF SelectedBrushColor(HDC hDC) {
    LOGBRUSH lb = {};
    ::GetObjectA(::GetCurrentObject(hDC, OBJ_BRUSH), sizeof lb, &lb);
    return lb.lbColor;
}

LOGPEN SelectedPen(HDC hDC) {
    LOGPEN lp = {};
    ::GetObjectA(::GetCurrentObject(hDC, OBJ_PEN), sizeof lp, &lp);
    return lp;
}

TEST(GraphicalLayer, ContextGetsExactlyItsOwnObjectsBackAndNothingStaysAlive) {
    OwnDcWindow w;
    const int headroom = GdiHeadroom();
    HDC hDC = GraphBegin(w.hWnd(), kRed, kBlue, 1);
    ASSERT_EQ(hDC, w.hDC());
    EXPECT_NE(w.Current(OBJ_BRUSH), w.Brush());
    EXPECT_EQ(SelectedBrushColor(hDC), kRed);
    EXPECT_EQ(SelectedPen(hDC).lopnColor, kBlue);

    GraphSetBrushPen(hDC, kGreen, kRed, 3);
    EXPECT_EQ(SelectedBrushColor(hDC), kGreen);
    EXPECT_EQ(SelectedPen(hDC).lopnColor, kRed);
    EXPECT_EQ(SelectedPen(hDC).lopnWidth.x, 3);
    EXPECT_EQ(SelectedPen(hDC).lopnStyle, static_cast<UINT>(PS_SOLID));
    GraphSetFont(hDC, kPoints);
    GraphSetFont(hDC, kPoints);
    EXPECT_EQ(GdiHeadroom(), headroom - 3) << "one brush, one pen and one font while open";

    GraphEnd(w.hWnd(), hDC);
    EXPECT_TRUE(w.HoldsItsOwnObjects());
    EXPECT_EQ(GdiHeadroom(), headroom);
}

TEST(GraphicalLayer, NoBrushColourCreatesNoBrushUntilTheFirstReplacement) {
    OwnDcWindow w;
    const int headroom = GdiHeadroom();
    HDC hDC = GraphBegin(w.hWnd(), kNoBrush, kBlue, 1);
    EXPECT_EQ(w.Current(OBJ_BRUSH), w.Brush());
    EXPECT_EQ(GdiHeadroom(), headroom - 1) << "only the pen";

    GraphSetBrushPen(hDC, kGreen, kBlue, 1);
    EXPECT_NE(w.Current(OBJ_BRUSH), w.Brush());
    EXPECT_EQ(SelectedBrushColor(hDC), kGreen);
    EXPECT_NE(::GetObjectType(w.Brush()), 0u) << "the context's own brush was deleted";
    EXPECT_EQ(GdiHeadroom(), headroom - 2);

    GraphEnd(w.hWnd(), hDC);
    EXPECT_TRUE(w.HoldsItsOwnObjects());
    EXPECT_EQ(GdiHeadroom(), headroom);
}

TEST(GraphicalLayer, SecondFontReplacesAndDeletesTheFirst) {
    OwnDcWindow w;
    HDC hDC = GraphBegin(w.hWnd(), kRed, kBlue, 1);
    GraphSetFont(hDC, kPoints);
    const HGDIOBJ first = w.Current(OBJ_FONT);
    ASSERT_NE(first, w.Font());
    GraphSetFont(hDC, kPoints);
    const HGDIOBJ second = w.Current(OBJ_FONT);
    EXPECT_NE(second, first);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the first font is still alive";
    EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
    GraphEnd(w.hWnd(), hDC);
    EXPECT_EQ(::GetObjectType(second), 0u);
    EXPECT_TRUE(w.HoldsItsOwnObjects());
}

TEST(GraphicalLayer, FontIsBoldArialWithTheEmHeightOfThePointSize) {
    OwnDcWindow w;
    HDC hDC = GraphBegin(w.hWnd(), kRed, kBlue, 1);
    const int dpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    GraphSetFont(hDC, kPoints);
    const LOGFONTA lf = SelectedFont(hDC);
    EXPECT_EQ(lf.lfHeight, -::MulDiv(kPoints, dpi, kPointsPerInch));
    if (dpi == kStandardDpi) {
        EXPECT_EQ(lf.lfHeight, -24);
    }
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(lf.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_EQ(lf.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(lf.lfPitchAndFamily, DEFAULT_PITCH | FF_DONTCARE);
    const char expectedFace[LF_FACESIZE] = "Arial";  // the rest zero
    EXPECT_EQ(std::memcmp(lf.lfFaceName, expectedFace, LF_FACESIZE), 0);

    // Zero points leave the height to the font mapper.
    GraphSetFont(hDC, 0);
    EXPECT_EQ(SelectedFont(hDC).lfHeight, 0);
    GraphEnd(w.hWnd(), hDC);
}

TEST(GraphicalLayer, AnsiByteAtGivesTheCodeOrZeroOutsideTheText) {
    EXPECT_EQ(AnsiByteAt(1, "Arial"), 65);
    EXPECT_EQ(AnsiByteAt(5, "Arial"), 'l');
    EXPECT_EQ(AnsiByteAt(6, "Arial"), 0);
    EXPECT_EQ(AnsiByteAt(0, "Arial"), 0);
    EXPECT_EQ(AnsiByteAt(-3, "Arial"), 0);
    EXPECT_EQ(AnsiByteAt(1, "\xE9t\xE9"), 0xE9);  // a code above 127 is not sign-extended
}

// The preview replaces all three objects once a second; hours of that must hold the
// number of live objects steady: every object a replacement takes out is deleted. Over
// so many replacements the handle values run through their reuse counts, including
// those with the top bit set.
TEST(GraphicalLayer, TenThousandReplacementsLeaveNoObjectBehind) {
    OwnDcWindow w;
    const int headroom = GdiHeadroom();
    HDC hDC = GraphBegin(w.hWnd(), kRed, kBlue, 1);
    GraphSetBrushPen(hDC, kGreen, kBlue, 1);
    GraphSetFont(hDC, kPoints);
    const int whileOpen = GdiHeadroom();
    int survivors = 0;
    for (int i = 0; i < kSoakPasses; ++i) {
        const HGDIOBJ brush = w.Current(OBJ_BRUSH), pen = w.Current(OBJ_PEN), font = w.Current(OBJ_FONT);
        GraphSetBrushPen(hDC, static_cast<COLORREF>(i & 0xFFFFFF), kBlue, 1 + i % 3);
        GraphSetFont(hDC, kPoints);
        survivors += StillAlive(w, brush) + StillAlive(w, pen) + StillAlive(w, font);
    }
    EXPECT_EQ(survivors, 0) << "replaced objects left alive";
    EXPECT_EQ(GdiHeadroom(), whileOpen);
    EXPECT_EQ(SelectedBrushColor(hDC), static_cast<COLORREF>((kSoakPasses - 1) & 0xFFFFFF));
    EXPECT_EQ(SelectedFont(hDC).lfWeight, FW_BOLD);
    GraphEnd(w.hWnd(), hDC);
    EXPECT_TRUE(w.HoldsItsOwnObjects());
    EXPECT_EQ(GdiHeadroom(), headroom);
}

// Preview mode without a window draws on no context at all: the objects made for it
// must not pile up either.
TEST(GraphicalLayer, ReplacementsOnANullContextLeakNothing) {
    const int headroom = GdiHeadroom();
    for (int i = 0; i < 100; ++i) {
        GraphSetBrushPen(nullptr, kGreen, kBlue, 1);
        GraphSetFont(nullptr, kPoints);
    }
    EXPECT_GE(GdiHeadroom(), headroom - 3);
    GraphEnd(nullptr, nullptr);
    EXPECT_EQ(GdiHeadroom(), headroom);
}

// The layer's state is process-wide: a context opened after another was closed must
// get its own objects back, not the first context's.
TEST(GraphicalLayer, LaterContextGetsItsOwnObjectsBackNotAnEarlierOnes) {
    OwnDcWindow first;
    HDC hDC = GraphBegin(first.hWnd(), kRed, kBlue, 1);
    GraphSetBrushPen(hDC, kGreen, kBlue, 1);
    GraphSetFont(hDC, kPoints);
    GraphEnd(first.hWnd(), hDC);
    ASSERT_TRUE(first.HoldsItsOwnObjects());

    // The first context's objects are still alive, so a stale record of them would
    // be selected into the second context without any error.
    OwnDcWindow second;
    const int headroom = GdiHeadroom();
    hDC = GraphBegin(second.hWnd(), kNoBrush, kBlue, 1);
    GraphSetBrushPen(hDC, kGreen, kBlue, 1);
    GraphSetFont(hDC, kPoints);
    GraphEnd(second.hWnd(), hDC);
    EXPECT_TRUE(second.HoldsItsOwnObjects());
    EXPECT_TRUE(first.HoldsItsOwnObjects());
    EXPECT_EQ(GdiHeadroom(), headroom);
}

}  // namespace
}  // namespace zelvane
