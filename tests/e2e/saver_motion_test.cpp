// The saver's clock in motion, watched on the screen: one step of about six pixels per
// axis every tick, the date riding directly above the time, and the bounce off the right
// and bottom edges (reached about half a minute after the start on a 1024 x 768 screen).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

constexpr DWORD kStartMs = 10000;
constexpr DWORD kWatchLimitMs = 90000;  // liveness bound: both edges are reached well before
constexpr DWORD kTickMs = 500;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kColorTolerance = 8;
constexpr int kAlignSlackPx = 1;  // a first ink column may be a partly covered pixel
// A step is 90 to just under 96 twips, 6 to 6.4 pixels at 15 twips per pixel; the label
// lands on whole pixels and the glyph box may shift by a pixel as digits change.
constexpr double kMeanStepMinPx = 6.0;
constexpr double kMeanStepMaxPx = 6.4;
constexpr double kMeanSlackPx = 0.2;
constexpr int kStepMinPx = 5;
constexpr int kStepMaxPx = 8;
constexpr double kNominalStepPx = 6.2;
// The glyphs sit inside the label box: at the edge the box touches the screen edge, the
// glyphs stay a few pixels (right) or the descender space (bottom) short of it.
constexpr int kRightEdgeReachPx = 8;
constexpr int kBottomEdgeReachPx = 24;
constexpr int kTicksAfterBounce = 3;
// Steps seen one tick apart, enough for a mean; on a loaded machine a look may miss a tick,
// and then a change spans whole steps.
constexpr int kMinSingleSteps = 10;
// The search for the labels keeps to their last place and this much around it (a few
// steps): a small copy of the screen is quick, so that a look seldom misses a tick.
constexpr int kSearchMarginPx = 40;

// The ink of the texts, and the clock's left edge that each text starts at (see ClockTextLefts).
struct ClockBoxes {
    RECT time;
    RECT date;
    bool hasDate;
    LONG timeLeft, dateLeft;
};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Inside(const RECT& box, const RECT& area, const RECT& screen) {
    return (box.left > area.left || area.left == screen.left) && (box.top > area.top || area.top == screen.top) &&
           (box.right < area.right || area.right == screen.right) &&
           (box.bottom < area.bottom || area.bottom == screen.bottom);
}

// The time is the tallest yellow band in `area`; the date is the band just above it.
bool CaptureClockIn(const RECT& area, ClockBoxes& boxes) {
    std::vector<RECT> bands = FindColorBands(area, kYellow, kColorTolerance);
    if (bands.empty())
        return false;
    size_t tallest = 0;
    for (size_t i = 1; i < bands.size(); ++i)
        if (bands[i].bottom - bands[i].top > bands[tallest].bottom - bands[tallest].top)
            tallest = i;
    boxes.time = bands[tallest];
    boxes.hasDate = tallest > 0;
    if (boxes.hasDate)
        boxes.date = bands[tallest - 1];
    return true;
}

// The labels near where they were last (`last`, null at first), or on the whole screen when
// they are not wholly inside that part.
bool CaptureClock(const ClockBoxes* last, ClockBoxes& boxes) {
    const RECT screen = ScreenRect();
    if (last && last->hasDate) {
        RECT around = {};
        ::UnionRect(&around, &last->time, &last->date);
        ::InflateRect(&around, kSearchMarginPx, kSearchMarginPx);
        ::IntersectRect(&around, &around, &screen);
        if (CaptureClockIn(around, boxes) && boxes.hasDate && Inside(boxes.time, around, screen) &&
            Inside(boxes.date, around, screen))
            return true;
    }
    return CaptureClockIn(screen, boxes);
}

