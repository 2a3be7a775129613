// The full-screen saver seen from outside: its window, what it shows, what ends it and
// what does not.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
// Input or a close request ends the run at the next pump, well within this even when the
// machine is loaded; that the end comes from the input is seen by the run going on before it.
constexpr DWORD kEndMs = 3000;
constexpr DWORD kStillRunningMs = 1500;  // long enough for a wrongly handled request to end it
constexpr DWORD kSendTimeoutMs = 5000;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kColorTolerance = 8;
// The texts' first ink columns may be partly covered pixels, which the colour test leaves
// out; a label one pixel off its place still shows.
constexpr int kAlignSlackPx = 1;
constexpr char kDialogClass[] = "#32770";
constexpr WPARAM kScreenSaveLowBit = SC_SCREENSAVE | 1;  // 0xF141

class SaverRun : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = StartSaverRun(saver_, kStartMs);
        ASSERT_NE(window_, nullptr) << "no saver window appeared";
    }
    // Killing a run would leave the system's screen-saver flag raised for the tests that follow.
    void TearDown() override { CloseSaverRun(saver_, window_, kStartMs); }

    // The run is on, its pointer hidden: what an input or a request then ends. Without this
    // an end that came by itself, or a start that never ran, would pass for it.
    void ExpectRunning() {
        ASSERT_TRUE(WaitUntil([] { return !CursorShowing(); }, kStartMs)) << "the pointer was never hidden";
        ASSERT_TRUE(saver_.Running());
        ASSERT_TRUE(::IsWindowVisible(window_));
    }

    // The saver ended as a user's input ends it: promptly, cleanly, with the system's
    // screen-saver flag lowered. (The pointer seen from outside after the end is no longer
    // the saver's; that the end routine shows it again is pinned down in-process.)
    void ExpectEndedCleanly() {
        EXPECT_TRUE(saver_.WaitExit(kEndMs)) << "the saver did not end";
        EXPECT_EQ(saver_.ExitCode(), 0u);
        EXPECT_FALSE(ScreenSaverRunningFlag());
    }

    void ExpectStillRunning() {
        EXPECT_TRUE(saver_.StillRunsAfter(kStillRunningMs)) << "the saver ended";
        EXPECT_TRUE(::IsWindowVisible(window_));
    }

    Process saver_;
    HWND window_ = nullptr;
};

TEST_F(SaverRun, ShowsOneBorderlessTopmostWindowCoveringTheScreenWithTheCursorHidden) {
    ExpectRunning();
    EXPECT_EQ(CountProcessWindows(saver_.Pid(), true), 1);
    // Nor a hidden one: no input method came into the process (its window is the one the
    // system makes for every thread that shows a window, unless the program keeps it out).
    EXPECT_EQ(CountProcessWindows(saver_.Pid(), false), 1);
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
    // The system knows a screen saver runs (the pointer is gone, as ExpectRunning saw).
    EXPECT_TRUE(ScreenSaverRunningFlag());
}

TEST_F(SaverRun, ShowsTheDateInYellowDirectlyAboveTheTime) {
    RECT screen = ScreenRect();
    std::vector<RECT> bands;
    LONG dateLeft = 0, timeLeft = 0;
    // The first tick paints both labels.
    WaitUntil(
        [&] {
            bands = FindColorBands(screen, kYellow, kColorTolerance);
            return bands.size() == 2 && ClockTextLefts(bands[0], bands[1], &dateLeft, &timeLeft);
        },
        kStartMs);
    ASSERT_EQ(bands.size(), 2u) << "expected the date text and the time text";
    const RECT& date = bands[0];
    const RECT& time = bands[1];
    EXPECT_LT(date.bottom, time.top);
    // Both texts start at the clock's one left position, whatever their first characters.
    EXPECT_NEAR(dateLeft, timeLeft, kAlignSlackPx) << "ink from " << date.left << " and " << time.left;
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
    ExpectRunning();
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
    const char* name;  // as the case reads in the test's name
    Ending input;
    WORD modifier;  // held in the saver's key state before the input; 0 for none
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << c.name;
}

std::string EndingName(const ::testing::TestParamInfo<EndingCase>& info) {
    return info.param.name;
}

class SaverEnding : public SaverRun, public ::testing::WithParamInterface<EndingCase> {};

// A modifier pressed on its own would end the run as any key does; so it is marked held in
// the saver's key state without a key message, and only the click can end the run.
TEST_P(SaverEnding, EndsTheRunPromptly) {
    const EndingCase& c = GetParam();
    ExpectRunning();
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
}

INSTANTIATE_TEST_SUITE_P(KeysAndClicks,
                         SaverEnding,
                         ::testing::Values(EndingCase{"FunctionKey", Ending::kFunctionKey, 0},
                                           EndingCase{"CharacterKey", Ending::kCharacterKey, 0},
                                           EndingCase{"LeftClick", Ending::kLeftClick, 0},
                                           EndingCase{"MiddleClick", Ending::kMiddleClick, 0},
                                           EndingCase{"ShiftRightClick", Ending::kRightClick, VK_SHIFT},
                                           EndingCase{"CtrlRightClick", Ending::kRightClick, VK_CONTROL},
                                           EndingCase{"AltRightClick", Ending::kRightClick, VK_MENU}),
                         EndingName);

// A close request from another program (or the system menu's close command, which the
// default procedure turns into WM_CLOSE) ends the run like a key would, instead of leaving
// a process that pumps on with no window, the cursor hidden and the flag raised.
TEST_F(SaverRun, EndsWhenClosedFromOutside) {
    ExpectRunning();
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    ExpectEndedCleanly();
}

// A program that comes to the front (a prompt, a chat window, a browser) would take every key
// while the topmost clock hides it: the run ends as on a key, and that program is seen.
TEST_F(SaverRun, EndsWhenAnotherProgramTakesTheForeground) {
    ExpectRunning();
    OwnerHost other;
    ASSERT_TRUE(other.Start());
    ExpectEndedCleanly();
    EXPECT_EQ(::GetForegroundWindow(), other.Window());
}

TEST_F(SaverRun, EndsOnTheCloseSystemCommand) {
    ExpectRunning();
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window_, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    ExpectEndedCleanly();
}

}  // namespace
