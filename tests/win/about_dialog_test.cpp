// The About dialog in process: its load / show / unload cycle, the auto-close timer,
// modal and modeless shows, centring, the link labels' hover behaviour, and where the
// links lie on the text, measured and on screen. Presses on the links are driven end to
// end, against the running saver.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <cstdlib>
#include <string>
#include <vector>

#include "about/fabout.h"
#include "core/about_text.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "runcontrol/run_control.h"
#include "tests/win/test_support.h"

#include <uxtheme.h>
#include "program/globals.h"

namespace zelvane {
namespace {

using testing_support::CaptureClient;
using testing_support::PumpUntil;

constexpr int32_t kShortIntervalMs = 200;
// Long enough that the window behind ticks a few times even where showing the dialog takes
// most of it (under qemu on a loaded machine, 800 ms gave two ticks).
constexpr int32_t kModalIntervalMs = 2000;
constexpr DWORD kLivenessMs = 5000;
constexpr int32_t kTickMs = 50;
constexpr int kMinTicksDuringModal = 3;
constexpr size_t kAboutLines = 9;
constexpr size_t kTitleLine = 1, kCopyrightLine = 3;  // lines 2 and 4, counted from 0
constexpr size_t kMailLine = 7;                       // lines 8 and 9, counted from 0
constexpr size_t kWebLine = 8;
constexpr size_t kLinkGapBlanks = 12;
constexpr UINT kHandHotspotX = 12, kHandHotspotY = 1;
constexpr int kInset = 2;  // pixels inside a control where the tests point at it
constexpr int kMinInkRowsPerLine = 3;
constexpr UINT_PTR kProbeDelayMs = 300;
constexpr int kAbsoluteMouseRange = 65535;  // absolute SendInput coordinates span the screen in this
constexpr int kIconPx = 32;
constexpr uint32_t kRgbMask = 0x00FFFFFF;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == kCR)
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool IsTopmost(HWND hWnd) {
    return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The pixels of a rectangle of a window's client area.
void MouseMoveOver(fabout& dialog, const forms::WindowlessControl& control) {
    RECT rc = control.PixelRect();
    ::SendMessageA(dialog.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + kInset, rc.top + kInset));
}

// A shown window with a ticking timer: the clock behind a modal dialog.
class TickingForm : public forms::Form {
public:
    TickingForm() : forms::Form(Spec()) {
        Add(tick);
        tick.SetInterval(kTickMs);
        tick.SetEnabled(true);
        tick.onTimer = [this] { ++ticks; };
    }
    forms::Timer tick;
    int ticks = 0;

private:
    static forms::FormSpec Spec() {
        forms::FormSpec spec;
        spec.border = forms::BorderStyle::kNone;
        spec.clientWidthTw = 1500;
        spec.clientHeightTw = 1500;
        return spec;
    }
};

// What a thread timer saw while a modal dialog ran; thread timers carry no context.
struct ModalProbe {
    HWND behind = nullptr;
    bool ran = false;
    bool behindEnabled = true;
    int shows = 0;  // times the dialog became visible with the window behind still enabled
    bool aboutTopmost = false;
    bool aboutVisible = false;
    HWND about = nullptr;
} probe;

void CALLBACK ProbeDuringModal(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    probe.ran = true;
    if (probe.behind)
        probe.behindEnabled = ::IsWindowEnabled(probe.behind) != FALSE;
    probe.about = ::FindWindowA(forms::kFormClassName, "About");
    if (probe.about) {
        probe.aboutTopmost = IsTopmost(probe.about);
        probe.aboutVisible = ::IsWindowVisible(probe.about) != FALSE;
        ::PostMessageA(probe.about, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void CALLBACK ProbeBehindModal(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    probe.ran = true;
    probe.behindEnabled = ::IsWindowEnabled(probe.behind) != FALSE;
}

// Sees the modal dialog become visible and whether the window behind still took input then.
LRESULT CALLBACK WatchModalShow(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && call->hwnd != probe.behind &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) && probe.behind &&
        ::IsWindowEnabled(probe.behind))
        ++probe.shows;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutDialog : public ::testing::Test {
protected:
    void SetUp() override {
        savedTitle_ = AppTitle;
        savedYear_ = YearText;
        AppTitle = forms::AppTitle();
        YearText = kYearText;
        // The real pointer stays off the dialog: only the tests' own moves count.
        ::SetCursorPos(0, 0);
        probe = ModalProbe();
    }
    void TearDown() override {
        AppTitle = savedTitle_;
        YearText = savedYear_;
    }
    std::string savedTitle_, savedYear_;
};

// --- load, unload, interval, modeless and modal shows ---------------------------------

TEST_F(AboutDialog, IsLoadedOnlyFromItsLoadToItsUnload) {
    fabout dialog;
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(dialog.Modeless());
    dialog.Load();
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_EQ(::GetWindowLongA(dialog.hWnd(), GWL_STYLE) & WS_THICKFRAME, 0) << "fixed border";
    char caption[64] = {};
    ::GetWindowTextA(dialog.hWnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "About");
    HWND hWnd = dialog.hWnd();
    dialog.Unload();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(::IsWindow(hWnd));
    dialog.Load();
    EXPECT_TRUE(dialog.Loaded());
    dialog.Unload();
}

TEST_F(AboutDialog, IntervalTouchesTheTimerAndSoLoadsTheDialog) {
    fabout dialog;
    dialog.SetInterval(kShortIntervalMs);
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_EQ(dialog.TimerHide.Interval(), kShortIntervalMs);
    EXPECT_FALSE(dialog.TimerHide.Enabled()) << "writing the interval does not start the timer";
    dialog.Unload();
}

TEST_F(AboutDialog, ReadingIntervalTakesTheTimersOwnInterval) {
    fabout dialog;
    dialog.SetInterval(kShortIntervalMs);
    dialog.TimerHide.SetInterval(0);
    EXPECT_EQ(dialog.Interval(), 0);
    // The read replaced the remembered interval: About now leaves the timer off.
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    EXPECT_FALSE(dialog.TimerHide.Enabled());
    dialog.Unload();
}

TEST_F(AboutDialog, ModelessAboutReturnsAtOnceTopmostAndClosesItselfAfterTheInterval) {
    fabout dialog;
    dialog.Load();
    dialog.SetInterval(kShortIntervalMs);
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    ASSERT_TRUE(dialog.Loaded());
    EXPECT_TRUE(::IsWindowVisible(dialog.hWnd()));
    EXPECT_TRUE(IsTopmost(dialog.hWnd()));
    EXPECT_TRUE(dialog.TimerHide.Enabled());
    HWND hWnd = dialog.hWnd();
    EXPECT_TRUE(PumpUntil([&] { return !dialog.Loaded(); }, kLivenessMs));
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(dialog.TimerHide.Enabled());
}

TEST_F(AboutDialog, WithoutAnIntervalItStaysUntilClosed) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    EXPECT_FALSE(dialog.TimerHide.Enabled());
    PumpFor(2 * kShortIntervalMs);
    EXPECT_TRUE(dialog.Loaded());
    dialog.Unload();
}

TEST_F(AboutDialog, ANewLoadStartsFromTheStoredForm) {
    fabout dialog;
    dialog.SetInterval(kShortIntervalMs);
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    MouseMoveOver(dialog, dialog.lblweb);
    dialog.Unload();
    dialog.Load();
    EXPECT_FALSE(dialog.TimerHide.Enabled());
    EXPECT_EQ(dialog.TimerHide.Interval(), 0);
    EXPECT_FALSE(dialog.lblweb.Font().underline);
    EXPECT_EQ(dialog.lblweb.MousePointer(), forms::kPointerDefault);
    EXPECT_EQ(dialog.lblAbout.Caption(), "");
    dialog.Unload();
}

TEST_F(AboutDialog, ModalAboutReturnsAfterAutoCloseWhileOtherWindowsTick) {
    TickingForm behind;
    behind.Show();
    probe.behind = behind.hWnd();
    fabout dialog;
    dialog.Load();
    dialog.SetInterval(kModalIntervalMs);
    UINT_PTR timer = ::SetTimer(nullptr, 0, kProbeDelayMs, &ProbeBehindModal);
    ASSERT_NE(timer, 0u);
    const int ticksBefore = behind.ticks;
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &WatchModalShow, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    dialog.About("", nullptr);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(probe.shows, 0) << "the dialog appeared while the window behind still took input";
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(probe.ran);
    EXPECT_FALSE(probe.behindEnabled) << "the window behind takes no input during the modal show";
    EXPECT_TRUE(::IsWindowEnabled(behind.hWnd())) << "and gets it back afterwards";
    EXPECT_GE(behind.ticks - ticksBefore, kMinTicksDuringModal) << "its timer kept running";
    behind.Unload();
}

// Enter and Esc press the OK button (default and cancel); the close command closes too.
class ModalClose : public AboutDialog, public ::testing::WithParamInterface<int> {};

TEST_P(ModalClose, ReturnsFromTheModalShowUnloaded) {
    fabout dialog;
    dialog.Load();
    if (GetParam() == SC_CLOSE) {
        ::PostMessageA(dialog.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        ::PostMessageA(dialog.btnOK.hWnd(), WM_KEYDOWN, GetParam(), 0);
        ::PostMessageA(dialog.btnOK.hWnd(), WM_KEYUP, GetParam(), 0);
    }
    dialog.About("", nullptr);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(dialog.IsLoaded());
}

std::string ModalCloseName(const ::testing::TestParamInfo<int>& info) {
    return info.param == VK_RETURN ? "Enter" : info.param == VK_ESCAPE ? "Escape" : "CloseCommand";
}

INSTANTIATE_TEST_SUITE_P(Ways, ModalClose, ::testing::Values(VK_RETURN, VK_ESCAPE, SC_CLOSE), ModalCloseName);

TEST_F(AboutDialog, LoadCentresTheWholeWindowOnTheScreen) {
    fabout dialog;
    dialog.Load();
    RECT rc;
    ::GetWindowRect(dialog.hWnd(), &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    EXPECT_LE(std::abs(2 * rc.left + width - ::GetSystemMetrics(SM_CXSCREEN)), 2);
    EXPECT_LE(std::abs(2 * rc.top + height - ::GetSystemMetrics(SM_CYSCREEN)), 2);
    dialog.Unload();
}

TEST_F(AboutDialog, ShowAboutShowsATopmostDialogAndLeavesNothingBehind) {
    UINT_PTR timer = ::SetTimer(nullptr, 0, kProbeDelayMs, &ProbeDuringModal);
    ASSERT_NE(timer, 0u);
    ShowAbout(kTrue, kAboutIconId, "");
    ASSERT_TRUE(probe.ran);
    ASSERT_NE(probe.about, nullptr) << "no window captioned About during ShowAbout";
    EXPECT_TRUE(probe.aboutVisible);
    EXPECT_TRUE(probe.aboutTopmost);
    EXPECT_FALSE(::IsWindow(probe.about));
    EXPECT_EQ(::FindWindowA(forms::kFormClassName, "About"), nullptr);
}

// --- the link labels -------------------------------------------------------------------

TEST_F(AboutDialog, LinksShowTheBareAddresses) {
    fabout dialog;
    dialog.Load();
    EXPECT_EQ(dialog.lblweb.Caption(), GetWebAddress());
    EXPECT_NE(dialog.lblweb.Caption().back(), '/');
    EXPECT_EQ(dialog.lblweb.Caption() + "/", WebTarget());
    EXPECT_EQ(dialog.lblmailto.Caption(), ContactAddress());
    EXPECT_EQ(dialog.lblmailto.Caption().find("mailto:"), std::string::npos);
    EXPECT_TRUE(dialog.lblweb.Visible());
    EXPECT_TRUE(dialog.lblmailto.Visible());
    dialog.Unload();
}

TEST_F(AboutDialog, HoverUnderlinesOnlyTheLastLinkAndGivesItTheHand) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    auto& mail = dialog.lblmailto;
    auto& web = dialog.lblweb;
    const float linkHeight = static_cast<float>(web.Height());

    MouseMoveOver(dialog, mail);
    EXPECT_TRUE(mail.Font().underline);
    EXPECT_FALSE(web.Font().underline);
    EXPECT_EQ(mail.MousePointer(), forms::kPointerCustom);
    ASSERT_NE(mail.MouseIcon(), nullptr);
    EXPECT_EQ(web.MousePointer(), forms::kPointerDefault);

    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(mail.MouseIcon(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, kHandHotspotX);
    EXPECT_EQ(info.yHotspot, kHandHotspotY);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);

    MouseMoveOver(dialog, web);
    EXPECT_TRUE(web.Font().underline);
    EXPECT_FALSE(mail.Font().underline);
    EXPECT_EQ(web.MousePointer(), forms::kPointerCustom);
    EXPECT_NE(web.MouseIcon(), nullptr);
    EXPECT_EQ(mail.MousePointer(), forms::kPointerDefault);
    EXPECT_EQ(mail.MouseIcon(), nullptr);
    EXPECT_EQ(static_cast<float>(web.Height()), linkHeight) << "an underline does not resize the label";

    // Onto the button (a window of its own): the underline stays.
    ::SendMessageA(dialog.btnOK.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(kInset, kInset));
    EXPECT_TRUE(web.Font().underline);

    MouseMoveOver(dialog, dialog.lblAbout);
    EXPECT_FALSE(web.Font().underline);
    EXPECT_FALSE(mail.Font().underline);
    EXPECT_EQ(web.MousePointer(), forms::kPointerCustom) << "the text label leaves the pointers alone";

    MouseMoveOver(dialog, mail);
    MouseMoveOver(dialog, dialog.Frame1);
    EXPECT_FALSE(web.Font().underline);
    EXPECT_FALSE(mail.Font().underline);
    dialog.Unload();
}

// Real input, in the platform's order: WM_SETCURSOR comes before the WM_MOUSEMOVE that
// gives a link its hand, yet the hand shows at once, also straight from the other link.
TEST_F(AboutDialog, TheHandShowsAtOnceOverALinkAndOnlyThere) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    auto screenCursor = [] {
        CURSORINFO ci = {};
        ci.cbSize = sizeof ci;
        return ::GetCursorInfo(&ci) ? ci.hCursor : nullptr;
    };
    auto moveOnto = [&](const forms::WindowlessControl& control) {
        const RECT rc = control.PixelRect();
        POINT pt = {rc.left + kInset, rc.top + kInset};
        ::ClientToScreen(dialog.hWnd(), &pt);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = ::MulDiv(pt.x, kAbsoluteMouseRange, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ::MulDiv(pt.y, kAbsoluteMouseRange, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        ::SendInput(1, &in, sizeof in);
    };
    auto handOf = [&](forms::Label& link) {
        return PumpUntil([&] { return link.MouseIcon() && screenCursor() == link.MouseIcon(); }, kLivenessMs);
    };

    moveOnto(dialog.lblmailto);
    EXPECT_TRUE(handOf(dialog.lblmailto)) << "no hand on the first move onto a link";
    moveOnto(dialog.lblweb);
    EXPECT_TRUE(handOf(dialog.lblweb)) << "no hand after moving straight onto the other link";
    moveOnto(dialog.lblAbout);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_TRUE(PumpUntil([&] { return screenCursor() == arrow; }, kLivenessMs)) << "the hand stayed over the text";
    ::SetCursorPos(0, 0);
    dialog.Unload();
}

// What the dialog shows: the title and copyright lines with their dash and copyright sign
// as the platform draws them, whatever the system's ANSI code page (on 936 the code
// page's bytes read as 1252 would be stray letters), and icon 101 drawn in its box.
TEST_F(AboutDialog, ShowsItsDashCopyrightSignAndIconWhateverTheCodePage) {
    const std::string codePage = testing_support::ExpectedEnvironment("ZELVANE_ANSI_CODE_PAGE");
    if (!codePage.empty()) {
        ASSERT_EQ(std::to_string(::GetACP()), codePage) << "the run did not get the code page it set";
    }
    forms::UniqueIcon icon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kAboutIconId),
                                                           IMAGE_ICON, kIconPx, kIconPx, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon);
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", icon.get());
    const std::vector<std::string> lines = LinesOf(dialog.lblAbout.Caption());
    ASSERT_EQ(lines.size(), kAboutLines);
    EXPECT_NE(lines[kTitleLine].find(u8"  \u2013  version "), std::string::npos) << lines[kTitleLine];
    EXPECT_EQ(lines[kCopyrightLine].rfind(u8"Copyright \u00A9 ", 0), 0u) << lines[kCopyrightLine];

    ::RedrawWindow(dialog.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT area = dialog.lblAbout.PixelRect();
    const int pitch = forms::TwipsToPixelsY(dialog.lblAbout.LineSpacing());
    for (const size_t line : {kTitleLine, kCopyrightLine}) {
        const RECT row = {area.left, area.top + static_cast<int>(line) * pitch, area.right,
                          area.top + static_cast<int>(line + 1) * pitch};
        const std::vector<uint32_t> shown = CaptureClient(dialog.hWnd(), row);
        const std::vector<uint32_t> drawn = testing_support::DrawnByThePlatform(
            lines[line], dialog.lblAbout.Font(), row.right - row.left, pitch, ::GetSysColor(COLOR_WINDOW),
            ::GetSysColor(COLOR_BTNTEXT), DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_LEFT);
        ASSERT_EQ(shown.size(), drawn.size());
        int differing = 0;
        for (size_t i = 0; i < shown.size(); ++i)
            differing += (shown[i] & kRgbMask) != (drawn[i] & kRgbMask);
        EXPECT_EQ(differing, 0) << "line " << line + 1 << " is not drawn as the platform draws " << lines[line];
    }

    const RECT box = dialog.imgIcon.PixelRect();
    const std::vector<uint32_t> shown = CaptureClient(dialog.hWnd(), box);
    forms::WindowDC screen(nullptr);
    forms::UniqueMemDC mem(::CreateCompatibleDC(screen.get()));
    forms::UniqueBitmap drawn(::CreateCompatibleBitmap(screen.get(), kIconPx, kIconPx));
    const RECT all = {0, 0, kIconPx, kIconPx};
    std::vector<uint32_t> expected;
    {
        forms::SelectGuard keep(mem.get(), drawn.get());
        forms::UniqueBrush back(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
        ::FillRect(mem.get(), &all, back.get());
        ::DrawIconEx(mem.get(), 0, 0, icon.get(), kIconPx, kIconPx, 0, nullptr, DI_NORMAL);
        expected = testing_support::CaptureDC(mem.get(), all);
    }
    ASSERT_EQ(shown.size(), static_cast<size_t>(kIconPx * kIconPx));
    ASSERT_EQ(expected.size(), shown.size());
    int differing = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        differing += (shown[i] & kRgbMask) != (expected[i] & kRgbMask);
    EXPECT_EQ(differing, 0) << "the picture box does not show icon 101";
    dialog.Unload();
}

// A system colour changed while the dialog is open (High Contrast, another scheme): the
// form's background, the frame and the text label all show the new window colour, with
// no box of one colour on the other.
TEST_F(AboutDialog, TakesAWindowColourChangedWhileItIsOpen) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    const int index = COLOR_WINDOW;
    const COLORREF saved = ::GetSysColor(index);
    const COLORREF changed = saved == RGB(0, 128, 0) ? RGB(128, 0, 0) : RGB(0, 128, 0);
    struct Restore {
        int index;
        COLORREF color;
        ~Restore() { ::SetSysColors(1, &index, &color); }
    } restore{index, saved};
    ASSERT_TRUE(::SetSysColors(1, &index, &changed));

    const RECT frame = dialog.Frame1.PixelRect(), text = dialog.lblAbout.PixelRect();
    const POINT points[] = {{kInset, kInset},                                   // the form
                            {frame.left + 4 * kInset, frame.top + 2 * kInset},  // the frame, above the text
                            {text.left + kInset, text.top + kInset}};           // the text's empty first line
    auto colourAt = [&](POINT pt) {
        const RECT one = {pt.x, pt.y, pt.x + 1, pt.y + 1};
        const std::vector<uint32_t> px = CaptureClient(dialog.hWnd(), one);
        return px.empty() ? 0u : px[0] & kRgbMask;
    };
    const uint32_t wanted = (GetRValue(changed) << 16) | (GetGValue(changed) << 8) | GetBValue(changed);
    EXPECT_TRUE(PumpUntil(
        [&] {
            return std::all_of(std::begin(points), std::end(points), [&](POINT pt) { return colourAt(pt) == wanted; });
        },
        kLivenessMs))
        << "form " << std::hex << colourAt(points[0]) << ", frame " << colourAt(points[1]) << ", text "
        << colourAt(points[2]) << ", wanted " << wanted;
    dialog.Unload();
}

// A system colour for the span of a test.
struct ScopedSysColor {
    ScopedSysColor(int index, COLORREF color) : index(index), saved(::GetSysColor(index)) {
        ::SetSysColors(1, &index, &color);
    }
    ~ScopedSysColor() { ::SetSysColors(1, &index, &saved); }
    int index;
    COLORREF saved;
};

uint32_t Rgb(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// With visual styles a push button leaves its rounded corners to its parent, asking it to
// paint there (DrawThemeParentBackground: WM_ERASEBKGND, then WM_PRINTCLIENT); Wine draws
// no themes, so the test asks as the themed button would. The whole of the button's place
// shows the dialog's own colour, and so does the brush a button is given (WM_CTLCOLORBTN).
TEST_F(AboutDialog, AThemedOkButtonFindsTheDialogsColourBehindItsCorners) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    HWND ok = dialog.btnOK.hWnd();
    RECT button;
    ::GetClientRect(ok, &button);
    HDC screen = ::GetDC(nullptr);
    forms::UniqueMemDC mem(::CreateCompatibleDC(screen));
    forms::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, button.right, button.bottom));
    ::ReleaseDC(nullptr, screen);
    forms::SelectGuard select(mem.get(), bitmap.get());
    forms::UniqueBrush stray(::CreateSolidBrush(RGB(255, 0, 255)));
    ::FillRect(mem.get(), &button, stray.get());

    ASSERT_EQ(::DrawThemeParentBackground(ok, mem.get(), &button), S_OK);
    const uint32_t window = Rgb(::GetSysColor(COLOR_WINDOW));
    const std::vector<uint32_t> behind = testing_support::CaptureDC(mem.get(), button);
    ASSERT_FALSE(behind.empty());
    EXPECT_EQ(std::count_if(behind.begin(), behind.end(), [&](uint32_t px) { return (px & kRgbMask) != window; }), 0)
        << "first pixel " << std::hex << behind.front();

    auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
        dialog.hWnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(mem.get()), reinterpret_cast<LPARAM>(ok)));
    LOGBRUSH logical = {};
    ASSERT_EQ(::GetObjectA(brush, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(Rgb(logical.lbColor), window);
    dialog.Unload();
}

// In High Contrast with a black window colour, pure blue links are nearly invisible: while
// it is on they take the system's hot-track colour, read again when the setting or the
// colours change; off again, they are blue. (Wine cannot switch High Contrast: a stand-in
// answers for the system.)
bool highContrast = false;

TEST_F(AboutDialog, LinksTakeTheHotTrackColourWhileHighContrastIsOn) {
    constexpr COLORREF kBlue = RGB(0, 0, 255), kHotTrack = RGB(255, 0, 255);
    ScopedSysColor black(COLOR_WINDOW, RGB(0, 0, 0));
    ScopedSysColor hotTrack(COLOR_HOTLIGHT, kHotTrack);
    highContrast = false;
    const forms::HighContrastSource saved = forms::SetHighContrastSource([] { return highContrast; });
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    auto linkShows = [&](COLORREF color) {
        const std::vector<uint32_t> px = CaptureClient(dialog.hWnd(), dialog.lblweb.PixelRect());
        return std::count(px.begin(), px.end(), Rgb(color)) > 0;
    };
    EXPECT_TRUE(PumpUntil([&] { return linkShows(kBlue); }, kLivenessMs)) << "no blue link";

    highContrast = true;
    ::SendMessageA(dialog.hWnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(PumpUntil([&] { return linkShows(kHotTrack) && !linkShows(kBlue); }, kLivenessMs))
        << "the link kept its blue in High Contrast";
    highContrast = false;
    ::SendMessageA(dialog.hWnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return linkShows(kBlue); }, kLivenessMs)) << "the blue did not come back";
    dialog.Unload();
    forms::SetHighContrastSource(saved);
}

