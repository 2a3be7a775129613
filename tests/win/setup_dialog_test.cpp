// The setup dialog in process: the form's stored look, its close that nothing can
// cancel, the hook that routes system commands past the form, and the window utilities
// that find, restore, raise and place it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/setup_hook.h"
#include "forms/form.h"
#include "runcontrol/run_control.h"
#include "setup/fsetup.h"
#include "program/globals.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

constexpr char kTitle[] = "Zelvane";
constexpr int kTwipsPerInch = 1440;
constexpr int kCentiPointsPerInch = 7200;
constexpr int kLabelCentiPoints = 1575;
constexpr int kClientWidthTw = 5880, kClientHeightTw = 3135;
constexpr int32_t kLabelLeftTw = 1140, kLabelTopTw = 1200;
constexpr UINT kProbeMessage = WM_APP + 7;
constexpr LRESULT kProbeResult = 1234;

int ScreenDpi(int index) {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, index);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int TwipsPerPixelXOfScreen() {
    return kTwipsPerInch / ScreenDpi(LOGPIXELSX);
}

int TwipsPerPixelYOfScreen() {
    return kTwipsPerInch / ScreenDpi(LOGPIXELSY);
}

// Pumps what is pending, so that cross-thread effects (activation, painting) settle.
void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A plain window that records what reaches its own procedure; it does not close on WM_CLOSE.
class ProbeWindow {
public:
    ProbeWindow() {
        static const bool registered = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = &ProbeWindow::WndProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = kClass;
            return ::RegisterClassA(&wc) != 0;
        }();
        (void)registered;
        hWnd_ = ::CreateWindowExA(0, kClass, "probe", WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
        ::SetWindowLongPtrA(hWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProbeWindow() {
        ::SetWindowLongPtrA(hWnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hWnd_);
    }
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;

    HWND hWnd() const { return hWnd_; }
    bool Saw(UINT msg) const {
        for (const Seen& s : seen_)
            if (s.msg == msg)
                return true;
        return false;
    }
    struct Seen {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    const std::vector<Seen>& SeenMessages() const { return seen_; }

    static constexpr char kClass[] = "ZelvaneSetupHookProbe";

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProbeWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self)
            self->seen_.push_back({msg, wParam, lParam});
        if (msg == kProbeMessage)
            return kProbeResult;
        if (msg == WM_CLOSE)
            return 0;
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    }

    HWND hWnd_ = nullptr;
    std::vector<Seen> seen_;
};

class SetupDialog : public ::testing::Test {
protected:
    void SetUp() override {
        savedTitle_ = AppTitle;
        AppTitle = kTitle;
        EndRequested = kFalse;
    }
    void TearDown() override {
        UnhookSetupWindow(nullptr);
        AppTitle = savedTitle_;
        EndRequested = kFalse;
    }
    std::string savedTitle_;
};

// --- the form ------------------------------------------------------------------------

TEST_F(SetupDialog, LoadsCaptionedWithTheTitleAtItsStoredClientSize) {
    fsetup setup;
    setup.Load();
    ASSERT_TRUE(setup.IsLoaded());
    char caption[256] = {};
    ::GetWindowTextA(setup.hWnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, kTitle);
    char cls[256] = {};
    ::GetClassNameA(setup.hWnd(), cls, sizeof cls);
    EXPECT_STREQ(cls, forms::kFormClassName);
    EXPECT_FALSE(::IsWindowVisible(setup.hWnd())) << "loading alone shows nothing";
    RECT client;
    ::GetClientRect(setup.hWnd(), &client);
    EXPECT_EQ(client.right, ::MulDiv(kClientWidthTw, ScreenDpi(LOGPIXELSX), kTwipsPerInch));
    EXPECT_EQ(client.bottom, ::MulDiv(kClientHeightTw, ScreenDpi(LOGPIXELSY), kTwipsPerInch));
    setup.Unload();
}

TEST_F(SetupDialog, LabelKeepsItsStoredPlaceAndTakesTheSizeOfItsSentence) {
    fsetup setup;
    setup.Load();
    EXPECT_EQ(setup.Label1.Caption(), "Nothing to do for setup");
    EXPECT_EQ(setup.Label1.Left(), kLabelLeftTw);
    EXPECT_EQ(setup.Label1.Top(), kLabelTopTw);

    HDC screen = ::GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(kLabelCentiPoints, ::GetDeviceCaps(screen, LOGPIXELSY), kCentiPointsPerInch);
    lf.lfWeight = FW_BOLD;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE extent = {};
    const std::string& text = setup.Label1.Caption();
    ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);

