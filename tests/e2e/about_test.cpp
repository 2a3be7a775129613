// The About dialog over the running saver, seen from outside: how a right click opens
// it, that the clock goes on behind it, every way it closes, and what the shell is given
// when a link is pressed (a test handler registered with the shell records it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/about_text.h"
#include "tests/e2e/harness.h"
#include "tests/hosts/url_sink.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kDialogMs = 5000;        // the dialog comes and goes within this
constexpr DWORD kEndMs = 2000;           // a key ends the run within this
constexpr DWORD kStillRunningMs = 1500;  // long enough for a wrongly handled input to end it
constexpr DWORD kTickWatchMs = 3000;     // the clock moves every half second
// It closes by itself ten seconds after it opened. Counted from the click that opens it, no
// load can make that shorter; the latest end is counted from when the test saw it, with room
// for a loaded machine's late timer.
constexpr DWORD kAutoCloseEarliestMs = 9500;
constexpr DWORD kAutoCloseLatestMs = 15000;
constexpr char kCaption[] = "About";
constexpr int kLeftButton = 1, kRightButton = 2;
constexpr int kCornerPx = 20;
constexpr int kYellowTolerance = 8;
constexpr int kCentredSlackPx = 2;

// Where the links lie in the dialog's client area, from its stored properties: the frame
// at (180, 105) twips and the labels at 885 across, 1905 and 2145 down inside it.
constexpr int kLinkLeftTw = 180 + 885;
constexpr int kMailTopTw = 105 + 1905;
constexpr int kWebTopTw = 105 + 2145;
constexpr int kIntoLinkTw = 105;  // a few pixels into the label, inside its first characters
constexpr int kLinkRowTw = 240;   // from one link's top to the next one's
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr int kLinkTolerance = 40;

bool IsTopmost(HWND hWnd) {
    return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// A point of the dialog's client area, in twips, on the screen.
POINT ScreenPointOf(HWND dialog, int xTw, int yTw) {
    POINT pt = {TwipsToPixelsX(xTw), TwipsToPixelsY(yTw)};
    ::ClientToScreen(dialog, &pt);
    return pt;
}

// A digest of the screen's pixels outside `hole`: it changes when anything there is redrawn
// differently.
uint64_t ScreenDigestOutside(const RECT& hole) {
    const RECT screen = ScreenRect();
    const int w = screen.right - screen.left, h = screen.bottom - screen.top;
    const std::vector<uint32_t> px = CaptureScreen(screen);
    constexpr uint64_t kFnvOffset = 1469598103934665603ull, kFnvPrime = 1099511628211ull;
    uint64_t digest = kFnvOffset;
    for (int y = 0; y < h && !px.empty(); ++y) {
        for (int x = 0; x < w; ++x) {
            POINT pt = {x + screen.left, y + screen.top};
            if (::PtInRect(&hole, pt))
                continue;
            digest = (digest ^ px[y * w + x]) * kFnvPrime;
        }
    }
    return digest;
}

class AboutOverSaver : public ::testing::Test {
protected:
    void SetUp() override {
        clock_ = StartSaverRun(saver_, kStartMs);
        ASSERT_NE(clock_, nullptr) << "no saver window appeared";
        // The run is on (shown, pointer hidden, first tick painted) before a test clicks.
        ASSERT_TRUE(WaitUntil([] { return !CursorShowing(); }, kStartMs)) << "the pointer was never hidden";
        ASSERT_TRUE(WaitUntil(
            [] {
                const RECT box = FindColorBox(ScreenRect(), RGB(255, 255, 0), kYellowTolerance);
                return box.right > box.left;
            },
            kStartMs))
            << "the clock was never drawn";
    }
    void TearDown() override { CloseSaverRun(saver_, clock_, kStartMs); }

    // A right click in a corner, away from where the dialog comes; returns once the dialog
    // is the foreground window, which takes the input that follows.
    HWND OpenAbout() {
        ClickAt(kCornerPx, kCornerPx, kRightButton);
        HWND about = WaitForWindow(saver_.Pid(), kFormClass, kCaption, kDialogMs);
        if (about) {
            EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == about; }, kDialogMs))
                << "the dialog did not come to the foreground";
        }
        return about;
    }

    // The dialog has gone, the clock is on top again with the cursor hidden, takes the
    // keyboard, and a key still ends the run cleanly.
    void ExpectSaverRunsOnAndEndsWithAKey(HWND about) {
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kDialogMs)) << "the dialog did not close";
        EXPECT_TRUE(saver_.StillRunsAfter(kStillRunningMs)) << "the run ended with the dialog";
        EXPECT_TRUE(::IsWindowEnabled(clock_));
        EXPECT_TRUE(IsTopmost(clock_));
        const RECT screen = ScreenRect();
        EXPECT_EQ(::WindowFromPoint({screen.right / 2, screen.bottom / 2}), clock_) << "the clock is not on top";
        EXPECT_FALSE(CursorShowing());
        PressKey('A');
        EXPECT_TRUE(saver_.WaitExit(kEndMs)) << "a key no longer ends the run";
        EXPECT_EQ(saver_.ExitCode(), 0u);
    }

    Process saver_;
    HWND clock_ = nullptr;
};

