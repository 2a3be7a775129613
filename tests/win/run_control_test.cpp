// Run control inside the process: the cursor counter brought to a definite state, the
// end flag, the pause that keeps pumping, and the saver window's replacement procedure.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/runtime.h"
#include "host/saver_wndproc.h"
#include "runcontrol/run_control.h"
#include "tests/win/test_support.h"

namespace zelvane {
namespace {

using testing_support::CursorCounter;

void SetCursorCounter(int target) {
    int value = CursorCounter();
    while (value < target)
        value = ::ShowCursor(TRUE);
    while (value > target)
        value = ::ShowCursor(FALSE);
}

// --- cursor ----------------------------------------------------------------------------

enum class CursorRoutine { kHide, kShow };

struct CursorCase {
    const char* name;  // as the case reads in the test's name
    int before;
    CursorRoutine routine;
    int after;
};

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

void PrintTo(const CursorCase& c, std::ostream* os) {
    *os << c.name;
}

class CursorState : public ::testing::TestWithParam<CursorCase> {
protected:
    void TearDown() override { SetCursorCounter(0); }
};

TEST_P(CursorState, ReachesADefiniteStateWithoutPilingUp) {
    const CursorCase& c = GetParam();
    SetCursorCounter(c.before);
    ASSERT_EQ(CursorCounter(), c.before);
    if (c.routine == CursorRoutine::kHide)
        HideMouseCursor();
    else
        ShowMouseCursor();
    EXPECT_EQ(CursorCounter(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Counter,
                         CursorState,
                         ::testing::Values(CursorCase{"HideFromZero", 0, CursorRoutine::kHide, -1},
                                           CursorCase{"HideFromThree", 3, CursorRoutine::kHide, -1},
                                           // already hidden: one call
                                           CursorCase{"HideFromMinusThree", -3, CursorRoutine::kHide, -4},
                                           CursorCase{"ShowFromMinusOne", -1, CursorRoutine::kShow, 0},
                                           CursorCase{"ShowFromMinusFive", -5, CursorRoutine::kShow, 0},
                                           // already shown: one call
                                           CursorCase{"ShowFromTwo", 2, CursorRoutine::kShow, 3}),
                         CaseName<CursorCase>);

// --- ending ------------------------------------------------------------------------------

class EndFlag : public ::testing::Test {
protected:
    void SetUp() override { EndRequested = kFalse; }
    void TearDown() override {
        EndRequested = kFalse;
        SetCursorCounter(0);
    }
};

// A character key raises both key events, so the end routine runs twice in a row.
TEST_F(EndFlag, EndSaverTwiceKeepsTheFlagRaisedAndTheCursorShown) {
    SetCursorCounter(-1);
    EndSaver();
    EXPECT_TRUE(EndRequested);
    EXPECT_EQ(CursorCounter(), 0);
    EndSaver();
    EXPECT_TRUE(EndRequested);
    EXPECT_EQ(CursorCounter(), 1);
}

TEST_F(EndFlag, EveryEndRequestIsGranted) {
    EXPECT_TRUE(VerifyPassword());
    SetCursorCounter(-1);
    RequestEnd();
    EXPECT_TRUE(EndRequested);
    EXPECT_GE(CursorCounter(), 0);
}

struct Press {
    const char* name;  // as the case reads in the test's name
    int16_t button;
    int16_t shift;
    Bool16 allowAbout;
};

void PrintTo(const Press& c, std::ostream* os) {
    *os << c.name;
}

class MouseDownEnds : public EndFlag, public ::testing::WithParamInterface<Press> {};

TEST_P(MouseDownEnds, RaisesTheFlagAndShowsTheCursor) {
    SetCursorCounter(-1);
    HandleMouseDown(GetParam().button, GetParam().shift, GetParam().allowAbout);
    EXPECT_TRUE(EndRequested);
    EXPECT_GE(CursorCounter(), 0);
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndModifiers,
                         MouseDownEnds,
                         ::testing::Values(Press{"LeftClick", forms::kButtonLeft, 0, kTrue},
                                           Press{"MiddleClick", forms::kButtonMiddle, 0, kTrue},
                                           Press{"ShiftRightClick", forms::kButtonRight, forms::kShiftMask, kTrue},
                                           Press{"CtrlRightClick", forms::kButtonRight, forms::kCtrlMask, kTrue},
                                           Press{"AltRightClick", forms::kButtonRight, forms::kAltMask, kTrue},
                                           Press{"RightClickWithoutAbout", forms::kButtonRight, 0, kFalse}),
                         CaseName<Press>);

// --- a window whose own procedure records what reaches it ---------------------------------

constexpr char kRecorderClass[] = "ZelvaneRunControlRecorder";
constexpr LRESULT kRecorderAnswer = 0x4242;

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_APP || msg == WM_SYSCOMMAND || msg == WM_CLOSE || msg == WM_MOUSEMOVE) {
        received.push_back({msg, wParam, lParam});
        return kRecorderAnswer;  // WM_CLOSE included: the window stays
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

bool Saw(UINT msg) {
    for (const Received& r : received)
        if (r.msg == msg)
            return true;
    return false;
}

class RecordingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = &RecordingProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = kRecorderClass;
            return ::RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        hWnd_ = ::CreateWindowExA(0, kRecorderClass, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hWnd_, nullptr);
        received.clear();
    }
    void TearDown() override {
        UnhookSaverWindow(hWnd_);
        ::DestroyWindow(hWnd_);
        received.clear();
    }

    WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd_, GWLP_WNDPROC)); }

    HWND hWnd_ = nullptr;
};