    EXPECT_NEAR(setup.Label1.Width(), extent.cx * TwipsPerPixelXOfScreen(), TwipsPerPixelXOfScreen());
    EXPECT_NEAR(setup.Label1.Height(), extent.cy * TwipsPerPixelYOfScreen(), TwipsPerPixelYOfScreen());
    setup.Unload();
}

TEST_F(SetupDialog, AnyUnloadRaisesTheEndFlagAndCannotBeCancelled) {
    fsetup setup;
    setup.Load();
    EXPECT_TRUE(setup.Unload());
    EXPECT_TRUE(EndRequested);
    EXPECT_FALSE(setup.IsLoaded());
}

// --- the hook --------------------------------------------------------------------------

TEST_F(SetupDialog, HookPassesOrdinaryMessagesUnchangedToTheWindowsOwnProcedure) {
    ProbeWindow probe;
    HookSetupWindow(probe.hWnd());
    EXPECT_EQ(::SendMessageA(probe.hWnd(), kProbeMessage, 11, 22), kProbeResult);
    ASSERT_FALSE(probe.SeenMessages().empty());
    const ProbeWindow::Seen& last = probe.SeenMessages().back();
    EXPECT_EQ(last.msg, kProbeMessage);
    EXPECT_EQ(last.wParam, 11u);
    EXPECT_EQ(last.lParam, 22);
    UnhookSetupWindow(probe.hWnd());
}

