// The configuration dialog seen from outside: what configure starts show, the owner
// window they disable, the ways to close and move the dialog, a second start beside an
// open dialog, and command lines whose handle is bad or too large.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr char kAppTitle[] = "Zelvane";
constexpr char kStoredCaption[] = "Form1";
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kOverflowText[] = "Run-time error '6':\r\n\r\nOverflow";
constexpr DWORD kOverflowExitCode = 6;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 5000;
constexpr DWORD kStillRunningMs = 1000;  // long enough for a wrongly handled command to end it

// The dialog's stored geometry, in twips, and its sentence.
constexpr int kClientWidthTw = 5880, kClientHeightTw = 3135;
constexpr int kLabelLeftTw = 1140, kLabelTopTw = 1200;
constexpr char kLabelText[] = "Nothing to do for setup";
constexpr char kLabelFace[] = "Arial";
constexpr int kLabelCentiPoints = 1575;

// Dark text: anti-aliased edges are lighter, the strokes are within this of the text colour.
constexpr int kInkTolerance = 64;

constexpr char kSentinelActiveSetup[] = "4242";

// The extent of the sentence in the label's font, as the screen draws it.
SIZE LabelTextExtent() {
    return TextExtent(kLabelFace, kLabelCentiPoints, FW_BOLD, kLabelText);
}

POINT CenterOf(const RECT& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

std::string HandleText(HWND hWnd) {
    return std::to_string(static_cast<int32_t>(reinterpret_cast<intptr_t>(hWnd)));
}

std::string HexHandleText(HWND hWnd) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(hWnd)));
    return buffer;
}

// The point of the window's frame where the hit test gives `hit` (a title-bar button),
// scanning the middle of the title bar from the right; false when there is none.
bool FindTitleBarPart(HWND hWnd, LRESULT hit, POINT* where) {
    RECT window, client = ClientRectOnScreen(hWnd);
    ::GetWindowRect(hWnd, &window);
    const int y = (window.top + client.top) / 2;
    int first = -1, last = -1;
    for (int x = window.right - 1; x >= window.left; --x) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, kEndMs, &result);
        if (static_cast<LRESULT>(result) == hit) {
            if (last < 0)
                last = x;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    if (last < 0)
        return false;
    *where = {(first + last) / 2, y};
    return true;
}

void PressAltWith(WORD vk) {
    KeyDown(VK_MENU);
    PressKey(vk);
    KeyUp(VK_MENU);
}

// Whether keys pressed now reach `window`: it is the foreground window and its own thread has
// made it active and given the keyboard focus to it or a child. Foreground alone is set before
// the thread has handled its activation.
bool TakesKeys(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetForegroundWindow() == window &&
           ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndActive == window &&
           info.hwndFocus && (info.hwndFocus == window || ::IsChild(window, info.hwndFocus));
}

// Whether the thread of `window` has entered one of the system's own loops (GUI_INMENUMODE,
// GUI_INMOVESIZE), which read the keys that follow.
bool ThreadIn(HWND window, DWORD mode) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & mode);
}

std::vector<std::string> StaticTexts(HWND parent) {
    std::vector<std::string> texts;
    for (HWND child = ::FindWindowExA(parent, nullptr, "Static", nullptr); child;
         child = ::FindWindowExA(parent, child, "Static", nullptr))
        texts.push_back(WindowText(child));
    return texts;
}