// --- where the links lie on the text ---------------------------------------------------

TEST_F(AboutDialog, LinksLieOverTheBlankRunsOfLinesEightAndNine) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    const forms::Label& text = dialog.lblAbout;
    const std::vector<std::string> lines = LinesOf(text.Caption());
    ASSERT_EQ(lines.size(), kAboutLines);
    const std::string mailRun(ContactAddress().size() + kLinkGapBlanks, ' ');
    ASSERT_EQ(lines[kMailLine].compare(0, mailRun.size(), mailRun), 0);
    ASSERT_EQ(lines[kWebLine], std::string(WebTarget().size(), ' '));

    const int32_t pitch = text.LineSpacing();
    ASSERT_GT(pitch, 0);
    EXPECT_EQ(dialog.lblweb.Top() - dialog.lblmailto.Top(), pitch) << "consecutive lines";
    EXPECT_LE(static_cast<int32_t>(kAboutLines) * pitch, text.Height()) << "every line shows";
    struct Link {
        forms::Label* label;
        size_t line;
    };
    for (const Link& link : {Link{&dialog.lblmailto, kMailLine}, Link{&dialog.lblweb, kWebLine}}) {
        const int32_t lineTop = text.Top() + static_cast<int32_t>(link.line) * pitch;
        EXPECT_GE(link.label->Top(), lineTop) << link.label->Caption();
        EXPECT_LE(link.label->Top() + link.label->Height(), lineTop + pitch) << link.label->Caption();
        EXPECT_EQ(link.label->Left(), text.Left());
        EXPECT_LE(link.label->Left() + link.label->Width(), text.Left() + text.Width());
    }
    // The mail link ends before the words that follow its run on line 8.
    forms::Label& measure = dialog.lblAbout;
    EXPECT_LE(dialog.lblmailto.Width(), measure.TextWidth(mailRun));
    // No line is wrapped: each fits the text label's width.
    for (const std::string& line : lines)
        EXPECT_LE(measure.TextWidth(line), text.Width()) << line;
    dialog.Unload();
}

