// The full-screen saver seen from outside: its window, what it shows, how it ends.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 1000;
constexpr COLORREF kYellow = RGB(255, 255, 0);

class SaverRun : public ::testing::Test {
protected:
    void SetUp() override {
        KillStraySavers();
        saver_ = StartSaver("/S");
        ASSERT_TRUE(saver_.Running());
        window_ = WaitForWindow(saver_.Pid(), "ThunderRT6FormDC", nullptr, kStartMs);
        ASSERT_NE(window_, nullptr) << "no saver window appeared";
        // Let the first ticks paint.
        ::Sleep(700);
    }
    void TearDown() override { saver_.Kill(); }

    Process saver_;
    HWND window_ = nullptr;
};

TEST_F(SaverRun, ShowsOneBorderlessTopmostWindowCoveringTheScreen) {
    EXPECT_EQ(CountProcessWindows(saver_.Pid(), true), 1);
    EXPECT_EQ(WindowText(window_), "");
    LONG style = ::GetWindowLongA(window_, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_TRUE(::GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rc;
    ::GetWindowRect(window_, &rc);
    EXPECT_LE(rc.left, 0);
    EXPECT_LE(rc.top, 0);
    EXPECT_GE(rc.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(rc.bottom, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(SaverRun, EndsOnAKeyWithTheCursorVisibleAgain) {
    PressKey('A');
    EXPECT_TRUE(saver_.WaitExit(kEndMs));
    EXPECT_EQ(saver_.ExitCode(), 0u);
}

TEST_F(SaverRun, ShowsYellowTextOnBlack) {
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT box = FindColorBox(screen, kYellow, 8);
    EXPECT_GT(box.right - box.left, 200);
    EXPECT_EQ(ScreenPixel(2, 2), RGB(0, 0, 0));
}

}  // namespace