// A form window of another program, captioned like ours, pumped on its own thread so
// that a second process can restore and activate it.
class ForeignFormWindow {
public:
    ForeignFormWindow(const char* className, const char* title) : className_(className), title_(title) {
        ready_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = ::CreateThread(nullptr, 0, &ForeignFormWindow::Run, this, 0, nullptr);
        ::WaitForSingleObject(ready_, kStartMs);
    }
    ~ForeignFormWindow() {
        if (hWnd_)
            ::PostMessageA(hWnd_, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(thread_, kEndMs);
        ::CloseHandle(thread_);
        ::CloseHandle(ready_);
    }
    ForeignFormWindow(const ForeignFormWindow&) = delete;
    ForeignFormWindow& operator=(const ForeignFormWindow&) = delete;

    HWND Window() const { return hWnd_; }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_DESTROY) {
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    }

    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<ForeignFormWindow*>(param);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ForeignFormWindow::WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = self->className_;
        ::RegisterClassA(&wc);  // fails harmlessly when an earlier test registered it
        constexpr int kLeft = 200, kTop = 150, kWidth = 300, kHeight = 200;
        self->hWnd_ = ::CreateWindowExA(0, self->className_, self->title_, WS_OVERLAPPEDWINDOW, kLeft, kTop, kWidth,
                                        kHeight, nullptr, nullptr, wc.hInstance, nullptr);
        ::ShowWindow(self->hWnd_, SW_SHOW);
        ::SetEvent(self->ready_);
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        return 0;
    }

    const char* className_;
    const char* title_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    HWND hWnd_ = nullptr;
};

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStraySavers();
        savedActiveSetup_ = ReadActiveSetup(&hadActiveSetup_);
    }
    void TearDown() override {
        setup_.Kill();
        KillStraySavers();
        // Some cases write the recorded preview: leave it as the next test expects to find it.
        if (hadActiveSetup_)
            WriteActiveSetup(savedActiveSetup_);
        else
            DeleteActiveSetup();
    }

    // Starts a configure run and waits for its dialog; records whether a window was ever
    // seen showing the stored caption.
    HWND StartSetup(const std::string& args) {
        setup_ = StartSaver(args);
        EXPECT_TRUE(setup_.Running());
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                HWND shown = FindProcessWindow(setup_.Pid(), kFormClass, true);
                if (shown && WindowText(shown) == kStoredCaption)
                    sawStoredCaption_ = true;
                dialog = shown;
                return shown != nullptr;
            },
            kStartMs);
        return dialog;
    }

    // Ends the run by the close command and checks that the process ends cleanly.
    void CloseAndExpectCleanEnd(HWND dialog) {
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        ExpectCleanEnd();
    }

    void ExpectCleanEnd() {
        ASSERT_TRUE(setup_.WaitExit(kEndMs)) << "the configure run did not end";
        EXPECT_EQ(setup_.ExitCode(), 0u);
    }

    Process setup_;
    bool sawStoredCaption_ = false;
    std::string savedActiveSetup_;
    bool hadActiveSetup_ = false;
};

// Waits for a process that must end without showing a window; returns whether it showed one.
bool ShowedWindowBeforeEnd(Process& process) {
    bool showed = false;
    EndByThemselves({&process}, kEndMs, &showed);
    return showed;
}

// --- what a configure start shows, and which owner it disables ----------------------

enum class Owner { kNone, kNamed };

struct DialogCase {
    const char* args;  // "{child}" / "{childhex}" / "{top}" stand for the host's handles
    Owner owner;
};

void PrintTo(const DialogCase& c, std::ostream* os) {
    *os << '"' << c.args << '"';
}

std::string Expand(std::string args, const OwnerHost& host) {
    const std::pair<const char*, std::string> names[] = {
        {"{childhex}", HexHandleText(host.Child())},
        {"{child}", host.ChildText()},
        {"{top}", HandleText(host.Window())},
    };
    for (const auto& [name, value] : names) {
        for (size_t at = args.find(name); at != std::string::npos; at = args.find(name))
            args.replace(at, std::string(name).size(), value);
    }
    return args;
}

class ConfigureStart : public SetupDialogTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(ConfigureStart, ShowsTheTitledDialogAndDisablesOnlyTheNamedOwner) {
    OwnerHost host;
    ASSERT_TRUE(host.Start());
    const bool named = GetParam().owner == Owner::kNamed;
    HWND dialog = StartSetup(Expand(GetParam().args, host));
    ASSERT_NE(dialog, nullptr) << "no setup dialog appeared";

    // One window: the form class, captioned with the title, never with the stored caption.
    EXPECT_EQ(ClassOf(dialog), kFormClass);
    EXPECT_EQ(WindowText(dialog), kAppTitle);
    EXPECT_FALSE(sawStoredCaption_);
    EXPECT_EQ(CountProcessWindows(setup_.Pid(), true), 1);

    // A fixed frame with close and minimise, no maximise, no sizing border.
    LONG style = ::GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    RECT client = {};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, TwipsToPixelsX(kClientWidthTw));
    EXPECT_EQ(client.bottom, TwipsToPixelsY(kClientHeightTw));

    // Over the owner when there is one, else in the middle of the screen.
    RECT window, ownerRect;
    ::GetWindowRect(dialog, &window);
    ::GetWindowRect(host.Window(), &ownerRect);
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    POINT expectedCenter = CenterOf(named ? ownerRect : screen);
    EXPECT_NEAR(CenterOf(window).x, expectedCenter.x, 1);
    EXPECT_NEAR(CenterOf(window).y, expectedCenter.y, 1);

    EXPECT_EQ(::IsWindowEnabled(host.Window()) == FALSE, named) << "owner window enabled state";
    EXPECT_TRUE(::IsWindowEnabled(host.Child()));

    CloseAndExpectCleanEnd(dialog);
    EXPECT_TRUE(::IsWindowEnabled(host.Window()));
    if (named) {
        EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == host.Window(); }, kEndMs))
            << "the owner did not get the foreground back";
    }
}

