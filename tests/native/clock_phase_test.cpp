// Wake-ups phased to the local clock, and the preview's pause that ends just after the
// next second begins.
#include "core/clock_phase.h"

#include <gtest/gtest.h>

#include "core/date_time.h"

namespace zelvane {
namespace {

constexpr int32_t kLagMs = 5;
constexpr int32_t kHalfSecondMs = 500;

// Whatever the reading (a clock just set, a tick that came late), the wake-up lands the lag
// after the next boundary: never again on the one just passed, never one too far.
TEST(ClockPhase, EveryReadingWakesJustAfterTheNextBoundary) {
    for (int32_t period : {kHalfSecondMs, kMsPerSecond}) {
        for (int32_t ms = 0; ms < kMsPerSecond; ++ms) {
            const uint32_t due = MsUntilAfterNextBoundary(ms, period, kLagMs);
            EXPECT_EQ((ms + due) % period, static_cast<uint32_t>(kLagMs)) << ms << " ms, period " << period;
            EXPECT_GT(due, static_cast<uint32_t>(kLagMs)) << ms << " ms, period " << period;
            EXPECT_LE(due, static_cast<uint32_t>(period + kLagMs)) << ms << " ms, period " << period;
        }
    }
}

TEST(ClockPhase, ReadingsOutOfRangeAreHeldInTheSecondAndOddPeriodsRunFree) {
    EXPECT_EQ(MsUntilAfterNextBoundary(-20, kHalfSecondMs, kLagMs), 505u);
    EXPECT_EQ(MsUntilAfterNextBoundary(1000, kHalfSecondMs, kLagMs), 6u);
    EXPECT_EQ(MsUntilAfterNextBoundary(300, 700, kLagMs), 700u);
    EXPECT_EQ(MsUntilAfterNextBoundary(300, 0, kLagMs), 0u);
}

// The pause runs on a single-precision time of day, coarsest just before midnight: a pass's
// pause still ends after the next second has begun, and soon after.
TEST(PreviewPassPause, EndsJustAfterTheNextSecondBeginsEvenAtMidnight) {
    constexpr int32_t kSoonMs = kPassLagMs + 12;
    const float lastMoment = SecondsSinceMidnight(23, 59, 59, kMsPerSecond - 1);
    const float soonAfter = SecondsSinceMidnight(0, 0, 0, kSoonMs);
    for (int32_t ms = 0; ms < kMsPerSecond; ++ms) {
        const float start = SecondsSinceMidnight(23, 59, 59, ms);
        const float seconds = static_cast<float>(MsUntilAfterNextBoundary(ms, kMsPerSecond, kPassLagMs)) / 1000.0f;
        EXPECT_FALSE(PauseIsOver(start, seconds, lastMoment)) << "ended before the second, from " << ms << " ms";
        EXPECT_TRUE(PauseIsOver(start, seconds, soonAfter)) << "still going " << kSoonMs << " ms in, from " << ms;
    }
}

}  // namespace
}  // namespace zelvane

namespace zelvane {
namespace {

// A wake-up that reads the clock just before its boundary still shows the last second: it
// waits for the boundary. On time, late, or for a period without boundaries, it ticks.
TEST(ClockPhase, AWakeUpJustBeforeItsBoundaryIsEarly) {
    constexpr int32_t kEarlyMs = 50;
    for (int32_t ms : {450, 499, 950, 999})
        EXPECT_TRUE(CameBeforeBoundary(ms, kHalfSecondMs, kEarlyMs)) << ms;
    for (int32_t ms : {0, 5, 20, 449, 500, 949})
        EXPECT_FALSE(CameBeforeBoundary(ms, kHalfSecondMs, kEarlyMs)) << ms;
    EXPECT_TRUE(CameBeforeBoundary(1200, kHalfSecondMs, kEarlyMs)) << "held in the second";
    EXPECT_FALSE(CameBeforeBoundary(690, 700, kEarlyMs));
}

}  // namespace
}  // namespace zelvane
