// Command lines around saver mode: the spellings that run the saver, the ones that must
// not, and lines far longer than the host ever sends. None crashes or hangs.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 1000;
constexpr DWORD kQuickEndMs = 5000;  // liveness bound; a preview of no window runs one pass
constexpr char kFormClass[] = "ThunderRT6FormDC";
constexpr char kUntouched[] = "untouched";
constexpr size_t kLongLine = 10000;

struct Line {
    const char* name;
    std::string args;
};

std::string LineName(const ::testing::TestParamInfo<Line>& info) {
    return info.param.name;
}

// --- lines that run the saver --------------------------------------------------------

class RunsTheSaver : public ::testing::TestWithParam<Line> {
protected:
    void SetUp() override { KillStraySavers(); }
    void TearDown() override { KillStraySavers(); }
};

TEST_P(RunsTheSaver, ShowsTheFullScreenClockAndEndsOnAKey) {
    Process saver = StartSaver(GetParam().args);
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

INSTANTIATE_TEST_SUITE_P(Spellings,
                         RunsTheSaver,
                         ::testing::Values(Line{"LowerCase", "/s"},
                                           Line{"Dash", "-S"},
                                           Line{"TrailingBlank", "/S "},
                                           Line{"SaverBeforeConfigure", "/s /c"},
                                           Line{"TenThousandCharacters", "/S" + std::string(kLongLine - 2, ' ')}),
                         LineName);

// --- lines that end at once ------------------------------------------------------------

class EndsAtOnce : public ::testing::TestWithParam<Line> {
protected:
    void SetUp() override {
        KillStraySavers();
        WriteActiveSetup(kUntouched);
    }
    void TearDown() override { KillStraySavers(); }
};

// Password requests and lines that match nothing: a beep, no window, settings untouched.
TEST_P(EndsAtOnce, WithoutAWindowAndLeavesTheSettingsAlone) {
    Process p = StartSaver(GetParam().args);
    bool sawWindow = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (CountProcessWindows(p.Pid(), true) > 0)
                sawWindow = true;
            return !p.Running();
        },
        kQuickEndMs))
        << "still running";
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(p.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), kUntouched);
}

INSTANTIATE_TEST_SUITE_P(PasswordAndJunk,
                         EndsAtOnce,
                         ::testing::Values(Line{"Password", "/A 99"},
                                           Line{"PasswordLowerCase", "-a 99"},
                                           Line{"PasswordBeforeSaver", "/A /S"},
                                           Line{"SaverBeforePassword", "/S /A 1"},
                                           Line{"Junk", "junk"},
                                           Line{"SlashAlone", "/"},
                                           Line{"OtherLetter", "/X"},
                                           Line{"TenThousandCharacters", std::string(kLongLine, 'x')}),
                         LineName);

// "/P" anywhere makes a preview: with no window to draw into it shows nothing of its own
// and ends by itself, whatever else the line says.
class PreviewWins : public EndsAtOnce {};

TEST_P(PreviewWins, OverEveryOtherMode) {
    Process p = StartSaver(GetParam().args);
    bool sawWindow = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (CountProcessWindows(p.Pid(), true) > 0)
                sawWindow = true;
            return !p.Running();
        },
        kQuickEndMs))
        << "still running";
    EXPECT_FALSE(sawWindow) << "a window appeared";
    EXPECT_EQ(p.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Mixed,
                         PreviewWins,
                         ::testing::Values(Line{"AfterSaver", "/S /P 0"},
                                           Line{"AfterPassword", "/A 1 /P 0"},
                                           Line{"AfterConfigure", "/C /P 0"},
                                           Line{"DashLowerCase", "/s -p 0"},
                                           Line{"TenThousandCharacters", "/S" + std::string(kLongLine - 6, ' ') + "/P 0"}),
                         LineName);

}  // namespace
