// Faults from outside: a host that dies, junk in the settings value, a page title far
// longer than any buffer, and more copies started while one runs. Each ends cleanly and
// leaves the settings value whole: "0", or the running preview's window.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/hosts/display_host.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndAfterChangeMs = 1500;
constexpr DWORD kQuickEndMs = 5000;
constexpr DWORD kStillRunningMs = 2500;
constexpr size_t kHugeText = 10000;

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        KillStraySavers();
        LowerScreenSaverRunningFlag();
        WriteActiveSetup("0");
    }
    void TearDown() override {
        for (Process* p : {&first_, &second_, &third_})
            p->Kill();
        host_.Kill();
        KillStraySavers();
        LowerScreenSaverRunningFlag();
    }

    bool StartPreviewOn(const std::wstring& hostOptions) {
        if (!host_.Start(hostOptions))
            return false;
        first_ = StartSaver("/P " + std::to_string(host_.PreviewNumber()));
        return WaitUntil([&] { return ReadActiveSetup() == std::to_string(host_.PreviewNumber()); }, kStartMs);
    }

    // A second and a third copy started together with `args` end by themselves, cleanly,
    // and show no window on the way.
    void ExpectSecondAndThirdEndAtOnce(const char* args) {
        second_ = StartSaver(args);
        third_ = StartSaver(args);
        bool sawWindow = true;
        EXPECT_TRUE(EndByThemselves({&second_, &third_}, kQuickEndMs, &sawWindow)) << args;
        EXPECT_FALSE(sawWindow) << args;
        EXPECT_EQ(second_.ExitCode(), 0u) << args;
        EXPECT_EQ(third_.ExitCode(), 0u) << args;
    }

    display_host::Client host_;
    Process first_, second_, third_;
};

