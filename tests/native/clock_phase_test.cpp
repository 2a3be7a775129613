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

// A timer that ticks on its phase runs on untouched; one that drifted past it, or was set on
// a clock that moved, comes back the lag after the next boundary and then runs at its period.
TEST(ClockPhase, APhasedTimerIsArmedAgainOnlyWhenItsTickDriftedOffThePhase) {
    constexpr int32_t kDriftMs = 15;
    constexpr uint32_t kPeriod = kHalfSecondMs;
    EXPECT_EQ(RearmPhasedTimer(5, kHalfSecondMs, kLagMs, kDriftMs, kPeriod), 0u);
    EXPECT_EQ(RearmPhasedTimer(520, kHalfSecondMs, kLagMs, kDriftMs, kPeriod), 0u);
    EXPECT_EQ(RearmPhasedTimer(0, kHalfSecondMs, kLagMs, kDriftMs, kPeriod), 0u);
    EXPECT_EQ(RearmPhasedTimer(521, kHalfSecondMs, kLagMs, kDriftMs, kPeriod), 484u) << "drifted late";
    EXPECT_EQ(RearmPhasedTimer(498, kHalfSecondMs, kLagMs, kDriftMs, kPeriod), 7u) << "came early";
    EXPECT_EQ(RearmPhasedTimer(7, kHalfSecondMs, kLagMs, kDriftMs, 498), kPeriod) << "back on the phase";
    EXPECT_EQ(RearmPhasedTimer(300, 700, kLagMs, kDriftMs, 700), 0u) << "an odd period runs free";
    EXPECT_EQ(RearmPhasedTimer(300, 700, kLagMs, kDriftMs, 0), 700u);
}

}  // namespace
}  // namespace zelvane
