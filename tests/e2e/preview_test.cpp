// Preview mode seen from outside: the real screen saver started with "/P <handle>" on
// the test display-settings dialog, what it records in ActiveSetup, when it ends, and
// what it draws (read back from the screen with the preview as a top-level popup).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/hosts/display_host.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kEndAfterChangeMs = 1500;  // one pass of about a second, and some slack
constexpr DWORD kQuickEndMs = 5000;        // liveness bound for a start that ends at once
constexpr DWORD kFirstFrameMs = 2500;      // the first pass may fall on an unchanged second
constexpr DWORD kSecondMs = 1200;
// One pass a second (drawing, a second's pause, the watch): the time drawn changes within
// this even when a loaded machine stretches a pass.
constexpr DWORD kFrameChangeMs = 4000;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kTolerance = 8;

// The face in a 152 x 112 preview at 15 twips per pixel: a disc of diameter 112 - 8 px.
constexpr RECT kFaceBox = {24, 4, 128, 108};
// Inside the ring at the height of the time text: no ring pixel falls in here.
constexpr RECT kTextArea = {28, 38, 124, 74};
constexpr POINT kInsideFaceAboveText = {76, 14};
constexpr POINT kOutsideFace = {3, 3};

std::string Record(const display_host::Client& host) {
    return std::to_string(host.PreviewNumber());
}

// The preview window's client area on the screen.
RECT ScreenRectOf(HWND preview) {
    RECT rc = {0, 0, 0, 0};
    ::GetClientRect(preview, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(preview, &origin);
    ::OffsetRect(&rc, origin.x, origin.y);
    return rc;
}

RECT Offset(const RECT& rc, const RECT& by) {
    return {rc.left + by.left, rc.top + by.top, rc.right + by.left, rc.bottom + by.top};
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= kTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= kTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= kTolerance;
}

bool HasColor(const RECT& area, COLORREF color) {
    RECT box = FindColorBox(area, color, kTolerance);
    return box.right > box.left;
}

// A copy of `area` the same in two looks in a row: a frame not caught half drawn.
std::vector<uint32_t> SteadyCapture(const RECT& area) {
    std::vector<uint32_t> last, now = CaptureScreen(area);
    WaitUntil(
        [&] {
            last = std::move(now);
            now = CaptureScreen(area);
            return now == last;
        },
        kFrameChangeMs);
    return now;
}

// Waits until the drawn frame of `area` is another than `shown`; returns the new one (empty
// when none came within the bound).
std::vector<uint32_t> NextFrame(const RECT& area, const std::vector<uint32_t>& shown) {
    std::vector<uint32_t> frame;
    const bool changed = WaitUntil(
        [&] {
            frame = SteadyCapture(area);
            return frame != shown;
        },
        kFrameChangeMs);
    return changed ? frame : std::vector<uint32_t>();
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        KillStraySavers();
        WriteActiveSetup("0");
    }
    void TearDown() override {
        preview_.Kill();
        host_.Kill();
        KillStraySavers();
    }

    // Starts the host and the preview on it (the saver started as `exe`), and waits until
    // the preview has recorded its window.
    void StartPreview(const std::wstring& hostOptions, const std::string& exe = SaverPath()) {
        ASSERT_TRUE(host_.Start(hostOptions)) << "the test dialog did not come up";
        ASSERT_TRUE(preview_.Start(exe, "/P " + Record(host_)));
        ASSERT_TRUE(WaitUntil([&] { return ReadActiveSetup() == Record(host_); }, kStartMs))
            << "the preview did not record its window";
    }

    display_host::Client host_;
    Process preview_;
};

