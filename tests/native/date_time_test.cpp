// OLE dates, the four format patterns, the clock face's time of day and the pause.
#include "core/date_time.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

struct CalendarCase {
    int year, month, day, hour, minute, second;
    int weekday;
};

std::ostream& operator<<(std::ostream& out, const CalendarCase& c) {
    return out << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':' << c.minute << ':' << c.second;
}

class CalendarRoundTrip : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarRoundTrip, FieldsSurviveTheEncodingAndNameTheRightWeekday) {
    const CalendarCase c = GetParam();
    const DateFields fields = FieldsFromOleDate(OleDateFromFields(c.year, c.month, c.day, c.hour, c.minute, c.second));
    EXPECT_EQ(fields.year, c.year);
    EXPECT_EQ(fields.month, c.month);
    EXPECT_EQ(fields.day, c.day);
    EXPECT_EQ(fields.hour, c.hour);
    EXPECT_EQ(fields.minute, c.minute);
    EXPECT_EQ(fields.second, c.second);
    EXPECT_EQ(fields.weekday, c.weekday);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         CalendarRoundTrip,
                         ::testing::Values(CalendarCase{1899, 12, 30, 0, 0, 0, 6},
                                           CalendarCase{1899, 12, 29, 6, 0, 0, 5},
                                           CalendarCase{1900, 3, 1, 12, 0, 0, 4},
                                           CalendarCase{2000, 2, 29, 23, 59, 59, 2},
                                           CalendarCase{2022, 3, 7, 9, 5, 7, 1},
                                           CalendarCase{2024, 2, 29, 0, 0, 1, 4},
                                           CalendarCase{100, 1, 1, 0, 0, 0, 5},
                                           CalendarCase{9999, 12, 31, 23, 59, 59, 5}));

TEST(OleDate, MatchesTheEncodingsKnownValues) {
    EXPECT_EQ(OleDateFromFields(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_EQ(OleDateFromFields(1900, 1, 1, 0, 0, 0), 2.0);
    EXPECT_EQ(OleDateFromFields(2022, 3, 7, 12, 0, 0), 44627.5);
    // Before the epoch the day counts down but the time of day still counts up.
    EXPECT_EQ(OleDateFromFields(1899, 12, 29, 6, 0, 0), -1.25);
}

TEST(OleDate, RoundsTheTimeOfDayToTheNearestSecondFirst) {
    const double day = OleDateFromFields(2022, 3, 7, 0, 0, 0);
    const DateFields late = FieldsFromOleDate(day + 86399.6 * kSecond);
    EXPECT_EQ(late.day, 8);
    EXPECT_EQ(late.hour, 0);
    EXPECT_EQ(late.second, 0);
    EXPECT_EQ(FieldsFromOleDate(day + 43200.4 * kSecond).hour, 12);
    EXPECT_EQ(SecondOfDayTime((17 - 1e-6) * kSecond), 17);
    EXPECT_EQ(SecondOfDayTime(59.6 * kSecond), 0);
}

TEST(OleDate, ValuesOutsideTheEncodingRaiseOverflow) {
    for (double date : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), kMaxOleDate,
                        kMinOleDate - 1})
        EXPECT_EQ(test::RaisedError([date] { (void)FieldsFromOleDate(date); }), kErrOverflow) << date;
}

TEST(FormatTime, UsesTheLocaleSeparatorWhileTheFaceUsesColons) {
    const double date = OleDateFromFields(2022, 3, 7, 9, 5, 7);
    LocaleNames dotted = EnglishLocaleNames();
    dotted.timeSeparator = ".";
    EXPECT_EQ(FormatTime(date, EnglishLocaleNames()), "09:05:07");
    EXPECT_EQ(FormatTime(date, dotted), "09.05.07");
    EXPECT_EQ(FormatTimeLiteralColons(date), "09:05:07");
}

TEST(FormatTime, RollsOverAtMidnight) {
    const double lastSecond = OleDateFromFields(2022, 3, 7, 23, 59, 59);
    EXPECT_EQ(FormatTimeLiteralColons(lastSecond), "23:59:59");
    EXPECT_EQ(FormatTimeLiteralColons(lastSecond + kSecond), "00:00:00");
    EXPECT_EQ(FormatLongDate(lastSecond + kSecond, EnglishLocaleNames()), "Tuesday, 8 March 2022");
}

