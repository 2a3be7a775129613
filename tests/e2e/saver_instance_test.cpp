// A saver start and the settings value ActiveSetup: a lone saver clears a stale record,
// a saver beside a running preview leaves the record alone, and a saver beside any other
// running copy ends at once.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/hosts/display_host.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kQuickEndMs = 5000;  // liveness bound for a start that ends at once
constexpr char kStaleHandle[] = "123456";

// A start that must end at once: true when it ended without ever showing a window.
bool EndsWithoutAWindow(Process& p, DWORD* exitCode) {
    bool sawWindow = true;
    return EndsByItself(p, kQuickEndMs, &sawWindow, exitCode) && !sawWindow;
}

class SaverInstance : public ::testing::Test {
protected:
    void SetUp() override { KillStraySavers(); }
    // Leave the record as a finished run leaves it, for the tests that follow.
    void TearDown() override {
        KillStraySavers();
        WriteActiveSetup("0");
    }
};

TEST_F(SaverInstance, LoneSaverResetsAStaleRecordToZero) {
    WriteActiveSetup(kStaleHandle);
    Process saver = StartSaver("/S");
    HWND window = WaitForWindow(saver.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ReadActiveSetup(), "0");
    CloseSaverRun(saver, window, kStartMs);
}

// The display-settings dialog runs a preview and then the full-screen saver ("Preview"
// button): the saver runs beside the preview and keeps the preview's record.
TEST_F(SaverInstance, SaverBesideARunningPreviewRunsAndKeepsItsRecord) {
    WriteActiveSetup("0");
    display_host::Client host;
    ASSERT_TRUE(host.Start(L""));
    const std::string record = std::to_string(host.PreviewNumber());
    Process preview = StartSaver("/P " + record);
    ASSERT_TRUE(WaitUntil([&] { return ReadActiveSetup() == record; }, kStartMs)) << "the preview did not start";

    Process saver = StartSaver("/S");
    HWND window = WaitForWindow(saver.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(window, nullptr) << "the saver did not run beside the preview";
    EXPECT_EQ(ReadActiveSetup(), record);
    CloseSaverRun(saver, window, kStartMs);
    EXPECT_EQ(saver.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), record);
    EXPECT_TRUE(preview.Running());

    host.Close();
    EXPECT_TRUE(preview.WaitExit(kStartMs));
}

// Beside another running copy, only a non-zero number in ActiveSetup lets a saver run.
struct StoredValue {
    const char* name;
    DWORD type;  // REG_NONE: no value at all
    std::string data;
};

TEST_F(SaverInstance, SaverBesideAnotherCopyEndsAtOnceWithoutAPreviewRecord) {
    Process first = StartSaver("/S");
    HWND firstWindow = WaitForWindow(first.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(firstWindow, nullptr);

    const StoredValue values[] = {
        {"zero", REG_SZ, std::string("0", 2)},
        {"missing", REG_NONE, ""},
        {"not a number", REG_SZ, std::string("abc", 4)},
        {"a number after a carriage return", REG_SZ, std::string("\r7", 3)},
        {"a number of the wrong type", REG_DWORD, std::string("\x05\0\0\0", 4)},
        {"digits of the wrong type", REG_BINARY, std::string("12", 2)},
    };
    for (const StoredValue& value : values) {
        SCOPED_TRACE(value.name);
        if (value.type == REG_NONE)
            DeleteActiveSetup();
        else
            WriteActiveSetupRaw(value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
        bool existed = false;
        const std::string before = ReadActiveSetup(&existed);

        Process second = StartSaver("/S");
        DWORD exitCode = STILL_ACTIVE;
        EXPECT_TRUE(EndsWithoutAWindow(second, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        bool exists = false;
        EXPECT_EQ(ReadActiveSetup(&exists), before);
        EXPECT_EQ(exists, existed);
        EXPECT_TRUE(first.Running());
    }
    CloseSaverRun(first, firstWindow, kStartMs);
}

// The same rule with a record that a preview left behind: any non-zero number counts, so
// a second saver runs and leaves it as it is.
TEST_F(SaverInstance, SaverBesideAnotherCopyRunsWhenARecordIsStored) {
    Process first = StartSaver("/S");
    HWND firstWindow = WaitForWindow(first.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(firstWindow, nullptr);
    WriteActiveSetup(kStaleHandle);

    Process second = StartSaver("/S");
    HWND secondWindow = WaitForWindow(second.Pid(), kFormClass, nullptr, kStartMs);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_EQ(ReadActiveSetup(), kStaleHandle);
    CloseSaverRun(second, secondWindow, kStartMs);
    CloseSaverRun(first, firstWindow, kStartMs);
    EXPECT_EQ(ReadActiveSetup(), kStaleHandle);
}

}  // namespace