TEST_F(AboutOverSaver, RightClickShowsTheDialogTopmostAboveTheClockWithACentredDefaultOk) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << "no window captioned About appeared";
    EXPECT_TRUE(IsTopmost(about));
    bool clockBelow = false;
    for (HWND w = ::GetWindow(about, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        clockBelow |= w == clock_;
    EXPECT_TRUE(clockBelow) << "the dialog is not above the clock";
    EXPECT_FALSE(::IsWindowEnabled(clock_)) << "the clock takes input while the dialog is up";
    EXPECT_TRUE(CursorShowing());
    EXPECT_TRUE(saver_.Running());

    HWND ok = ::FindWindowExA(about, nullptr, "Button", "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(::GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    RECT client, button;
    ::GetClientRect(about, &client);
    ::GetWindowRect(ok, &button);
    ::MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(std::abs(button.left + button.right - client.right), kCentredSlackPx);

    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

TEST_F(AboutOverSaver, TheClockKeepsTickingBehindTheDialog) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    RECT dialog;
    ::GetWindowRect(about, &dialog);
    const uint64_t first = ScreenDigestOutside(dialog);
    EXPECT_TRUE(WaitUntil([&] { return ScreenDigestOutside(dialog) != first; }, kTickWatchMs))
        << "nothing moved on the screen around the dialog";
    EXPECT_TRUE(::IsWindow(about));
}

enum class Closing { kOkClick, kEnter, kEscape, kAltF4, kCloseCommand };

std::string ClosingName(const ::testing::TestParamInfo<Closing>& info) {
    switch (info.param) {
        case Closing::kOkClick:
            return "OkClick";
        case Closing::kEnter:
            return "Enter";
        case Closing::kEscape:
            return "Escape";
        case Closing::kAltF4:
            return "AltF4";
        case Closing::kCloseCommand:
            return "CloseCommand";
    }
    return "";
}

void PrintTo(Closing closing, std::ostream* os) {
    *os << ClosingName(::testing::TestParamInfo<Closing>(closing, 0));
}

class AboutClosing : public AboutOverSaver, public ::testing::WithParamInterface<Closing> {};

TEST_P(AboutClosing, ClosesTheDialogAndTheRunGoesOn) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    switch (GetParam()) {
        case Closing::kOkClick: {
            HWND ok = ::FindWindowExA(about, nullptr, "Button", "OK");
            ASSERT_NE(ok, nullptr);
            RECT rc;
            ::GetWindowRect(ok, &rc);
            ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, kLeftButton);
            break;
        }
        case Closing::kEnter:
            PressKey(VK_RETURN);
            break;
        case Closing::kEscape:
            PressKey(VK_ESCAPE);
            break;
        case Closing::kAltF4:
            KeyDown(VK_MENU);
            PressKey(VK_F4);
            KeyUp(VK_MENU);
            break;
        case Closing::kCloseCommand:
            ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

INSTANTIATE_TEST_SUITE_P(
    Ways,
    AboutClosing,
    ::testing::Values(Closing::kOkClick, Closing::kEnter, Closing::kEscape, Closing::kAltF4, Closing::kCloseCommand),
    ClosingName);

TEST_F(AboutOverSaver, ClosesByItselfAfterTenSeconds) {
    const DWORD clicked = ::GetTickCount();
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kAutoCloseLatestMs)) << "it stayed open";
    EXPECT_GE(::GetTickCount() - clicked, kAutoCloseEarliestMs) << "it closed before its interval";
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

TEST_F(AboutOverSaver, AKeyWhileItIsOpenDoesNotEndTheRun) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    PressKey('A');
    EXPECT_TRUE(saver_.StillRunsAfter(kStillRunningMs)) << "the key ended the run";
    EXPECT_TRUE(::IsWindow(about)) << "the key closed the dialog";
    PressKey(VK_ESCAPE);
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

// Another program coming to the front while the dialog is up ends the run too: the dialog goes
// with it, instead of keeping the topmost clock over that program until it closes itself.
TEST_F(AboutOverSaver, AnotherProgramTakingTheForegroundClosesTheDialogAndEndsTheRun) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    OwnerHost other;
    ASSERT_TRUE(other.Start());
    EXPECT_TRUE(saver_.WaitExit(kEndMs)) << "the run went on behind the other program";
    EXPECT_EQ(saver_.ExitCode(), 0u);
    EXPECT_FALSE(ScreenSaverRunningFlag());
}

