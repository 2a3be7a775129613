// The preview's clock face drawn for real into a window of the test, set up the way
// preview mode sets up its context, and read back pixel by pixel; the preview's passes
// keeping step with the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "clock/clock_face.h"
#include "core/preview_layout.h"
#include "drawing/graphical.h"
#include "forms/runtime.h"
#include "program/globals.h"
#include "startup/preview.h"
#include "tests/win/supplied_clock.h"
#include "tests/win/test_support.h"

namespace zelvane {
namespace {

constexpr wchar_t kWindowClass[] = L"ZelvaneClockFaceTest";
constexpr int kWidth = 152, kHeight = 112;  // the usual preview window
constexpr int kWindowX = 40, kWindowY = 40;
constexpr COLORREF kBackground = RGB(0, 128, 128);
constexpr uint32_t kYellowPixel = 0xFFFF00;  // 0x00RRGGBB in a 32-bit DIB
constexpr uint32_t kBlackPixel = 0x000000;
constexpr uint32_t kBackgroundPixel = 0x008080;
constexpr int kFacePoints = 18;
constexpr DWORD kPollMs = 5;
constexpr int kAttempts = 3;

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Empty() const { return right <= left; }
};

class Image {
public:
    explicit Image(std::vector<uint32_t> pixels) : pixels_(std::move(pixels)) {}
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF; }
    bool operator==(const Image& other) const { return pixels_ == other.pixels_; }

    // Bounding box of the pixels of one colour, optionally only where `except` differs.
    Box BoxOf(uint32_t color, const Image* except = nullptr) const {
        Box box;
        bool any = false;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (At(x, y) != color || (except && except->At(x, y) == color))
                    continue;
                if (!any) {
                    box = {x, y, x + 1, y + 1};
                    any = true;
                }
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
        return box;
    }

private:
    std::vector<uint32_t> pixels_;
};

class ClockFace : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = kWindowClass;
            return ::RegisterClassW(&wc);
        }();
        (void)atom;
        hWnd_ = ::CreateWindowExW(WS_EX_TOPMOST, kWindowClass, L"", WS_POPUP | WS_VISIBLE, kWindowX, kWindowY, kWidth,
                                  kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(hWnd_, nullptr);
        forms::DoEvents();

        saved_ = {TwipsPerPixelX, TwipsPerPixelY, PreviewWidthTw, PreviewHeightTw, FaceLeftTw, FaceTopTw};
        TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
        TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
        RECT client;
        ::GetClientRect(hWnd_, &client);
        layout_ = ComputePreviewLayout(client.right, client.bottom, TwipsPerPixelX, TwipsPerPixelY);
        PreviewWidthTw = layout_.PreviewWidthTw;
        PreviewHeightTw = layout_.PreviewHeightTw;
        FaceLeftTw = layout_.FaceLeftTw;
        FaceTopTw = layout_.FaceTopTw;

        // As preview mode sets up its context before every tick.
        hDC_ = GraphBegin(hWnd_, StartBrushColor, kYellow, 1);
        ::SetBkMode(hDC_, TRANSPARENT);
        GraphSetBrushPen(hDC_, kBlack, kYellow, 1);
        ::SetTextColor(hDC_, kYellow);
        GraphSetFont(hDC_, kFacePoints);
        // The last second starts at 0, so a process's first tick in second 0 of a minute
        // draws nothing: one tick here, and every test's next second draws.
        ClockTick(hDC_);
        Clear();
    }

    void TearDown() override {
        GraphEnd(hWnd_, hDC_);
        ::DestroyWindow(hWnd_);
        TwipsPerPixelX = saved_.twipsX;
        TwipsPerPixelY = saved_.twipsY;
        PreviewWidthTw = saved_.widthTw;
        PreviewHeightTw = saved_.heightTw;
        FaceLeftTw = saved_.faceLeftTw;
        FaceTopTw = saved_.faceTopTw;
    }

    void Clear() {
        RECT rc = {0, 0, kWidth, kHeight};
        HBRUSH brush = ::CreateSolidBrush(kBackground);
        ::FillRect(hDC_, &rc, brush);
        ::DeleteObject(brush);
    }

    Image Capture() { return Image(testing_support::CaptureDC(hDC_, {0, 0, kWidth, kHeight})); }

    // Returns right after the present second has changed.
    static double WaitForNextSecond() {
        const double start = forms::Now();
        double now = start;
        while (now == start) {
            ::Sleep(kPollMs);
            now = forms::Now();
        }
        return now;
    }

    struct Saved {
        int16_t twipsX, twipsY;
        int32_t widthTw, heightTw;
        double faceLeftTw, faceTopTw;
    } saved_ = {};
    HWND hWnd_ = nullptr;
    HDC hDC_ = nullptr;
    PreviewLayout layout_;
};