// Two identical captures in a row (never a frame caught half painted) of both texts, whose
// first characters are known.
bool CaptureSteadyClock(const ClockBoxes* last, ClockBoxes& boxes) {
    ClockBoxes again;
    return CaptureClock(last, boxes) && boxes.hasDate && CaptureClock(&boxes, again) && again.hasDate &&
           again.time == boxes.time && again.date == boxes.date &&
           ClockTextLefts(boxes.date, boxes.time, &boxes.dateLeft, &boxes.timeLeft);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Index of the first step whose direction differs from the one before, or -1.
int FirstReversal(const std::vector<int>& deltas) {
    int direction = 0;
    for (size_t i = 0; i < deltas.size(); ++i) {
        if (deltas[i] == 0)
            continue;
        if (direction != 0 && Sign(deltas[i]) != direction)
            return static_cast<int>(i);
        direction = Sign(deltas[i]);
    }
    return -1;
}

// Positions are the clock's left edge, not where the ink begins: the ink of "10:00:00" starts
// a few pixels further in than that of "09:59:59".
TEST(SaverMotion, MovesAboutSixPixelsPerTickAndBouncesOffTheEdges) {
    KillStraySavers();
    Process saver = StartSaver("/S");
    ASSERT_NE(WaitForWindow(saver.Pid(), kFormClass, nullptr, kStartMs), nullptr);
    const RECT screen = ScreenRect();

    // Record the time box at every tick until both axes have turned back.
    std::vector<ClockBoxes> ticks;
    std::vector<DWORD> seenAt;  // when each position was first seen
    std::vector<int> dxs, dys;
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kWatchLimitMs) {
        ClockBoxes boxes;
        if (!CaptureSteadyClock(ticks.empty() ? nullptr : &ticks.back(), boxes))
            continue;
        if (!ticks.empty() && boxes.timeLeft == ticks.back().timeLeft && boxes.time.top == ticks.back().time.top)
            continue;
        if (!ticks.empty()) {
            dxs.push_back(boxes.timeLeft - ticks.back().timeLeft);
            dys.push_back(boxes.time.top - ticks.back().time.top);
        }
        ticks.push_back(boxes);
        seenAt.push_back(::GetTickCount());
        int rx = FirstReversal(dxs), ry = FirstReversal(dys);
        if (rx >= 0 && ry >= 0 && dxs.size() >= static_cast<size_t>(std::max(rx, ry) + kTicksAfterBounce))
            break;
    }
    ASSERT_TRUE(saver.Running());
    ASSERT_GE(ticks.size(), 2u);

    // The date rides directly above the time, left edges together, and nothing is clipped.
    for (const ClockBoxes& t : ticks) {
        EXPECT_LT(t.date.bottom, t.time.top);
        EXPECT_NEAR(t.dateLeft, t.timeLeft, kAlignSlackPx) << "ink from " << t.date.left << " and " << t.time.left;
        EXPECT_GT(t.time.left, screen.left);
        EXPECT_LT(t.time.right, screen.right);
        EXPECT_LT(t.time.bottom, screen.bottom);
    }

    // Both axes start right and down, and each turns back exactly once, at its edge.
    const int rx = FirstReversal(dxs), ry = FirstReversal(dys);
    ASSERT_GE(rx, 0) << "the time never turned back from the right edge";
    ASSERT_GE(ry, 0) << "the time never turned back from the bottom edge";
    EXPECT_GT(dxs.front(), 0);
    EXPECT_GT(dys.front(), 0);
    // The digits change where the ink ends: measure the turning points from the clock's left
    // edge and the ink's top with the largest extent seen.
    LONG width = 0, height = 0;
    for (const ClockBoxes& t : ticks) {
        width = std::max(width, t.time.right - t.timeLeft);
        height = std::max(height, t.time.bottom - t.time.top);
    }
    const LONG rightmost = ticks[rx].timeLeft + width;  // the position before the first step back
    const LONG lowest = ticks[ry].time.top + height;
    // When the looks missed the tick at the edge itself, the last one seen before the turn
    // lies a step short of it for every tick missed.
    const auto missedAtTurn = [&](int turn) {
        const long spanned = std::lround(static_cast<double>(seenAt[turn + 1] - seenAt[turn]) / kTickMs);
        return static_cast<int>(std::max(spanned - 1, 0L)) * kStepMaxPx;
    };
    EXPECT_GE(rightmost, screen.right - kRightEdgeReachPx - missedAtTurn(rx)) << "turned back short of the right edge";
    EXPECT_LE(rightmost, screen.right);
    EXPECT_GE(lowest, screen.bottom - kBottomEdgeReachPx - missedAtTurn(ry)) << "turned back short of the bottom edge";
    EXPECT_LE(lowest, screen.bottom);
    for (size_t i = rx; i < dxs.size(); ++i)
        EXPECT_LT(dxs[i], 0) << "step " << i;
    for (size_t i = ry; i < dys.size(); ++i)
        EXPECT_LT(dys[i], 0) << "step " << i;

    // Step sizes: skip the clamped step into each edge (and a change spanning the turn);
    // a change that spans several ticks (a look missed one) is that many whole steps, and
    // only single steps go into the mean.
    double sum = 0;
    int counted = 0, singles = 0;
    for (size_t i = 0; i < dxs.size(); ++i) {
        const int at = static_cast<int>(i);
        const long spanned = std::max(1L, std::lround(std::max(std::abs(dxs[i]), std::abs(dys[i])) / kNominalStepPx));
        singles += spanned == 1;
        for (const auto& [d, turn, axis] : {std::tuple{dxs[i], rx, "x"}, std::tuple{dys[i], ry, "y"}}) {
            if (at + 1 == turn || (spanned > 1 && at == turn))
                continue;
            EXPECT_GE(std::abs(d), spanned * kStepMinPx) << axis << " step " << i << " of " << spanned << " ticks";
            EXPECT_LE(std::abs(d), spanned * kStepMaxPx) << axis << " step " << i << " of " << spanned << " ticks";
            if (spanned == 1) {
                sum += std::abs(d);
                ++counted;
            }
        }
    }
    ASSERT_GT(counted, 0);
    EXPECT_GE(singles, kMinSingleSteps) << "the screen was sampled too seldom to see single ticks";
    const double mean = sum / counted;
    EXPECT_GE(mean, kMeanStepMinPx - kMeanSlackPx);
    EXPECT_LE(mean, kMeanStepMaxPx + kMeanSlackPx);
    std::printf("ticks %zu, mean step %.3f px, right edge reached at %ld, bottom at %ld\n", ticks.size(), mean,
                rightmost, lowest);

    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitExit(kStartMs));
}