// --- pause -------------------------------------------------------------------------------

using PumpingPause = RecordingWindow;

TEST_F(PumpingPause, PumpsEventsAndLastsAboutItsDuration) {
    constexpr UINT kProbe = WM_APP + 1;
    constexpr ULONGLONG kShortestMs = 900;  // the clock has steps of a few milliseconds
    constexpr ULONGLONG kLongestMs = 5000;  // generous: a loaded machine
    ASSERT_TRUE(::PostMessageA(hWnd_, kProbe, 0, 0));
    const ULONGLONG start = ::GetTickCount64();
    Pause(1.0f);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    EXPECT_TRUE(Saw(kProbe)) << "the pause did not pump the pending message";
    EXPECT_GE(elapsed, kShortestMs);
    EXPECT_LE(elapsed, kLongestMs);
}

// --- the saver window's hook ---------------------------------------------------------------

using SaverHook = RecordingWindow;

TEST_F(SaverHook, UnhookWithoutAHookChangesNothing) {
    ASSERT_EQ(OldSaverWndProc, nullptr);
    UnhookSaverWindow(hWnd_);
    EXPECT_EQ(CurrentProc(), &RecordingProc);
    EXPECT_EQ(OldSaverWndProc, nullptr);
}

TEST_F(SaverHook, InstallsTheSaverProcedureAndRemovesItOnce) {
    HookSaverWindow(hWnd_);
    EXPECT_EQ(CurrentProc(), &SaverWndProc);
    EXPECT_EQ(OldSaverWndProc, &RecordingProc);
    UnhookSaverWindow(hWnd_);
    EXPECT_EQ(CurrentProc(), &RecordingProc);
    EXPECT_EQ(OldSaverWndProc, nullptr);
    UnhookSaverWindow(hWnd_);  // a second call does nothing
    EXPECT_EQ(CurrentProc(), &RecordingProc);
    // Unhooked, the window's own procedure sees system commands again.
    ::SendMessageA(hWnd_, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(Saw(WM_SYSCOMMAND));
}

TEST_F(SaverHook, RefusesTheScreenSaveCommandOutright) {
    HookSaverWindow(hWnd_);
    EXPECT_EQ(::SendMessageA(hWnd_, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_TRUE(received.empty());
}

// The box the default procedure opens for a command, closed from a timer of the thread
// that runs its modal loop; timer procedures carry no context of their own.
HWND boxSeen = nullptr;

BOOL CALLBACK FindBox(HWND hWnd, LPARAM) {
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(hWnd))
        return TRUE;
    boxSeen = hWnd;
    return FALSE;
}

void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR id, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, 0);
    if (!boxSeen)
        return;
    ::KillTimer(nullptr, id);
    ::PostMessageA(boxSeen, WM_COMMAND, IDOK, 0);
}

// Only the whole value 0xF140 is refused: with a low bit set the command is not swallowed
// but goes to the default procedure, which under Wine answers it with its About box.
TEST_F(SaverHook, HandsTheScreenSaveCommandWithALowBitSetToTheDefaultProcedure) {
    constexpr UINT kLookEveryMs = 100;
    HookSaverWindow(hWnd_);
    boxSeen = nullptr;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kLookEveryMs, &CloseTheBox);
    ASSERT_NE(timer, 0u);
    ::SendMessageA(hWnd_, WM_SYSCOMMAND, kScScreenSave | 1, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_NE(boxSeen, nullptr) << "swallowed: the default procedure never had it";
    EXPECT_FALSE(Saw(WM_SYSCOMMAND)) << "the window's own procedure had it";
}

TEST_F(SaverHook, HandsOtherSystemCommandsToTheDefaultProcedure) {
    HookSaverWindow(hWnd_);
    // Monitor power saving: the window's own procedure never sees it.
    ::SendMessageA(hWnd_, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    EXPECT_FALSE(Saw(WM_SYSCOMMAND));
    // Close: the default procedure answers with WM_CLOSE, which does reach the window.
    ::SendMessageA(hWnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(Saw(WM_SYSCOMMAND));
    EXPECT_TRUE(Saw(WM_CLOSE));
}

TEST_F(SaverHook, PassesEveryOtherMessageUnchanged) {
    HookSaverWindow(hWnd_);
    constexpr UINT kPrivate = WM_APP + 7;
    constexpr WPARAM kW = 0x1234;
    constexpr LPARAM kL = 0x56789A;
    EXPECT_EQ(::SendMessageA(hWnd_, kPrivate, kW, kL), kRecorderAnswer);
    EXPECT_EQ(::SendMessageA(hWnd_, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(640, 480)), kRecorderAnswer);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].msg, kPrivate);
    EXPECT_EQ(received[0].wParam, kW);
    EXPECT_EQ(received[0].lParam, kL);
    EXPECT_EQ(received[1].msg, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(received[1].wParam, static_cast<WPARAM>(MK_SHIFT));
    EXPECT_EQ(received[1].lParam, MAKELPARAM(640, 480));
}

}  // namespace
}  // namespace zelvane