INSTANTIATE_TEST_SUITE_P(OwnerlessAndOwned,
                         ConfigureStart,
                         ::testing::Values(DialogCase{"", Owner::kNone},
                                           DialogCase{"/c", Owner::kNone},
                                           DialogCase{"/C", Owner::kNone},
                                           DialogCase{"/C:0", Owner::kNone},
                                           DialogCase{"/C:abc", Owner::kNone},
                                           DialogCase{"/C:{child}", Owner::kNamed}));

// The system refuses the dialog's window: the run gives its owner back and ends at once with
// the code that says so, instead of leaving the display settings disabled for good.
TEST_F(SetupDialogTest, ADialogWindowThatCannotBeMadeGivesTheOwnerBackAndEnds) {
    OwnerHost host;
    ASSERT_TRUE(host.Start());
    setup_ = StartSaverWithWindowQuota("/C:" + host.ChildText(), 0);
    bool sawWindow = true;
    DWORD exitCode = 0;
    EXPECT_TRUE(EndsByItself(setup_, kEndMs, &sawWindow, &exitCode)) << "the run waits on";
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(exitCode, kNoWindowExitCode);
    EXPECT_TRUE(::IsWindowEnabled(host.Window())) << "the owner was left disabled";
}

// Command lines that the host never sends: each is read by the numeric rules, none
// crashes or hangs.
INSTANTIATE_TEST_SUITE_P(UnusualCommandLines,
                         ConfigureStart,
                         ::testing::Values(DialogCase{"/C:", Owner::kNone},
                                           DialogCase{"/C:   12", Owner::kNone},
                                           DialogCase{"-c", Owner::kNone},
                                           DialogCase{"/C:&H10", Owner::kNone},
                                           DialogCase{"/C:-1", Owner::kNone},
                                           DialogCase{"/C:-2147483648", Owner::kNone},
                                           DialogCase{"/C:{top}", Owner::kNone},
                                           DialogCase{"/c:{child}", Owner::kNamed},
                                           DialogCase{"/C:   {child}", Owner::kNamed},
                                           DialogCase{"/C:{child}x", Owner::kNamed},
                                           DialogCase{"/C:&H{childhex}", Owner::kNamed},
                                           DialogCase{"-C:{child}", Owner::kNamed}));

// --- what the dialog draws -----------------------------------------------------------

TEST_F(SetupDialogTest, DrawsItsSentenceInDarkTextOnTheButtonFaceAtTheLabelsPlace) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    const RECT client = ClientRectOnScreen(dialog);
    const SIZE extent = LabelTextExtent();
    const RECT label = {client.left + TwipsToPixelsX(kLabelLeftTw), client.top + TwipsToPixelsY(kLabelTopTw),
                        client.left + TwipsToPixelsX(kLabelLeftTw) + extent.cx,
                        client.top + TwipsToPixelsY(kLabelTopTw) + extent.cy};
    const COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(client.left + 1, client.top + 1) == face; }, kStartMs))
        << "the dialog was not painted";
    const RECT inkBox = FindColorBox(client, ink, kInkTolerance);
    ASSERT_GT(inkBox.right, inkBox.left) << "no text drawn";
    // All the dark pixels of the client area lie in the label, and they fill most of it.
    EXPECT_GE(inkBox.left, label.left);
    EXPECT_GE(inkBox.top, label.top);
    EXPECT_LE(inkBox.right, label.right);
    EXPECT_LE(inkBox.bottom, label.bottom);
    EXPECT_GE(inkBox.right - inkBox.left, extent.cx * 3 / 4);
    EXPECT_GE(inkBox.bottom - inkBox.top, extent.cy / 2);

    // Around it, the button face.
    const POINT background[] = {{client.left + 1, client.top + 1},
                                {client.right - 2, client.bottom - 2},
                                {label.left - 2, (label.top + label.bottom) / 2},
                                {label.right + 2, (label.top + label.bottom) / 2},
                                {(label.left + label.right) / 2, label.top - 2},
                                {(label.left + label.right) / 2, label.bottom + 2}};
    for (const POINT& p : background)
        EXPECT_EQ(ScreenPixel(p.x, p.y), face) << "at " << p.x << "," << p.y;

    RECT window;
    ::GetWindowRect(dialog, &window);
    Snapshot("setup", window);
    CloseAndExpectCleanEnd(dialog);
}

// --- closing, moving, minimising -----------------------------------------------------