// --- displays that change under the running saver ---------------------------------------

// One display mode as the desktop user saw it: the screen, the clock window once it had
// followed (or as it stood), and the drawings of the time at the ticks after.
struct ModeSeen {
    int width = 0, height = 0;
    long changeResult = -1;
    RECT screen = {}, window = {};
    std::vector<RECT> times;
};

RECT ReadRect(std::istringstream& in) {
    RECT rc = {};
    in >> rc.left >> rc.top >> rc.right >> rc.bottom;
    return rc;
}

std::vector<ModeSeen> ReadModes(const std::vector<std::string>& lines, DWORD* exitCode) {
    std::vector<ModeSeen> modes;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string item;
        in >> item;
        if (item == "mode") {
            modes.emplace_back();
            in >> modes.back().width >> modes.back().height >> modes.back().changeResult;
        } else if (modes.empty()) {
            continue;
        } else if (item == "screen") {
            modes.back().screen = ReadRect(in);
        } else if (item == "window") {
            modes.back().window = ReadRect(in);
        } else if (item == "time") {
            modes.back().times.push_back(ReadRect(in));
        }
        if (item == "exit")
            in >> *exitCode;
    }
    return modes;
}

// A monitor that sleeps and comes back, a laptop docked, a remote session at another size:
// inside a virtual desktop of Wine's the display goes from 1024 x 768 to 800 x 600 and back
// under the running clock. Each time the clock window covers exactly the new screen, and
// each of the next ten drawings of the time lies wholly inside it (a drawing cut by an edge
// would touch it, or lose height).
TEST(SaverMotion, TheClockFollowsTheDisplayToASmallerModeAndBack) {
    constexpr DWORD kReportMs = 90000;  // liveness bound: two changes and twenty ticks
    constexpr int kGlyphEdgePx = 1;     // digits' antialiased tops and bottoms, as they change
    KillStraySavers();
    LowerScreenSaverRunningFlag();
    DesktopUser user;
    ASSERT_TRUE(user.StartOnVirtualDesktop("ZelvaneDisplays", "1024x768", "displays",
                                           "\"" + SaverPath() + "\" 800x600 1024x768"));
    std::vector<std::string> lines;
    ASSERT_TRUE(user.WaitForReport(lines, kReportMs)) << "the desktop user reported nothing";
    DWORD exitCode = STILL_ACTIVE;
    const std::vector<ModeSeen> modes = ReadModes(lines, &exitCode);
    ASSERT_EQ(modes.size(), 2u) << "the saver never ran on the virtual desktop";
    for (const ModeSeen& mode : modes) {
        SCOPED_TRACE(std::to_string(mode.width) + "x" + std::to_string(mode.height));
        EXPECT_EQ(mode.changeResult, DISP_CHANGE_SUCCESSFUL);
        const RECT expected = {0, 0, mode.width, mode.height};
        EXPECT_TRUE(mode.screen == expected);
        EXPECT_TRUE(mode.window == mode.screen) << "window " << mode.window.right << "x" << mode.window.bottom;
        ASSERT_EQ(mode.times.size(), 10u) << "the time was not drawn at ten ticks";
        for (const RECT& time : mode.times) {
            EXPECT_TRUE(time.left > 0 && time.top > 0 && time.right < mode.width && time.bottom < mode.height)
                << "time at " << time.left << "," << time.top << " to " << time.right << "," << time.bottom;
            EXPECT_NEAR(time.bottom - time.top, mode.times.front().bottom - mode.times.front().top, kGlyphEdgePx);
        }
    }
    EXPECT_EQ(exitCode, 0u) << "a key did not end the run";
}

}  // namespace
