// Memory running out: the program reports its own "Out of memory" and ends with its number.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr char kMessageBoxClass[] = "#32770";
constexpr char kOutOfMemoryText[] = "Run-time error '7':\r\n\r\nOut of memory";
constexpr DWORD kOutOfMemoryExitCode = 7;
constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndMs = 5000;
// Beside a running copy a saver reads the settings value into a buffer of its size: one
// larger than the allocation limit makes that buffer fail, and only it.
constexpr char kLimitVariable[] = "ZELVANE_ALLOCATION_LIMIT";
constexpr char kLimitBytes[] = "4096";
constexpr size_t kValueChars = 8192;

TEST(OutOfMemory, AFailedAllocationReportsOutOfMemoryAndEndsWithItsNumber) {
    KillStraySavers();
    Process first = StartSaver("/C");
    ASSERT_TRUE(WaitForWindow(first.Pid(), "ThunderRT6FormDC", nullptr, kStartMs)) << "no running copy";
    WriteActiveSetup(std::string(kValueChars, '1'));

    ::SetEnvironmentVariableA(kLimitVariable, kLimitBytes);
    Process saver = StartSaver("/S");
    ::SetEnvironmentVariableA(kLimitVariable, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindProcessWindow(saver.Pid(), kMessageBoxClass, true)) != nullptr; },
                          kStartMs))
        << "no error message box";
    EXPECT_EQ(WindowText(box), "Zelvane");
    EXPECT_NE(ChildTexts(box).find(kOutOfMemoryText), std::string::npos) << ChildTexts(box);

    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(saver.WaitExit(kEndMs)) << "the report did not end the program";
    EXPECT_EQ(saver.ExitCode(), kOutOfMemoryExitCode);
    first.Kill();
    WriteActiveSetup("0");
}

}  // namespace