TEST_F(SetupDialogTest, ClosesByAClickOnTheTitleBarCloseButton) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    POINT close;
    ASSERT_TRUE(FindTitleBarPart(dialog, HTCLOSE, &close)) << "no close button";
    ClickAt(close.x, close.y, 1);
    ExpectCleanEnd();
}

TEST_F(SetupDialogTest, ClosesByTheCloseCommand) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    CloseAndExpectCleanEnd(dialog);
}

TEST_F(SetupDialogTest, ClosesByAltF4) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return TakesKeys(dialog); }, kStartMs));
    PressAltWith(VK_F4);
    ExpectCleanEnd();
}

TEST_F(SetupDialogTest, ClosesThroughTheSystemMenu) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return TakesKeys(dialog); }, kStartMs));
    PressAltWith(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return ThreadIn(dialog, GUI_INMENUMODE); }, kStartMs)) << "no system menu";
    PressKey('C');
    ExpectCleanEnd();
}

TEST_F(SetupDialogTest, MovesThroughTheSystemMenuAndKeepsRunning) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return TakesKeys(dialog); }, kStartMs));
    RECT before;
    ::GetWindowRect(dialog, &before);
    PressAltWith(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return ThreadIn(dialog, GUI_INMENUMODE); }, kStartMs)) << "no system menu";
    PressKey('M');
    ASSERT_TRUE(WaitUntil([&] { return ThreadIn(dialog, GUI_INMOVESIZE); }, kStartMs)) << "the move did not start";
    // Each arrow moves the pointer, from where the one before left it: one key at a time.
    constexpr int kSteps = 3;
    for (int i = 0; i < kSteps; ++i) {
        for (WORD key : {VK_RIGHT, VK_DOWN}) {
            POINT was = {};
            ::GetCursorPos(&was);
            PressKey(key);
            ASSERT_TRUE(WaitUntil(
                [&] {
                    POINT now = {};
                    ::GetCursorPos(&now);
                    return key == VK_RIGHT ? now.x > was.x : now.y > was.y;
                },
                kEndMs))
                << "the move loop did not take the key";
        }
    }
    PressKey(VK_RETURN);
    RECT after = {};
    EXPECT_TRUE(WaitUntil(
        [&] {
            ::GetWindowRect(dialog, &after);
            return after.left > before.left && after.top > before.top;
        },
        kEndMs))
        << "the dialog did not move";
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_TRUE(setup_.StillRunsAfter(kStillRunningMs));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    CloseAndExpectCleanEnd(dialog);
}

TEST_F(SetupDialogTest, MinimisesByItsTitleBarButtonAndKeepsRunning) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    POINT minimise;
    ASSERT_TRUE(FindTitleBarPart(dialog, HTMINBUTTON, &minimise)) << "no minimise button";
    ClickAt(minimise.x, minimise.y, 1);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(dialog) != FALSE; }, kEndMs));
    EXPECT_TRUE(setup_.StillRunsAfter(kStillRunningMs));
    CloseAndExpectCleanEnd(dialog);
}

// --- a second start while the dialog is open -----------------------------------------

TEST_F(SetupDialogTest, SecondConfigureStartRestoresAndRaisesTheMinimisedDialog) {
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    ::ShowWindow(dialog, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(dialog) != FALSE; }, kEndMs));

    Process second = StartSaver("/C");
    ASSERT_TRUE(second.Running());
    EXPECT_FALSE(ShowedWindowBeforeEnd(second));
    ASSERT_FALSE(second.Running());
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(dialog) && ::GetForegroundWindow() == dialog; }, kEndMs));
    EXPECT_TRUE(setup_.Running());
    CloseAndExpectCleanEnd(dialog);
}

struct QuietStart {
    const char* args;
    const char* record = "0";  // ActiveSetup meanwhile
};

void PrintTo(const QuietStart& c, std::ostream* os) {
    *os << '"' << c.args << "\" with ActiveSetup " << ::testing::PrintToString(std::string(c.record));
}

class BesideTheOpenDialog : public SetupDialogTest, public ::testing::WithParamInterface<QuietStart> {};

// Saver and preview starts end at once beside a running copy: the saver because no
// preview of that copy is recorded (a number after a carriage return is none), the
// preview in any case. Neither touches the dialog or the record.
TEST_P(BesideTheOpenDialog, SaverAndPreviewStartsEndAtOnceAndLeaveTheDialogAlone) {
    OwnerHost host;
    ASSERT_TRUE(host.Start());
    WriteActiveSetup(GetParam().record);
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr);
    ::ShowWindow(dialog, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(dialog) != FALSE; }, kEndMs));

    Process second = StartSaver(Expand(GetParam().args, host));
    ASSERT_TRUE(second.Running());
    EXPECT_FALSE(ShowedWindowBeforeEnd(second));
    ASSERT_FALSE(second.Running());
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(::IsIconic(dialog));
    EXPECT_EQ(ReadActiveSetup(), GetParam().record);
    EXPECT_TRUE(setup_.Running());
    CloseAndExpectCleanEnd(dialog);
}

