// The program at 96, 120 and 144 dpi: it declares itself DPI-aware, so its twips
// arithmetic works with the real pixels per inch and nothing is stretched or clipped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kDefaultDpi = 96;
constexpr int kYellowTolerance = 8;
constexpr DWORD kEndMs = 5000;

// The box of `color` in `area` once it is drawn: the same in two looks in a row, so that a
// paint caught half done is not measured. Empty when nothing is drawn within `timeoutMs`.
RECT WaitForColorBox(const RECT& area, COLORREF color, int tolerance, DWORD timeoutMs) {
    RECT box = {};
    WaitUntil(
        [&] {
            const RECT last = box;
            box = FindColorBox(area, color, tolerance);
            return box.right > box.left && ::EqualRect(&box, &last);
        },
        timeoutMs);
    return box;
}

// Height of the yellow glyphs of the running saver's time and date.
int SaverTextHeight(int dpi) {
    ScopedDpi scoped(dpi);
    Process saver;
    EXPECT_NE(StartSaverRun(saver, kStartMs), nullptr);
    // The first tick paints the date and the time together.
    EXPECT_TRUE(
        WaitUntil([] { return FindColorBands(ScreenRect(), kYellow, kYellowTolerance).size() == 2; }, kStartMs));
    RECT box = FindColorBox(ScreenRect(), kYellow, kYellowTolerance);
    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitExit(kEndMs));
    return box.bottom - box.top;
}

TEST(Dpi, SaverTextGrowsWithThePixelsPerInch) {
    int h96 = SaverTextHeight(kDefaultDpi);
    int h120 = SaverTextHeight(120);
    int h144 = SaverTextHeight(144);
    ASSERT_GT(h96, 50);
    // The text's size in inches stays the same, so its size in pixels follows the dpi.
    EXPECT_NEAR(static_cast<double>(h120) / h96, 1.25, 0.08);
    EXPECT_NEAR(static_cast<double>(h144) / h96, 1.5, 0.08);
}

std::string DpiName(const ::testing::TestParamInfo<int>& info) {
    return "At" + std::to_string(info.param) + "Dpi";
}

// The client area on screen, after checking that it keeps its stored size in inches.
RECT ClientAreaOfStoredSize(HWND hWnd, int twipsPerPixel, int widthTw, int heightTw) {
    const RECT area = ClientRectOnScreen(hWnd);
    EXPECT_NEAR(area.right - area.left, widthTw / twipsPerPixel, 1);
    EXPECT_NEAR(area.bottom - area.top, heightTw / twipsPerPixel, 1);
    return area;
}

class SetupAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(SetupAtDpi, KeepsItsClientSizeInInchesAndShowsTheWholeLabel) {
    const int dpi = GetParam();
    ScopedDpi scoped(dpi);
    KillStraySavers();
    Process setup = StartSaver("/C");
    HWND w = WaitForWindow(setup.Pid(), kFormClass, "Zelvane", kStartMs);
    ASSERT_NE(w, nullptr);
    const int tpp = TwipsPerPixelAt(dpi);
    const RECT area = ClientAreaOfStoredSize(w, tpp, 5880, 3135);
    // The label's dark text lies inside the client area with a margin all round, once the
    // dialog is painted.
    ASSERT_TRUE(
        WaitUntil([&] { return ScreenPixel(area.left + 1, area.top + 1) == ::GetSysColor(COLOR_BTNFACE); }, kStartMs))
        << "the dialog was not painted";
    RECT text = WaitForColorBox(area, ::GetSysColor(COLOR_BTNTEXT), 40, kStartMs);
    ASSERT_GT(text.right - text.left, 0) << "no label text found";
    EXPECT_GT(text.left, area.left);
    EXPECT_LT(text.right, area.right);
    EXPECT_NEAR(text.left - area.left, 1140 / tpp, 4);
    // The text's width in inches is about the same at every dpi.
    EXPECT_NEAR((text.right - text.left) * 96.0 / dpi, 3495 / 15.0, 25);
    ::PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(setup.WaitExit(3000));
}

INSTANTIATE_TEST_SUITE_P(CommonScalings, SetupAtDpi, ::testing::Values(96, 120, 144), DpiName);

class AboutAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(AboutAtDpi, KeepsItsSizeInInchesWithButtonAndLinksInside) {
    const int dpi = GetParam();
    ScopedDpi scoped(dpi);
    Process saver;
    HWND clock = StartSaverRun(saver, kStartMs);
    ASSERT_NE(clock, nullptr);
    // The run is on, its first tick painted, before the click.
    ASSERT_GT(WaitForColorBox(ScreenRect(), kYellow, kYellowTolerance, kStartMs).right, 0);
    ClickAt(20, 20, 2);
    HWND about = WaitForWindow(saver.Pid(), kFormClass, "About", kStartMs);
    ASSERT_NE(about, nullptr);
    const int tpp = TwipsPerPixelAt(dpi);
    const RECT area = ClientAreaOfStoredSize(about, tpp, 6555, 3180);
    // The OK button lies wholly inside the client area.
    HWND ok = ::FindWindowExA(about, nullptr, "Button", nullptr);
    ASSERT_NE(ok, nullptr);
    RECT button;
    ::GetWindowRect(ok, &button);
    EXPECT_GE(button.left, area.left);
    EXPECT_LE(button.right, area.right);
    EXPECT_LE(button.bottom, area.bottom);
    // The blue links start at their stored left edge and span their two text lines, inside
    // the dialog, at every dpi.
    const RECT links = WaitForColorBox(area, RGB(0, 0, 255), 40, kStartMs);
    Snapshot(("about-" + std::to_string(dpi)).c_str(), area);
    ASSERT_GT(links.right - links.left, 0) << "no link drawn";
    EXPECT_NEAR(links.left - area.left, (180 + 885) / tpp, 3);
    EXPECT_LT(links.right, area.right);
    EXPECT_GT(links.bottom - links.top, 240 / tpp) << "expected the e-mail and the web link on two lines";
    EXPECT_LT(links.bottom, button.top);
    CloseSaverRun(saver, clock, kStartMs);
    EXPECT_FALSE(::IsWindow(about));
}

INSTANTIATE_TEST_SUITE_P(CommonScalings, AboutAtDpi, ::testing::Values(96, 120, 144), DpiName);

}  // namespace