// The screen shows the same: ink of the text only on the lines that carry words, each
// line's ink inside its own 240-twip slot, and the mail link's blue ending left of the
// words on line 8.
TEST_F(AboutDialog, OnScreenTheLinksSitInTheBlankRunsAndTouchNoWord) {
    fabout dialog;
    dialog.SetModeless(kTrue);
    dialog.About("", nullptr);
    MouseMoveOver(dialog, dialog.lblmailto);  // underlined, as under the pointer
    ::RedrawWindow(dialog.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    const RECT area = dialog.lblAbout.PixelRect();
    const int width = area.right - area.left, height = area.bottom - area.top;
    const std::vector<uint32_t> px = CaptureClient(dialog.hWnd(), area);
    ASSERT_EQ(px.size(), static_cast<size_t>(width) * height);
    const COLORREF back = ::GetSysColor(COLOR_WINDOW);
    auto kind = [&](int x, int y) {
        uint32_t v = px[y * width + x];
        int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
        if (r == GetRValue(back) && g == GetGValue(back) && b == GetBValue(back))
            return 0;                               // background
        return (b > r + 64 && b > g + 64) ? 1 : 2;  // link blue, other ink
    };

    const int pitch = forms::TwipsToPixelsY(dialog.lblAbout.LineSpacing());
    ASSERT_GT(pitch, 0) << "the text has no line pitch of its own";
    std::vector<int> inkRows(kAboutLines, 0), blueRows(kAboutLines, 0);
    int mailBlueRight = -1, wordLeftOnMailLine = width;
    for (int y = 0; y < height; ++y) {
        const size_t line = static_cast<size_t>(y / pitch);
        bool ink = false, blue = false;
        for (int x = 0; x < width; ++x) {
            const int k = kind(x, y);
            ink |= k == 2;
            blue |= k == 1;
            if (line == kMailLine && k == 1)
                mailBlueRight = std::max(mailBlueRight, x);
            if (line == kMailLine && k == 2)
                wordLeftOnMailLine = std::min(wordLeftOnMailLine, x);
        }
        if (line < kAboutLines) {
            inkRows[line] += ink;
            blueRows[line] += blue;
        } else {
            EXPECT_FALSE(ink || blue) << "ink below the ninth line, row " << y;
        }
    }
    const std::vector<bool> wordsOnLine = {false, true, false, true, true, false, true, true, false};
    for (size_t line = 0; line < kAboutLines; ++line) {
        if (wordsOnLine[line])
            EXPECT_GE(inkRows[line], kMinInkRowsPerLine) << "line " << line + 1;
        else
            EXPECT_EQ(inkRows[line], 0) << "line " << line + 1;
    }
    EXPECT_GE(blueRows[kMailLine], kMinInkRowsPerLine);
    EXPECT_GE(blueRows[kWebLine], kMinInkRowsPerLine);
    // The words of line 8 start where the text puts them (not cut by the link's
    // background), and right of the link's box and ink.
    const std::string mailRun(ContactAddress().size() + kLinkGapBlanks, ' ');
    const int wordStart = forms::TwipsToPixelsX(dialog.lblAbout.TextWidth(mailRun));
    EXPECT_LE(wordLeftOnMailLine, wordStart + kInset);
    EXPECT_LE(dialog.lblmailto.PixelRect().right - area.left, wordLeftOnMailLine);
    EXPECT_LT(mailBlueRight, wordLeftOnMailLine);
    dialog.Unload();
}

}  // namespace
}  // namespace zelvane