TEST_F(Faults, HostDialogKilledEndsThePreviewAndClearsTheRecord) {
    ASSERT_TRUE(StartPreviewOn(L""));
    host_.Kill();  // as if the display-settings process crashed
    EXPECT_TRUE(first_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(first_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Faults, NumberTooBigForAHandleInTheSettingsStillCountsAsARunningPreview) {
    first_ = StartSaver("/S");
    ASSERT_NE(WaitForWindow(first_.Pid(), kFormClass, nullptr, kStartMs), nullptr);
    WriteActiveSetup("99999999999999");
    second_ = StartSaver("/S");
    // Not zero: the second copy runs beside the first and leaves the value as it was.
    EXPECT_NE(WaitForWindow(second_.Pid(), kFormClass, nullptr, kStartMs), nullptr)
        << "the second copy showed no clock";
    EXPECT_TRUE(second_.StillRunsAfter(kStillRunningMs));
    EXPECT_EQ(ReadActiveSetup(), "99999999999999");
}

// A page title far longer than the buffer is looked at for "Screen saver" only as far as
// the buffer goes. The page's lists have other entries selected and the dialog's own list
// has the saver: the preview ends when the page is taken for the screen-saver page, and
// goes on when it is not, since every list counts then.
std::wstring SaverSelectedOnlyOffThePage(const std::wstring& pageCaption) {
    return L"--more-lists --select " + std::to_wstring(display_host::kEntryMystify) + L" --page-caption \"" +
           pageCaption + L"\"";
}

TEST_F(Faults, PageTitleOfTenThousandCharactersIsReadOnlyAsFarAsTheBufferGoes) {
    ASSERT_TRUE(StartPreviewOn(SaverSelectedOnlyOffThePage(L"Screen Saver " + std::wstring(kHugeText, L'x'))));
    EXPECT_TRUE(first_.WaitExit(kQuickEndMs)) << "the page was not recognised";
    EXPECT_EQ(first_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Faults, PageTitleWithTheWordsPastTheBufferIsNotTheScreenSaverPage) {
    ASSERT_TRUE(StartPreviewOn(SaverSelectedOnlyOffThePage(std::wstring(kHugeText, L'x') + L" Screen Saver")));
    EXPECT_TRUE(first_.StillRunsAfter(kStillRunningMs)) << "words past the buffer were read";
    EXPECT_EQ(ReadActiveSetup(), std::to_string(host_.PreviewNumber()));
}

TEST_F(Faults, SecondAndThirdCopiesBesideARunningSaverEndAtOnce) {
    first_ = StartSaver("/S");
    HWND clock = WaitForWindow(first_.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(clock, nullptr);
    for (const char* args : {"/S", "/P 123", "/A 1", "junk"})
        ExpectSecondAndThirdEndAtOnce(args);
    EXPECT_TRUE(first_.Running());
    EXPECT_EQ(ReadActiveSetup(), "0");
    PressKey(VK_SPACE);
    EXPECT_TRUE(first_.WaitExit(kQuickEndMs));
}

TEST_F(Faults, SecondAndThirdCopiesBesideARunningPreviewLeaveItsRecordAlone) {
    ASSERT_TRUE(StartPreviewOn(L""));
    const std::string record = std::to_string(host_.PreviewNumber());
    for (const char* args : {"/P 123", "/A 1"})
        ExpectSecondAndThirdEndAtOnce(args);
    EXPECT_TRUE(first_.Running());
    EXPECT_EQ(ReadActiveSetup(), record);
}

TEST_F(Faults, ThirdConfigureStartRaisesTheSecondsDialogAndEnds) {
    first_ = StartSaver("/S");
    ASSERT_NE(WaitForWindow(first_.Pid(), kFormClass, nullptr, kStartMs), nullptr);
    // Beside a running saver a configure start finds no setup window and opens one.
    second_ = StartSaver("/C");
    HWND setup = WaitForWindow(second_.Pid(), kFormClass, "Zelvane", kStartMs);
    ASSERT_NE(setup, nullptr);
    third_ = StartSaver("/C");
    bool sawWindow = true;
    DWORD exitCode = STILL_ACTIVE;
    EXPECT_TRUE(EndsByItself(third_, kQuickEndMs, &sawWindow, &exitCode));
    EXPECT_FALSE(sawWindow) << "the third start showed a window of its own";
    EXPECT_EQ(exitCode, 0u);
    ::PostMessageA(setup, WM_CLOSE, 0, 0);
    EXPECT_TRUE(second_.WaitExit(kQuickEndMs));
}

// The system refuses a window (the process's window quota or the desktop heap used up): the
// run ends in its driver's order, the screen-saver flag lowered, with the code that says so,
// instead of pumping on for an end that no window can ask for.
TEST_F(Faults, AClockWindowThatCannotBeMadeEndsTheRunAtOnce) {
    WriteActiveSetup("4242");
    first_ = StartSaverWithWindowQuota("/S", 0);
    bool sawWindow = true;
    DWORD exitCode = 0;
    EXPECT_TRUE(EndsByItself(first_, kQuickEndMs, &sawWindow, &exitCode)) << "the run waits on";
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(exitCode, kNoWindowExitCode);
    EXPECT_FALSE(ScreenSaverRunningFlag());
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Faults, AnAboutWindowThatCannotBeMadeEndsTheRun) {
    first_ = StartSaverWithWindowQuota("/S", 1);  // the clock's window, no more
    ASSERT_NE(WaitForWindow(first_.Pid(), kFormClass, nullptr, kStartMs), nullptr);
    ASSERT_TRUE(WaitUntil([] { return !CursorShowing(); }, kStartMs)) << "the run never started";
    ClickAt(20, 20, 2);
    EXPECT_TRUE(first_.WaitExit(kQuickEndMs)) << "the run went on without its About";
    EXPECT_EQ(first_.ExitCode(), kNoWindowExitCode);
    EXPECT_FALSE(ScreenSaverRunningFlag());
}

}  // namespace