TEST_F(Preview, RecordsItsWindowWhileRunningAndZeroAfter) {
    StartPreview(L"");
    // Several passes later it is still drawing: the dialog still has it selected.
    EXPECT_TRUE(preview_.StillRunsAfter(2 * kSecondMs));
    EXPECT_EQ(ReadActiveSetup(), Record(host_));

    host_.Close();
    ASSERT_TRUE(preview_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(preview_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Preview, EndsWithinAboutASecondOfAnotherSaverBeingChosen) {
    StartPreview(L"");
    host_.Select(display_host::kEntryMystify);
    EXPECT_TRUE(preview_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(ReadActiveSetup(), "0");
    EXPECT_TRUE(::IsWindow(host_.Preview())) << "the preview window itself was left alone";
}

// A dialog in another language names its screen-saver page otherwise ("Заставка" here,
// which the ANSI code page may not even write).
TEST_F(Preview, KeepsDrawingOnADialogInAnotherLanguageUntilAnotherSaverIsChosen) {
    StartPreview(L"--page-caption \u0417\u0430\u0441\u0442\u0430\u0432\u043a\u0430");
    EXPECT_TRUE(preview_.StillRunsAfter(2 * kSecondMs)) << "stopped while the saver was selected";
    host_.Select(display_host::kEntryMystify);
    EXPECT_TRUE(preview_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(ReadActiveSetup(), "0");
}

// Started through its short (8.3) name, as older setups store SCRNSAVE.EXE: the name looked
// for in the list is still the long name's.
TEST_F(Preview, KeepsDrawingWhenStartedThroughItsShortName) {
    std::string path = SaverPath();
    std::replace(path.begin(), path.end(), '/', '\\');
    char shortPath[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    const std::string shortName = std::strrchr(shortPath, '\\') + 1;
    ASSERT_EQ(shortName.find("ssZelvane"), std::string::npos) << "the file has no other short name";
    // "\\?\": Wine would start the file by its long path otherwise; Windows keeps the path given.
    StartPreview(L"", "\\\\?\\" + std::string(shortPath));
    EXPECT_TRUE(preview_.StillRunsAfter(2 * kSecondMs)) << "stopped when started as " << shortName;
}

// The dialog's thread blocked (busy or hung): a moment's silence is borne, a silence of
// several seconds ends the preview as a closed dialog would, long before the dialog answers.
TEST_F(Preview, BearsADialogSilentForAMomentAndEndsByItselfWhenItStaysSilent) {
    constexpr DWORD kMomentMs = 2000, kBlockedMs = 10000;
    constexpr UINT kNoAnswerMs = 100, kStillBlockedMs = 1;
    StartPreview(L"");
    host_.Block(kMomentMs);
    ASSERT_TRUE(WaitUntil([&] { return !host_.Answers(kNoAnswerMs); }, kStartMs));
    ASSERT_TRUE(WaitUntil([&] { return host_.Answers(kNoAnswerMs); }, kStartMs));
    EXPECT_TRUE(preview_.StillRunsAfter(2 * kSecondMs)) << "ended on a moment's silence";

    host_.Block(kBlockedMs);
    const DWORD blockedAt = ::GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !host_.Answers(kNoAnswerMs); }, kStartMs));
    EXPECT_TRUE(preview_.WaitExit(kBlockedMs - (::GetTickCount() - blockedAt)))
        << "the preview waited on the blocked dialog";
    EXPECT_FALSE(host_.Answers(kStillBlockedMs)) << "ended only once the dialog answered again";
    EXPECT_EQ(preview_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Preview, EndsWithinAboutASecondOfItsWindowBeingDestroyed) {
    StartPreview(L"");
    host_.DestroyPreview();
    EXPECT_TRUE(preview_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Preview, EndsWithinAboutASecondOfTheDialogClosing) {
    StartPreview(L"--popup");
    host_.Close();
    EXPECT_TRUE(preview_.WaitExit(kEndAfterChangeMs));
    EXPECT_EQ(ReadActiveSetup(), "0");
}

TEST_F(Preview, ZeroHandleEndsAfterOnePassStoringZeroAndDrawingNothing) {
    constexpr RECT kCorner = {0, 0, 120, 40};
    // Yellow already in the corner would make the check below fail for another's drawing.
    if (!WaitUntil([&] { return !HasColor(kCorner, kYellow); }, kStartMs)) {
        const RECT seen = FindColorBox(ScreenRectOf(::GetDesktopWindow()), kYellow, kTolerance);
        FAIL() << "the corner is yellow before the start; the screen's yellow lies in (" << seen.left << ", "
               << seen.top << ") - (" << seen.right << ", " << seen.bottom << ")";
    }
    WriteActiveSetup("777");
    preview_ = StartSaver("/P 0");
    ASSERT_TRUE(preview_.WaitExit(kQuickEndMs));
    EXPECT_EQ(preview_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "0");
    // A null window must not turn into the screen's context: the face and the time
    // of an all-zero layout would land in the screen's top-left corner.
    EXPECT_FALSE(HasColor(kCorner, kYellow));
}

TEST_F(Preview, NoHandleAtAllEndsAtOnceLeavingTheSettingsAlone) {
    WriteActiveSetup("4242");
    preview_ = StartSaver("/P");
    ASSERT_TRUE(preview_.WaitExit(kQuickEndMs));
    EXPECT_EQ(preview_.ExitCode(), 0u);
    EXPECT_EQ(ReadActiveSetup(), "4242");
}

TEST_F(Preview, HandleOfNoWindowIsRecordedThenClearedAfterOnePass) {
    preview_ = StartSaver("/P 123456");
    EXPECT_TRUE(WaitUntil([] { return ReadActiveSetup() == "123456"; }, kQuickEndMs));
    ASSERT_TRUE(preview_.WaitExit(kQuickEndMs));
    EXPECT_EQ(ReadActiveSetup(), "0");
}

// Drawing, read back from the screen: the preview is a top-level popup of the host.
TEST_F(Preview, DrawsAYellowRingOnBlackWithTheTimeCentredChangingEachSecond) {
    StartPreview(L"--popup");
    const RECT client = ScreenRectOf(host_.Preview());
    ASSERT_EQ(client.right - client.left, display_host::kPreviewWidth);
    ASSERT_EQ(client.bottom - client.top, display_host::kPreviewHeight);
    const RECT face = Offset(kFaceBox, client);
    const RECT textArea = Offset(kTextArea, client);
    // The first frame whole: the ring at its place and the time inside it.
    RECT ring = {};
    ASSERT_TRUE(WaitUntil([&] { return HasColor(client, kYellow); }, kFirstFrameMs)) << "nothing was drawn";
    WaitUntil(
        [&] {
            ring = FindColorBox(client, kYellow, kTolerance);
            return std::abs(ring.left - face.left) <= 1 && std::abs(ring.top - face.top) <= 1 &&
                   std::abs(ring.right - face.right) <= 1 && std::abs(ring.bottom - face.bottom) <= 1 &&
                   HasColor(textArea, kYellow);
        },
        kFirstFrameMs);

    EXPECT_NEAR(ring.left, face.left, 1);
    EXPECT_NEAR(ring.top, face.top, 1);
    EXPECT_NEAR(ring.right, face.right, 1);
    EXPECT_NEAR(ring.bottom, face.bottom, 1);
    EXPECT_TRUE(Near(ScreenPixel(client.left + kInsideFaceAboveText.x, client.top + kInsideFaceAboveText.y), kBlack));
    EXPECT_TRUE(
        Near(ScreenPixel(client.left + kOutsideFace.x, client.top + kOutsideFace.y), display_host::kPreviewBackground))
        << "the face is a disc, not a rectangle";

    const RECT text = FindColorBox(textArea, kYellow, kTolerance);
    ASSERT_GT(text.right - text.left, 0) << "no time text";
    const LONG centreX2 = client.left + client.right;  // doubled, to stay in integers
    const LONG centreY2 = client.top + client.bottom;
    EXPECT_NEAR(text.left + text.right, centreX2, 6);
    EXPECT_NEAR(text.top + text.bottom, centreY2, 8);
    EXPECT_GT(text.right - text.left, (kTextArea.right - kTextArea.left) / 2) << "eight characters of 18 points";
    RECT shot;
    ::GetWindowRect(host_.Dialog(), &shot);
    ::UnionRect(&shot, &shot, &client);
    Snapshot("preview", shot);

    // The time drawn goes on changing, second after second.
    const std::vector<uint32_t> first = SteadyCapture(textArea);
    const std::vector<uint32_t> second = NextFrame(textArea, first);
    ASSERT_FALSE(second.empty()) << "the time drawn did not change";
    EXPECT_FALSE(NextFrame(textArea, second).empty()) << "the time drawn changed once only";
    EXPECT_TRUE(preview_.Running());
}

// A copy that is already running makes a preview end before it records or draws. (The
// dialog comes first: one that took the foreground from a running saver would end it.)
TEST_F(Preview, PreviewBesideARunningSaverEndsWithoutRecordingOrDrawing) {
    ASSERT_TRUE(host_.Start(L""));
    Process saver = StartSaver("/S");
    ASSERT_NE(WaitForWindow(saver.Pid(), kFormClass, nullptr, kStartMs), nullptr);
    ASSERT_TRUE(WaitUntil([] { return !CursorShowing(); }, kStartMs)) << "the saver never ran";
    WriteActiveSetup("555");
    preview_ = StartSaver("/P " + Record(host_));
    // Its window lives and the dialog has it selected: only the running copy ends it.
    EXPECT_TRUE(preview_.WaitExit(kQuickEndMs));
    EXPECT_EQ(ReadActiveSetup(), "555");
    saver.Kill();
    LowerScreenSaverRunningFlag();
}

TEST_F(Preview, PreviewBesideAnotherPreviewEndsWithoutRecordingOrDrawing) {
    StartPreview(L"");
    display_host::Client second;
    ASSERT_TRUE(second.Start(L"--popup"));
    Process late = StartSaver("/P " + Record(second));
    bool drew = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const bool running = late.Running();
            drew |= HasColor(ScreenRectOf(second.Preview()), kYellow);
            return !running;
        },
        kQuickEndMs));
    EXPECT_FALSE(drew);
    EXPECT_EQ(ReadActiveSetup(), Record(host_));
    EXPECT_TRUE(preview_.Running()) << "the first preview goes on";
}

// The dialog ends its preview with TerminateProcess, which returns before the copy has gone,
// and at once starts the next one into the same window. Here the old copy goes only after
// the next one has started and found it: the next one waits, then records and draws.
TEST_F(Preview, APreviewStartedWhileTheLastOneIsEndingDrawsOnceItHasGone) {
    constexpr DWORD kEndingMs = 700;
    StartPreview(L"--popup");
    WriteActiveSetup("0");
    Process next = StartSaver("/P " + Record(host_));
    EXPECT_TRUE(next.StillRunsAfter(kEndingMs)) << "ended while the last copy was still there";
    EXPECT_EQ(ReadActiveSetup(), "0") << "recorded its window beside the last copy";
    ::TerminateProcess(preview_.Handle(), 1);
    ASSERT_TRUE(preview_.WaitExit(kQuickEndMs));
    EXPECT_TRUE(WaitUntil([&] { return ReadActiveSetup() == Record(host_); }, kStartMs));
    // The time drawn goes on changing: only the next copy is left to draw it.
    const RECT textArea = Offset(kTextArea, ScreenRectOf(host_.Preview()));
    EXPECT_FALSE(NextFrame(textArea, SteadyCapture(textArea)).empty()) << "the next preview drew nothing";
    EXPECT_TRUE(next.Running());
}

}  // namespace