// The shell's handlers of mailto, http and https are the URL sink while these run.
class AboutLinks : public AboutOverSaver {
protected:
    void SetUp() override {
        sink_ = std::make_unique<url_sink::Registration>(BinDir() + "\\" + url_sink::kExeName,
                                                         std::vector<std::string>{"mailto", "http", "https"});
        AboutOverSaver::SetUp();
    }
    void TearDown() override {
        AboutOverSaver::TearDown();
        sink_.reset();
    }

    // Hovers the link as a user would, until it shows its underline, then presses it.
    void PressLink(HWND about, int topTw, int button) {
        const POINT pt = ScreenPointOf(about, kLinkLeftTw + kIntoLinkTw, topTw + kIntoLinkTw);
        const POINT rowStart = ScreenPointOf(about, kLinkLeftTw, topTw);
        const RECT client = ClientRectOnScreen(about);
        const RECT row = {rowStart.x, rowStart.y, client.right, rowStart.y + TwipsToPixelsY(kLinkRowTw)};
        ASSERT_TRUE(WaitUntil(
            [&] {
                const RECT link = FindColorBox(row, kLinkBlue, kLinkTolerance);
                return link.right > link.left;
            },
            kDialogMs))
            << "no link drawn";
        const std::vector<uint32_t> plain = CaptureScreen(row);
        MoveMouseTo(pt.x, pt.y);
        EXPECT_TRUE(WaitUntil([&] { return CaptureScreen(row) != plain; }, kDialogMs))
            << "the link was not underlined under the pointer";
        Snapshot("about", ScreenRect());
        ClickAt(pt.x, pt.y, button);
    }

    std::unique_ptr<url_sink::Registration> sink_;
};

TEST_F(AboutLinks, APressOnTheMailLinkClosesTheDialogAndMailsExactlyTheAddress) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    PressLink(about, kMailTopTw, kLeftButton);
    url_sink::Report report;
    ASSERT_TRUE(sink_->WaitForReport(report, kDialogMs)) << "the shell started no handler";
    EXPECT_EQ(report.targets, std::vector<std::string>{"mailto:" + zelvane::ContactAddress()});
    EXPECT_EQ(report.folder, "C:\\");
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

TEST_F(AboutLinks, ARightPressOnTheWebLinkOpensTheAddressWithItsFinalSlash) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    PressLink(about, kWebTopTw, kRightButton);
    url_sink::Report report;
    ASSERT_TRUE(sink_->WaitForReport(report, kDialogMs)) << "the shell started no handler";
    ASSERT_EQ(report.targets.size(), 1u);
    EXPECT_EQ(report.targets.front(), zelvane::WebTarget());
    EXPECT_EQ(report.targets.front().back(), '/');
    ExpectSaverRunsOnAndEndsWithAKey(about);
}

// Windows runs a saver on the window station's own "Screen-saver" desktop; where the session
// is locked, a program started for a link would run there as the user, past the lock. On that
// desktop the dialog opens and closes as on the user's own, but a press on a link hands
// nothing to the shell: it ends the run, so that Windows asks for the password (or goes back
// to the user's desktop). The test can neither see nor click there: a desktop user does.
TEST(AboutOnTheScreenSaverDesktop, ALinkPressHandsNothingToTheShellAndEndsTheRun) {
    constexpr char kDesktop[] = "Screen-saver";
    constexpr DWORD kReportMs = 30000;  // liveness bound: a start, a click, a dialog, a click
    KillStraySavers();
    LowerScreenSaverRunningFlag();
    url_sink::Registration sink(BinDir() + "\\" + url_sink::kExeName, {"mailto", "http", "https"});
    HDESK desktop = ::CreateDesktopA(kDesktop, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    Process saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/S", kDesktop));
    DesktopUser user;
    ASSERT_TRUE(user.Start(kDesktop, "press-link",
                           std::to_string(kLinkLeftTw + kIntoLinkTw) + " " + std::to_string(kWebTopTw + kIntoLinkTw)));
    std::vector<std::string> seen;
    ASSERT_TRUE(user.WaitForReport(seen, kReportMs)) << "the desktop user reported nothing";
    EXPECT_EQ(seen, (std::vector<std::string>{"clock 1", "about 1", "closed 1"}));
    EXPECT_TRUE(saver.WaitExit(kEndMs)) << "the run went on after the link press";
    EXPECT_EQ(saver.ExitCode(), 0u);
    url_sink::Report report;
    EXPECT_FALSE(sink.WaitForReport(report, kStillRunningMs)) << "the shell was handed a link";
    EXPECT_FALSE(ScreenSaverRunningFlag());
    saver.Kill();
    LowerScreenSaverRunningFlag();
    ::CloseDesktop(desktop);
}

}  // namespace
