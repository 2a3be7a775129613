// The clock window under a long run: ten thousand ticks keep the time label inside the
// screen bounds, keep the date directly above it, turn the date at midnight (a month end
// here) and, once the first have made what the clock keeps, leave no GDI object behind.
#include <gtest/gtest.h>

#include "clock/fclock.h"
#include "core/date_time.h"
#include "forms/runtime.h"
#include "runcontrol/run_control.h"
#include "program/globals.h"
#include "tests/win/gdi_headroom.h"
#include "tests/win/supplied_clock.h"

namespace zelvane {
namespace {

constexpr int kTicks = 10000;
constexpr UINT_PTR kClockTimerId = 1;  // the clock's only timer
constexpr int kTicksPerSecond = 2;     // 500 ms apart
// Ten thousand ticks are 83 minutes of clock: midnight, and January turning to February,
// come twenty minutes in.
constexpr int kStartYear = 2022, kStartMonth = 1, kStartDay = 31, kStartHour = 23, kStartMinute = 40;

TEST(ClockSoak, TenThousandTicksStayInsideTheBoundsTurnTheDateAndLeaveNothing) {
    TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
    TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
    testing_support::SuppliedClock readings(kStartYear, kStartMonth, kStartDay, kStartHour, kStartMinute, 0);
    fclock clock;
    clock.Load();
    const std::string lastDayOfJanuary = clock.Label2.Caption();
    std::string shownDate = lastDayOfJanuary;
    int dateTurns = 0;
    forms::DoEvents();
    const ClockMotion& m = clock.Motion();
    ASSERT_GT(m.MaxLeft, 0);
    ASSERT_GT(m.MaxTop, 0);
    // The first ticks make what the clock keeps for painting (a buffer and brushes); from then
    // on no tick may leave an object alive.
    constexpr int kWarmUpTicks = 10;
    int headroomBefore = 0;
    int reversalsX = 0, reversalsY = 0;
    int32_t lastDirX = m.DirX, lastDirY = m.DirY;
    for (int i = 0; i < kTicks; ++i) {
        if (i == kWarmUpTicks)
            headroomBefore = testing_support::GdiHeadroom();
        readings.SetElapsedSeconds(i / kTicksPerSecond);
        ::SendMessageA(clock.hWnd(), WM_TIMER, kClockTimerId, 0);
        if (clock.Label2.Caption() != shownDate) {
            shownDate = clock.Label2.Caption();
            ++dateTurns;
        }
        ASSERT_GE(m.PosX, 0) << "tick " << i;
        ASSERT_LE(m.PosX, m.MaxLeft) << "tick " << i;
        ASSERT_GE(m.PosY, 0) << "tick " << i;
        ASSERT_LE(m.PosY, m.MaxTop) << "tick " << i;
        ASSERT_EQ(clock.Label1.Left(), m.PosX);
        ASSERT_EQ(clock.Label1.Top(), m.PosY);
        ASSERT_EQ(clock.Label2.Left(), m.PosX);
        ASSERT_EQ(clock.Label2.Top(), m.PosY - clock.Label2.Height());
        reversalsX += m.DirX != lastDirX;
        reversalsY += m.DirY != lastDirY;
        lastDirX = m.DirX;
        lastDirY = m.DirY;
        if (i % 100 == 0)
            forms::DoEvents();  // paints, as the running saver would between ticks
    }
    forms::DoEvents();
    // About 6 px a tick on each axis: many crossings of the screen, each a bounce.
    EXPECT_GT(reversalsX, 10);
    EXPECT_GT(reversalsY, 10);
    const zelvane::LocaleNames names = forms::UserLocaleNames();
    const double startDay = zelvane::OleDateFromFields(kStartYear, kStartMonth, kStartDay, 0, 0, 0);
    EXPECT_EQ(lastDayOfJanuary, zelvane::FormatLongDate(startDay, names));
    EXPECT_EQ(shownDate, zelvane::FormatLongDate(startDay + 1, names));  // 1 February
    EXPECT_EQ(dateTurns, 1);
    EXPECT_EQ(clock.Label1.Caption(), zelvane::FormatTime(readings.Now(), names));
    EXPECT_EQ(testing_support::GdiHeadroom(), headroomBefore) << "GDI objects left alive by the ticks";
    clock.Unload();
}

}  // namespace
}  // namespace zelvane