INSTANTIATE_TEST_SUITE_P(
    SaverAndPreview,
    BesideTheOpenDialog,
    ::testing::Values(QuietStart{"/S"}, QuietStart{"/S", "\r7"}, QuietStart{"/P {child}"}, QuietStart{"/P 123"}));

// --- no copy running, but a form window captioned with the title exists --------------

class BesideAForeignFormWindow : public SetupDialogTest, public ::testing::WithParamInterface<QuietStart> {};

TEST_P(BesideAForeignFormWindow, EveryModeRestoresAndRaisesItAndEndsWithoutShowingAnything) {
    WriteActiveSetup(kSentinelActiveSetup);
    ForeignFormWindow foreign(kFormClass, kAppTitle);
    ASSERT_NE(foreign.Window(), nullptr);
    ::ShowWindow(foreign.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(foreign.Window()) != FALSE; }, kEndMs));

    Process start = StartSaver(GetParam().args);
    ASSERT_TRUE(start.Running());
    EXPECT_FALSE(ShowedWindowBeforeEnd(start));
    ASSERT_FALSE(start.Running());
    EXPECT_EQ(start.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(foreign.Window()) && ::GetForegroundWindow() == foreign.Window(); },
                          kEndMs));
    // Neither a saver nor a preview ran: the recorded preview is untouched.
    EXPECT_EQ(ReadActiveSetup(), kSentinelActiveSetup);
}

INSTANTIATE_TEST_SUITE_P(AllModes,
                         BesideAForeignFormWindow,
                         ::testing::Values(QuietStart{""},
                                           QuietStart{"/C"},
                                           QuietStart{"/C:0"},
                                           QuietStart{"/S"},
                                           QuietStart{"/P 123"},
                                           QuietStart{"/A 1"},
                                           QuietStart{"X"}));

TEST_F(SetupDialogTest, AWindowOfAnotherClassCaptionedWithTheTitleIsNotACopy) {
    ForeignFormWindow other("ZelvaneLookAlike", kAppTitle);
    ASSERT_NE(other.Window(), nullptr);
    HWND dialog = StartSetup("/C");
    ASSERT_NE(dialog, nullptr) << "the start took the look-alike for a running copy";
    CloseAndExpectCleanEnd(dialog);
}

// --- a handle beyond 32 bits -----------------------------------------------------------

class OverflowingHandle : public SetupDialogTest, public ::testing::WithParamInterface<QuietStart> {};

TEST_P(OverflowingHandle, ReportsOverflowAndEndsWithoutDisablingAnything) {
    OwnerHost host;
    ASSERT_TRUE(host.Start());
    setup_ = StartSaver(GetParam().args);
    ASSERT_TRUE(setup_.Running());

    bool ownerDisabled = false;
    HWND box = nullptr;
    WaitUntil(
        [&] {
            if (!::IsWindowEnabled(host.Window()))
                ownerDisabled = true;
            box = FindProcessWindow(setup_.Pid(), kMessageBoxClass, true);
            return box != nullptr;
        },
        kStartMs);
    ASSERT_NE(box, nullptr) << "no error message box";
    EXPECT_EQ(WindowText(box), kAppTitle);
    std::vector<std::string> texts = StaticTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kOverflowText), texts.end()) << "the box does not say Overflow";
    EXPECT_EQ(FindProcessWindow(setup_.Pid(), kFormClass, true), nullptr) << "a dialog opened despite the error";

    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == box; }, kStartMs));
    PressKey(VK_RETURN);
    WaitUntil(
        [&] {
            if (!::IsWindowEnabled(host.Window()))
                ownerDisabled = true;
            return !setup_.Running();
        },
        kEndMs);
    ASSERT_FALSE(setup_.Running()) << "Enter did not dismiss the report";
    EXPECT_EQ(setup_.ExitCode(), kOverflowExitCode);
    EXPECT_FALSE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(host.Window()));
}

INSTANTIATE_TEST_SUITE_P(BeyondThirtyTwoBits,
                         OverflowingHandle,
                         ::testing::Values(QuietStart{"/C:99999999999"},
                                           QuietStart{"/C:-99999999999"},
                                           QuietStart{"/C:2147483648"},
                                           QuietStart{"/C:1E400"},
                                           QuietStart{"/C:&O777777777777"}));

}  // namespace
