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

// Height of the yellow glyphs of the running saver's time and date.
int SaverTextHeight(int dpi) {
    ScopedDpi scoped(dpi);
    Process saver;
    EXPECT_NE(StartSaverRun(saver, kStartMs), nullptr);
    ::Sleep(800);
    RECT box = FindColorBox(ScreenRect(), kYellow, 8);
    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitExit(2000));
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
    ::Sleep(500);
    const int tpp = TwipsPerPixelAt(dpi);
    const RECT area = ClientAreaOfStoredSize(w, tpp, 5880, 3135);
    // The label's dark text lies inside the client area with a margin all round.
    RECT text = FindColorBox(area, ::GetSysColor(COLOR_BTNTEXT), 40);
    ASSERT_GT(text.right - text.left, 0) << "no label text found";
    EXPECT_GT(text.left, area.left);
    EXPECT_LT(text.right, area.right);
    EXPECT_NEAR(text.left - area.left, 1140 / tpp, 4);
    // The text's width in inches is about the same at every dpi.
    EXPECT_NEAR((text.right - text.left) * 96.0 / dpi, 3495 / 15.0, 25);
    ::PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(setup.WaitExit(3000));
}

INSTANTIATE_TEST_SUITE_P(CommonScalings, SetupAtDpi, ::testing::Values(96, 120, 144));

class AboutAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(AboutAtDpi, KeepsItsSizeInInchesWithButtonAndLinksInside) {
    const int dpi = GetParam();
    ScopedDpi scoped(dpi);
    Process saver;
    HWND clock = StartSaverRun(saver, kStartMs);
    ASSERT_NE(clock, nullptr);
    ::Sleep(700);
    ClickAt(20, 20, 2);
    HWND about = WaitForWindow(saver.Pid(), kFormClass, "About", kStartMs);
    ASSERT_NE(about, nullptr);
    ::Sleep(500);
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
    const RECT links = FindColorBox(area, RGB(0, 0, 255), 40);
    Snapshot(("about-" + std::to_string(dpi)).c_str(), area);
    ASSERT_GT(links.right - links.left, 0) << "no link drawn";
    EXPECT_NEAR(links.left - area.left, (180 + 885) / tpp, 3);
    EXPECT_LT(links.right, area.right);
    EXPECT_GT(links.bottom - links.top, 240 / tpp) << "expected the e-mail and the web link on two lines";
    EXPECT_LT(links.bottom, button.top);
    CloseSaverRun(saver, clock, kStartMs);
    EXPECT_FALSE(::IsWindow(about));
}

INSTANTIATE_TEST_SUITE_P(CommonScalings, AboutAtDpi, ::testing::Values(96, 120, 144));

}  // namespace
