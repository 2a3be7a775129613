// Command lines around saver mode: the spellings that run the saver, the ones that must
// not, and lines far longer than the host ever sends. None crashes or hangs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 1000;
constexpr DWORD kQuickEndMs = 5000;  // liveness bound; a preview of no window runs one pass
constexpr char kUntouched[] = "untouched";
constexpr size_t kLongLine = 10000;

class SaverCommandLine : public ::testing::Test {
protected:
    void SetUp() override { KillStraySavers(); }
    // Leave the record as a finished run leaves it, for the tests that follow.
    void TearDown() override {
        KillStraySavers();
        WriteActiveSetup("0");
    }

    // Starts the program with `args` and watches it end by itself: false when it was still
    // running after the liveness bound. `sawWindow` tells whether it ever showed a window.
    static bool StartEndsByItself(const std::string& args, bool* sawWindow, DWORD* exitCode) {
        Process p = StartSaver(args);
        return EndsByItself(p, kQuickEndMs, sawWindow, exitCode);
    }
};

TEST_F(SaverCommandLine, EverySpellingOfSaverRunsTheFullScreenClock) {
    const std::vector<std::string> lines = {
        "/s",     // lower case
        "-S",     // dash
        "/S ",    // a trailing blank: not "/S" exactly, but it contains it
        "/s /c",  // saver is tested before configure
        "/S" + std::string(kLongLine - 2, ' '),
    };
    for (const std::string& args : lines) {
        SCOPED_TRACE("\"" + args.substr(0, 16) + "\" (" + std::to_string(args.size()) + " characters)");
        Process saver = StartSaver(args);
        HWND window = WaitForWindow(saver.Pid(), kFormClass, nullptr, kStartMs);
        ASSERT_NE(window, nullptr) << "no saver window";
        EXPECT_EQ(WindowText(window), "");
        RECT rc;
        ::GetWindowRect(window, &rc);
        EXPECT_EQ(rc.right - rc.left, ScreenRect().right);
        EXPECT_EQ(rc.bottom - rc.top, ScreenRect().bottom);
        ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }, kStartMs));
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.WaitExit(kEndMs));
        EXPECT_EQ(saver.ExitCode(), 0u);
    }
}

// Password requests and lines that match nothing: a beep, no window, settings untouched.
TEST_F(SaverCommandLine, PasswordAndUnrecognisedLinesEndAtOnceAndLeaveTheSettingsAlone) {
    const std::vector<std::string> lines = {
        "/A 99", "-a 99", "/A /S", "/S /A 1", "junk", "/", "/X", std::string(kLongLine, 'x'),
    };
    for (const std::string& args : lines) {
        SCOPED_TRACE("\"" + args.substr(0, 16) + "\" (" + std::to_string(args.size()) + " characters)");
        WriteActiveSetup(kUntouched);
        bool sawWindow = true;
        DWORD exitCode = STILL_ACTIVE;
        EXPECT_TRUE(StartEndsByItself(args, &sawWindow, &exitCode)) << "still running";
        EXPECT_FALSE(sawWindow);
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(ReadActiveSetup(), kUntouched);
    }
}

// "/P" anywhere makes a preview: with no window to draw into it shows nothing of its own
// and ends by itself, whatever else the line says.
TEST_F(SaverCommandLine, PreviewAnywhereWinsOverEveryOtherMode) {
    const std::vector<std::string> lines = {
        "/S /P 0", "/A 1 /P 0", "/C /P 0", "/s -p 0", "/S" + std::string(kLongLine - 6, ' ') + "/P 0",
    };
    for (const std::string& args : lines) {
        SCOPED_TRACE("\"" + args.substr(0, 16) + "\" (" + std::to_string(args.size()) + " characters)");
        bool sawWindow = true;
        DWORD exitCode = STILL_ACTIVE;
        EXPECT_TRUE(StartEndsByItself(args, &sawWindow, &exitCode)) << "still running";
        EXPECT_FALSE(sawWindow) << "a window appeared";
        EXPECT_EQ(exitCode, 0u);
    }
}

}  // namespace
