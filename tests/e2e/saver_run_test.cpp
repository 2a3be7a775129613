// The full-screen saver seen from outside: its window, what it shows, what ends it and
// what does not.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 1000;           // input or a close request ends the run within a second
constexpr DWORD kStillRunningMs = 1500;  // long enough for a wrongly handled request to end it
constexpr DWORD kSendTimeoutMs = 5000;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kColorTolerance = 8;
constexpr int kAlignSlackPx = 4;  // glyph side bearings of the first characters
constexpr char kDialogClass[] = "#32770";
constexpr WPARAM kScreenSaveLowBit = SC_SCREENSAVE | 1;  // 0xF141

class SaverRun : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = StartSaverRun(saver_, kStartMs);
        ASSERT_NE(window_, nullptr) << "no saver window appeared";
        // Let the first ticks paint.
        ::Sleep(700);
    }
    // Killing a run would leave the system's screen-saver flag raised for the tests that follow.
    void TearDown() override { CloseSaverRun(saver_, window_, kStartMs); }

    // The saver ended as a user's input ends it: promptly, cleanly, with the system's
    // screen-saver flag lowered and the cursor back. (The pointer state seen from outside is
    // that of the foreground thread, so here it only says that nothing else hides it; that
    // the end routine shows it again is pinned down in the in-process tests.)
    void ExpectEndedCleanly() {
        EXPECT_TRUE(saver_.WaitExit(kEndMs)) << "the saver did not end within a second";
        EXPECT_EQ(saver_.ExitCode(), 0u);
        EXPECT_TRUE(CursorShowing());
        EXPECT_FALSE(ScreenSaverRunningFlag());
    }

    void ExpectStillRunning() {
        EXPECT_FALSE(saver_.WaitExit(kStillRunningMs)) << "the saver ended";
        EXPECT_TRUE(::IsWindowVisible(window_));
    }

    Process saver_;
    HWND window_ = nullptr;
};

TEST_F(SaverRun, ShowsOneBorderlessTopmostWindowCoveringTheScreenWithTheCursorHidden) {
    EXPECT_EQ(CountProcessWindows(saver_.Pid(), true), 1);
    EXPECT_EQ(ClassOf(window_), kFormClass);
    EXPECT_EQ(WindowText(window_), "");
    LONG style = ::GetWindowLongA(window_, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME), 0);
    EXPECT_TRUE(::GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rc;
    ::GetWindowRect(window_, &rc);
    RECT screen = ScreenRect();
    EXPECT_LE(rc.left, screen.left);
    EXPECT_LE(rc.top, screen.top);
    EXPECT_GE(rc.right, screen.right);
    EXPECT_GE(rc.bottom, screen.bottom);
    // The system knows a screen saver runs, and the pointer is gone.
    EXPECT_FALSE(CursorShowing());
    EXPECT_TRUE(ScreenSaverRunningFlag());
}

TEST_F(SaverRun, ShowsTheDateInYellowDirectlyAboveTheTime) {
    RECT screen = ScreenRect();
    std::vector<RECT> bands = FindColorBands(screen, kYellow, kColorTolerance);
    ASSERT_EQ(bands.size(), 2u) << "expected the date text and the time text";
    const RECT& date = bands[0];
    const RECT& time = bands[1];
    EXPECT_LT(date.bottom, time.top);
    EXPECT_NEAR(date.left, time.left, kAlignSlackPx);
    // The time is set in much larger type than the date.
    EXPECT_GT(time.bottom - time.top, 2 * (date.bottom - date.top));
    EXPECT_GT(time.right - time.left, 200);
    // Nothing is clipped by the screen edges.
    EXPECT_GT(date.top, screen.top);
    EXPECT_LT(time.bottom, screen.bottom);
    EXPECT_LT(std::max(date.right, time.right), screen.right);
    // Black everywhere else: the corners and the gap between the two texts.
    EXPECT_EQ(ScreenPixel(screen.left + 2, screen.top + 2), kBlack);
    EXPECT_EQ(ScreenPixel(screen.right - 3, screen.bottom - 3), kBlack);
    EXPECT_EQ(ScreenPixel((time.left + time.right) / 2, (date.bottom + time.top) / 2), kBlack);
    Snapshot("saver", screen);
}

TEST_F(SaverRun, MouseMovementAloneNeverEndsTheRun) {
    RECT screen = ScreenRect();
    // Large jumps across the screen, then single-pixel nudges.
    MoveMouseTo(10, 10);
    MoveMouseTo(screen.right - 10, screen.bottom - 10);
    MoveMouseTo(screen.right / 2, screen.bottom / 2);
    for (int i = 1; i <= 5; ++i)
        MoveMouseTo(screen.right / 2 + i, screen.bottom / 2 + (i % 2));
    ExpectStillRunning();
    EXPECT_FALSE(CursorShowing());
}