TEST_F(SetupDialog, HookSendsSystemCommandsToTheDefaultProcedureOnly) {
    ProbeWindow probe;
    ::ShowWindow(probe.hWnd(), SW_SHOW);
    HookSetupWindow(probe.hWnd());
    ::SendMessageA(probe.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(probe.hWnd())) << "the default procedure did not carry the command out";
    // The close command reaches the window as WM_CLOSE, from the default procedure.
    ::SendMessageA(probe.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(probe.Saw(WM_CLOSE));
    EXPECT_FALSE(probe.Saw(WM_SYSCOMMAND));
    UnhookSetupWindow(probe.hWnd());
}

TEST_F(SetupDialog, UnhookPutsTheOldProcedureBackAndASecondUnhookChangesNothing) {
    ProbeWindow probe;
    const LONG_PTR own = ::GetWindowLongPtrA(probe.hWnd(), GWLP_WNDPROC);
    HookSetupWindow(probe.hWnd());
    EXPECT_EQ(::GetWindowLongPtrA(probe.hWnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SetupWndProc));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(OldSetupWndProc), own);
    UnhookSetupWindow(probe.hWnd());
    EXPECT_EQ(::GetWindowLongPtrA(probe.hWnd(), GWLP_WNDPROC), own);
    EXPECT_EQ(OldSetupWndProc, nullptr);
    UnhookSetupWindow(probe.hWnd());
    EXPECT_EQ(::GetWindowLongPtrA(probe.hWnd(), GWLP_WNDPROC), own);

    // Hooked again, system commands once more bypass the window's own procedure.
    HookSetupWindow(probe.hWnd());
    ::SendMessageA(probe.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(probe.Saw(WM_SYSCOMMAND));
    UnhookSetupWindow(probe.hWnd());
    ::SendMessageA(probe.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(probe.Saw(WM_SYSCOMMAND)) << "still hooked after the unhook";
}

TEST_F(SetupDialog, HookedDialogClosesByTheCloseCommandAndRaisesTheEndFlag) {
    fsetup setup;
    setup.Load();
    HWND hWnd = setup.hWnd();
    HookSetupWindow(hWnd);
    setup.Show();
    ::SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(EndRequested);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(setup.IsLoaded());
    // The driver's teardown on the closed dialog: both are harmless.
    UnhookSetupWindow(hWnd);
    EXPECT_EQ(OldSetupWndProc, nullptr);
    EXPECT_TRUE(setup.Unload());
}

TEST_F(SetupDialog, HookedDialogMinimisesByItsSystemCommand) {
    fsetup setup;
    setup.Load();
    HookSetupWindow(setup.hWnd());
    setup.Show();
    ::SendMessageA(setup.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(setup.hWnd()));
    EXPECT_FALSE(EndRequested);
    UnhookSetupWindow(setup.hWnd());
    setup.Unload();
}

// --- finding, restoring, raising, placing ----------------------------------------------

TEST(WindowUtilities, FindAppWindowFindsOnlyFormWindowsWithThatCaption) {
    const std::string unique = "Zelvane find " + std::to_string(::GetCurrentProcessId());
    fsetup form;
    form.Load();
    form.SetCaption(unique);
    EXPECT_EQ(FindAppWindow(unique, ""), form.hWnd()) << "a hidden form window counts too";
    EXPECT_EQ(FindAppWindow(unique + "x", ""), nullptr);

    ProbeWindow other;
    ::SetWindowTextA(other.hWnd(), (unique + " other").c_str());
    EXPECT_EQ(FindAppWindow(unique + " other", ""), nullptr) << "another class is not the program's";
    EXPECT_EQ(FindAppWindow(unique + " other", ProbeWindow::kClass), other.hWnd());
    form.Unload();
    EXPECT_EQ(FindAppWindow(unique, ""), nullptr);
}

TEST(WindowUtilities, RestoreAndActivateBringsAMinimisedWindowBackToTheFront) {
    ProbeWindow probe;
    ::ShowWindow(probe.hWnd(), SW_SHOW);
    RECT normal;
    ::GetWindowRect(probe.hWnd(), &normal);
    ::ShowWindow(probe.hWnd(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(probe.hWnd()));
    RestoreAndActivate(probe.hWnd());
    Pump();
    EXPECT_FALSE(::IsIconic(probe.hWnd()));
    EXPECT_EQ(::GetForegroundWindow(), probe.hWnd());
    RECT restored;
    ::GetWindowRect(probe.hWnd(), &restored);
    EXPECT_TRUE(::EqualRect(&normal, &restored));
}

TEST(WindowUtilities, MakeTopMostOnAHiddenWindowKeepsItTopmostOnceShownAndInPlace) {
    ProbeWindow probe;
    RECT before;
    ::GetWindowRect(probe.hWnd(), &before);
    MakeTopMost(probe.hWnd());
    EXPECT_TRUE(::GetWindowLongA(probe.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::ShowWindow(probe.hWnd(), SW_SHOW);
    EXPECT_TRUE(::GetWindowLongA(probe.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT after;
    ::GetWindowRect(probe.hWnd(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

class CenterOver : public ::testing::Test {
protected:
    void SetUp() override {
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
        work_ = mi.rcWork;
        ::ShowWindow(owner_.hWnd(), SW_SHOWNOACTIVATE);
    }
    void PlaceOwner(int x, int y, int width, int height) {
        ::SetWindowPos(owner_.hWnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SizeDialog(int width, int height) {
        ::SetWindowPos(dialog_.hWnd(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT DialogRect() const {
        RECT rc;
        ::GetWindowRect(dialog_.hWnd(), &rc);
        return rc;
    }
    RECT work_ = {};
    ProbeWindow owner_;
    ProbeWindow dialog_;
};

TEST_F(CenterOver, PutsTheDialogsMiddleOnTheOwnersMiddle) {
    PlaceOwner(work_.left + 100, work_.top + 80, 500, 400);
    SizeDialog(200, 120);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    RECT rc = DialogRect();
    EXPECT_EQ(rc.left, work_.left + 100 + 150);
    EXPECT_EQ(rc.top, work_.top + 80 + 140);
    EXPECT_EQ(rc.right - rc.left, 200);
    EXPECT_EQ(rc.bottom - rc.top, 120);
}

TEST_F(CenterOver, KeepsTheDialogInsideTheWorkAreaNearItsEdges) {
    PlaceOwner(work_.right - 100, work_.bottom - 60, 300, 200);
    SizeDialog(200, 120);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    RECT rc = DialogRect();
    EXPECT_EQ(rc.right, work_.right);
    EXPECT_EQ(rc.bottom, work_.bottom);

    PlaceOwner(work_.left - 250, work_.top - 150, 300, 200);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    rc = DialogRect();
    EXPECT_EQ(rc.left, work_.left);
    EXPECT_EQ(rc.top, work_.top);
}

TEST_F(CenterOver, KeepsTheTitleBarVisibleWhenTheDialogIsLargerThanTheWorkArea) {
    PlaceOwner(work_.left + 10, work_.top + 10, 100, 100);
    SizeDialog(work_.right - work_.left + 200, work_.bottom - work_.top + 100);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    RECT rc = DialogRect();
    EXPECT_EQ(rc.left, work_.left);
    EXPECT_EQ(rc.top, work_.top);
}

TEST_F(CenterOver, LeavesTheDialogWhereItIsWhenTheOwnerIsHiddenOrMinimised) {
    PlaceOwner(work_.left + 300, work_.top + 200, 300, 200);
    SizeDialog(200, 120);
    ::SetWindowPos(dialog_.hWnd(), nullptr, 17, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(owner_.hWnd(), SW_MINIMIZE);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    EXPECT_EQ(DialogRect().left, 17);
    EXPECT_EQ(DialogRect().top, 23);
    ::ShowWindow(owner_.hWnd(), SW_HIDE);
    CenterOverWindow(dialog_.hWnd(), owner_.hWnd());
    EXPECT_EQ(DialogRect().left, 17);
    EXPECT_EQ(DialogRect().top, 23);
}

}  // namespace
}  // namespace zelvane