TEST(FormatLongDate, WritesTheDayWithoutLeadingZero) {
    const LocaleNames english = EnglishLocaleNames();
    EXPECT_EQ(FormatLongDate(OleDateFromFields(2022, 3, 7, 0, 0, 0), english), "Monday, 7 March 2022");
    EXPECT_EQ(FormatLongDate(OleDateFromFields(2022, 3, 17, 0, 0, 0), english), "Thursday, 17 March 2022");
    EXPECT_EQ(FormatLongDate(OleDateFromFields(2020, 12, 31, 18, 0, 0), english), "Thursday, 31 December 2020");

    LocaleNames other = english;
    other.dayNames[1] = "Montag";
    other.monthNames[2] = "M\xE4rz";
    EXPECT_EQ(FormatLongDate(OleDateFromFields(2022, 3, 7, 0, 0, 0), other), "Montag, 7 M\xE4rz 2022");
}

TEST(DayTimeOf, IsTheTimeOfDayOfTheFirstReading) {
    const double noon = OleDateFromFields(2022, 3, 7, 12, 0, 0);
    EXPECT_DOUBLE_EQ(DayTimeOf(noon, noon), 0.5);
    EXPECT_EQ(FormatTimeLiteralColons(DayTimeOf(noon, noon + kSecond)), "12:00:00");
}

TEST(DayTimeOf, ReadingsOnEitherSideOfMidnightGiveTheLastSecond) {
    const double lastSecond = OleDateFromFields(2022, 3, 7, 23, 59, 59);
    const double dayTime = DayTimeOf(lastSecond, lastSecond + kSecond);
    EXPECT_EQ(FormatTimeLiteralColons(dayTime), "23:59:59");
    EXPECT_EQ(SecondOfDayTime(dayTime), 59);
}

struct PauseCase {
    float start, seconds, now;
    bool over;
    uint32_t remainingMs;
};

std::ostream& operator<<(std::ostream& out, const PauseCase& c) {
    return out << "from " << c.start << " for " << c.seconds << " at " << c.now;
}

class PauseClock : public ::testing::TestWithParam<PauseCase> {};

TEST_P(PauseClock, EndsAfterItsDurationEvenAcrossMidnight) {
    const PauseCase c = GetParam();
    EXPECT_EQ(PauseIsOver(c.start, c.seconds, c.now), c.over);
    EXPECT_EQ(PauseRemainingMs(c.start, c.seconds, c.now), c.remainingMs);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         PauseClock,
                         ::testing::Values(PauseCase{100.0f, 1.0f, 100.0f, false, 1000},
                                           PauseCase{100.0f, 1.0f, 100.25f, false, 750},
                                           PauseCase{100.0f, 1.0f, 101.0f, true, 0},
                                           PauseCase{100.0f, 1.0f, 102.0f, true, 0},
                                           PauseCase{86399.5f, 1.0f, 86399.75f, false, 750},
                                           PauseCase{86399.5f, 1.0f, 0.25f, false, 250},
                                           PauseCase{86399.5f, 1.0f, 0.5f, true, 0},
                                           PauseCase{86399.5f, 1.0f, 3.0f, true, 0},
                                           // The clock set back or forward an hour: no stall.
                                           PauseCase{10800.5f, 1.0f, 7200.6f, true, 0},
                                           PauseCase{7200.5f, 1.0f, 10800.6f, true, 0},
                                           PauseCase{100.0f, std::numeric_limits<float>::quiet_NaN(), 100.0f, true,
                                                     0}));

TEST(PauseTimeBase, IsSecondsSinceMidnight) {
    EXPECT_EQ(SecondsSinceMidnight(0, 0, 0, 0), 0.0f);
    EXPECT_EQ(SecondsSinceMidnight(23, 59, 59, 500), 86399.5f);
    EXPECT_EQ(SecondsSinceMidnight(1, 2, 3, 250), 3723.25f);
}

}  // namespace
}  // namespace zelvane

namespace zelvane {
namespace {

// The clock writes its texts twice a second into the same strings: they keep their storage.
TEST(FormatLongDate, WritesOverATextAndKeepsItsStorage) {
    std::string text(64, 'x');
    const char* storage = text.data();
    FormatLongDateInto(text, OleDateFromFields(2022, 3, 7, 9, 5, 7), EnglishLocaleNames());
    EXPECT_EQ(text, "Monday, 7 March 2022");
    FormatTimeInto(text, OleDateFromFields(2022, 3, 7, 9, 5, 7), EnglishLocaleNames());
    EXPECT_EQ(text, "09:05:07");
    FormatLongDateInto(text, OleDateFromFields(100, 1, 1, 0, 0, 0), EnglishLocaleNames());
    EXPECT_EQ(text, "Friday, 1 January 0100");
    EXPECT_EQ(text.data(), storage);
}

}  // namespace
}  // namespace zelvane