TEST_F(SaverRun, RefusesTheScreenSaveCommandAndKeepsRunning) {
    DWORD_PTR result = 1;
    ASSERT_TRUE(
        ::SendMessageTimeoutA(window_, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result));
    EXPECT_EQ(result, 0u);
    ExpectStillRunning();
    EXPECT_EQ(CountProcessWindows(saver_.Pid(), true), 1);
}

// Only the exact screen-save command is refused; a neighbouring value goes to the default
// window procedure like any other system command. Under Wine that procedure answers 0xF141
// with its own About box, which makes the hand-over visible.
TEST_F(SaverRun, PassesOtherSystemCommandsToTheDefaultProcedure) {
    ASSERT_TRUE(::PostMessageA(window_, WM_SYSCOMMAND, kScreenSaveLowBit, 0));
    HWND about = WaitForWindow(saver_.Pid(), kDialogClass, nullptr, kStartMs);
    ASSERT_NE(about, nullptr) << "the command did not reach the default window procedure";
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kStartMs));
    ExpectStillRunning();
}

// A right click with no modifier opens the About dialog instead of ending the run, with the
// pointer back for it; once the dialog is gone the clock goes on, pointer hidden again.
TEST_F(SaverRun, RightClickWithoutModifiersShowsAboutAndTheRunGoesOn) {
    RECT screen = ScreenRect();
    ClickAt(20, screen.bottom - 20, 2);
    HWND about = WaitForWindow(saver_.Pid(), kFormClass, "About", kStartMs);
    ASSERT_NE(about, nullptr) << "no About dialog";
    EXPECT_TRUE(saver_.Running());
    EXPECT_TRUE(WaitUntil([] { return CursorShowing(); }, kEndMs)) << "the pointer stayed hidden over the dialog";
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kStartMs));
    ExpectStillRunning();
    EXPECT_TRUE(::GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(WaitUntil([] { return !CursorShowing(); }, kEndMs)) << "the pointer stayed visible";
}

// --- what ends the run -------------------------------------------------------------

enum class Ending { kFunctionKey, kCharacterKey, kLeftClick, kMiddleClick, kRightClick };

struct EndingCase {
    const char* name;
    Ending input;
    WORD modifier;  // held in the saver's key state before the input; 0 for none
};

constexpr EndingCase kEndings[] = {
    {"function key", Ending::kFunctionKey, 0},
    {"character key", Ending::kCharacterKey, 0},
    {"left click", Ending::kLeftClick, 0},
    {"middle click", Ending::kMiddleClick, 0},
    {"right click with Shift", Ending::kRightClick, VK_SHIFT},
    {"right click with Ctrl", Ending::kRightClick, VK_CONTROL},
    {"right click with Alt", Ending::kRightClick, VK_MENU},
};

class SaverEnding : public SaverRun {
protected:
    void SetUp() override {}  // each case starts its own saver
    void TearDown() override {}
};

// A modifier pressed on its own would end the run as any key does; so it is marked held in
// the saver's key state without a key message, and only the click can end the run.
TEST_F(SaverEnding, AKeyAClickOrAModifiedRightClickEndsTheRunWithinASecond) {
    for (const EndingCase& c : kEndings) {
        SCOPED_TRACE(c.name);
        SaverRun::SetUp();
        if (HasFatalFailure())
            return;
        if (c.modifier) {
            ASSERT_TRUE(SetKeyHeldFor(window_, c.modifier, true));
        }
        RECT screen = ScreenRect();
        const int x = 20, y = screen.bottom - 20;  // over the window, away from the moving labels
        switch (c.input) {
            case Ending::kFunctionKey:
                PressKey(VK_F5);
                break;
            case Ending::kCharacterKey:
                PressKey('A');
                break;
            case Ending::kLeftClick:
                ClickAt(x, y, 1);
                break;
            case Ending::kMiddleClick:
                ClickAt(x, y, 4);
                break;
            case Ending::kRightClick:
                ClickAt(x, y, 2);
                break;
        }
        ExpectEndedCleanly();
        if (c.modifier && saver_.Running())
            SetKeyHeldFor(window_, c.modifier, false);
        SaverRun::TearDown();
    }
}

// A close request from another program (or the system menu's close command, which the
// default procedure turns into WM_CLOSE) ends the run like a key would, instead of leaving
// a process that pumps on with no window, the cursor hidden and the flag raised.
TEST_F(SaverRun, EndsWhenClosedFromOutside) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    ExpectEndedCleanly();
}

TEST_F(SaverRun, EndsOnTheCloseSystemCommand) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window_, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    ExpectEndedCleanly();
}

}  // namespace