TEST_F(ClockFace, FaceIsAYellowRingedBlackDiscEightPixelsShorterThanTheAreaAndCentred) {
    Clear();
    DrawClockFace(hDC_);
    const Image face = Capture();
    const Box ring = face.BoxOf(kYellowPixel);
    EXPECT_EQ(ring.bottom - ring.top, kHeight - 8);
    EXPECT_EQ(ring.right - ring.left, kHeight - 8) << "a circle";
    EXPECT_EQ(ring.left, kWidth - ring.right) << "centred across";
    EXPECT_EQ(ring.top, kHeight - ring.bottom) << "centred down";
    EXPECT_EQ(face.At(kWidth / 2, kHeight / 2), kBlackPixel);
    EXPECT_EQ(face.At(ring.left + 2, ring.top + 2), kBackgroundPixel) << "a disc, not a box";
    EXPECT_EQ(face.At(2, 2), kBackgroundPixel);
}

TEST_F(ClockFace, TickDrawsTheFaceAndTheTimeCentredOnIt) {
    Clear();
    DrawClockFace(hDC_);
    const Image face = Capture();
    Clear();
    WaitForNextSecond();
    ClockTick(hDC_);
    const Image tick = Capture();

    EXPECT_EQ(tick.BoxOf(kYellowPixel).left, face.BoxOf(kYellowPixel).left) << "the face is drawn by the tick";
    const Box text = tick.BoxOf(kYellowPixel, &face);
    ASSERT_FALSE(text.Empty()) << "no time text";
    EXPECT_NEAR(text.left + text.right, kWidth, 6) << "centred across";
    EXPECT_NEAR(text.top + text.bottom, kHeight, 8) << "centred down";
    const Box ring = face.BoxOf(kYellowPixel);
    EXPECT_GT(text.left, ring.left);
    EXPECT_LT(text.right, ring.right);
    EXPECT_GT(text.right - text.left, (ring.right - ring.left) / 2) << "eight characters of 18 points";
}

TEST_F(ClockFace, DrawsOnceASecondWhateverTheNumberOfCalls) {
    bool checked = false;
    for (int attempt = 0; attempt < kAttempts && !checked; ++attempt) {
        const double second = WaitForNextSecond();
        ClockTick(hDC_);
        const Image first = Capture();
        Clear();
        ClockTick(hDC_);
        const Image again = Capture();
        if (forms::Now() != second)
            continue;  // the second turned during the check: try again
        checked = true;
        EXPECT_FALSE(first.BoxOf(kYellowPixel).Empty());
        EXPECT_TRUE(again.BoxOf(kYellowPixel).Empty()) << "drew twice in one second";
    }
    ASSERT_TRUE(checked);

    Clear();
    DrawClockFace(hDC_);
    const Image face = Capture();
    ClockTick(hDC_);  // still the same second, most likely; draws nothing either way
    WaitForNextSecond();
    ClockTick(hDC_);
    const Image next = Capture();
    WaitForNextSecond();
    ClockTick(hDC_);
    const Image later = Capture();
    EXPECT_FALSE(next.BoxOf(kYellowPixel, &face).Empty()) << "the next second draws again";
    EXPECT_FALSE(next == later) << "the time shown moves on";
}

// The passes as the preview runs them, a drawing and then the pause before the next: each
// new second is drawn once, soon after it begins, none skipped, also once the clock has
// been set forward or back (the pass in which it was set phases the next one anew).
TEST_F(ClockFace, PassesDrawEverySecondSoonAfterItBeginsWhateverTheClockIsSetTo) {
    constexpr int64_t kHourMs = 3600000;
    constexpr int32_t kSoonMs = 250;  // generous for a loaded machine; the benchmark has the figures
    constexpr int kPasses = 3, kSecondsAMinute = 60;
    const Color savedFill = FaceFillColor, savedInk = FaceInkColor;
    FaceFillColor = kBlack;
    FaceInkColor = kYellow;
    testing_support::ShiftedClock clock;
    for (int64_t shift : {int64_t{0}, kHourMs + 300, -kHourMs - 700}) {
        clock.Shift(shift);
        PreviewPass(hDC_);
        for (int pass = 0; pass < kPasses; ++pass) {
            const int16_t before = ClockSecond;
            const int32_t drawnAtMs = clock.Milliseconds();  // a pass draws first
            Clear();
            PreviewPass(hDC_);
            EXPECT_FALSE(Capture().BoxOf(kYellowPixel).Empty()) << "shift " << shift << ": the pass drew nothing";
            EXPECT_EQ(ClockSecond, (before + 1) % kSecondsAMinute) << "shift " << shift << ": a second skipped";
            EXPECT_LT(drawnAtMs, kSoonMs) << "shift " << shift << ": second " << ClockSecond << " drawn late";
        }
    }
    FaceFillColor = savedFill;
    FaceInkColor = savedInk;
}

}  // namespace
}  // namespace zelvane
