// The black windows over the other monitors: where they lie, what they show, and that
// input on them ends the run like input on the clock.
#include <gtest/gtest.h>

#include "clock/cover_windows.h"
#include "forms/runtime.h"
#include "runcontrol/run_control.h"
#include "program/globals.h"
#include "tests/win/test_support.h"

namespace zelvane {
namespace {

constexpr DWORD kPaintMs = 5000;

class CoverWindows : public ::testing::Test {
protected:
    void SetUp() override {
        TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
        TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
        EndRequested = kFalse;
    }
    void TearDown() override {
        covers_.Unload();
        EndRequested = kFalse;
        ShowMouseCursor();
    }
    MonitorCovers covers_;
};

TEST_F(CoverWindows, LieExactlyOverTheirMonitorsTopmostAndBorderless) {
    const ScreenRect left = {-1280, -200, 0, 824};
    const ScreenRect onScreen = {100, 120, 420, 360};
    covers_.Show({left, onScreen});
    ASSERT_EQ(covers_.Windows().size(), 2u);
    const ScreenRect expected[] = {left, onScreen};
    for (size_t i = 0; i < 2; ++i) {
        HWND hWnd = covers_.Windows()[i]->hWnd();
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        EXPECT_EQ(rc.left, expected[i].left);
        EXPECT_EQ(rc.top, expected[i].top);
        EXPECT_EQ(rc.right, expected[i].right);
        EXPECT_EQ(rc.bottom, expected[i].bottom);
        EXPECT_TRUE(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION, 0);
    }
    // The cover on the screen paints itself black.
    HDC screen = ::GetDC(nullptr);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ::GetPixel(screen, 200, 200) == RGB(0, 0, 0); }, kPaintMs));
    ::ReleaseDC(nullptr, screen);
}

// Monitors come and go under the running saver: one cover per monitor again, those kept
// moved in place (the same windows: no gap for the desktop to show through), the others
// added topmost or unloaded; nothing is covered before the covers are up.
TEST_F(CoverWindows, FollowTheMonitorsAsTheyComeAndGo) {
    auto rectOf = [](const fcover& cover) {
        RECT rc;
        ::GetWindowRect(cover.hWnd(), &rc);
        return ScreenRect{rc.left, rc.top, rc.right, rc.bottom};
    };
    covers_.Follow({{50, 50, 250, 250}});
    EXPECT_TRUE(covers_.Windows().empty());

    covers_.Show({{-1280, 0, 0, 1024}, {1920, 0, 3200, 1024}});
    HWND kept = covers_.Windows()[0]->hWnd();
    const ScreenRect moved = {-1024, 0, 0, 768};
    covers_.Follow({moved});
    ASSERT_EQ(covers_.Windows().size(), 1u);
    EXPECT_EQ(covers_.Windows()[0]->hWnd(), kept);
    EXPECT_EQ(rectOf(*covers_.Windows()[0]), moved);

    const ScreenRect added[] = {moved, {1024, 0, 2304, 1024}, {0, 768, 1024, 1536}};
    covers_.Follow({added[0], added[1], added[2]});
    ASSERT_EQ(covers_.Windows().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        HWND hWnd = covers_.Windows()[i]->hWnd();
        EXPECT_EQ(rectOf(*covers_.Windows()[i]), added[i]);
        EXPECT_TRUE(::IsWindowVisible(hWnd));
        EXPECT_TRUE(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    covers_.Follow({});
    EXPECT_TRUE(covers_.Windows().empty());
}

TEST_F(CoverWindows, AKeyOnACoverEndsTheRun) {
    covers_.Show({{50, 50, 250, 250}});
    ::SendMessageA(covers_.Windows()[0]->hWnd(), WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(EndRequested);
}

TEST_F(CoverWindows, ALeftClickOnACoverEndsTheRun) {
    covers_.Show({{50, 50, 250, 250}});
    ::SendMessageA(covers_.Windows()[0]->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(EndRequested);
}

TEST_F(CoverWindows, ClosingACoverFromOutsideEndsTheRun) {
    covers_.Show({{50, 50, 250, 250}});
    ::SendMessageA(covers_.Windows()[0]->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(EndRequested);
}

}  // namespace
}  // namespace zelvane
