// OLE Automation dates: conversion to and from calendar fields, the program's four
// format patterns, and the time base of the event-pumping pause.
#include "core/date_time.h"

#include <cmath>
#include <limits>

#include "core/numeric.h"

namespace zelvane {

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int64_t kWholeSecondsPerDay = 86400;
constexpr int64_t kMonthsPerYear = 12;
constexpr int64_t kDaysPerWeek = 7;
constexpr double kMillisecondsPerSecond = 1000.0;

// Proleptic Gregorian day numbers, counted in 400-year eras that start on 1 March 0000
// (a leap day then falls at the end of the counted year).
constexpr int64_t kDaysPerEra = 146097;
constexpr int64_t kYearsPerEra = 400;
constexpr int64_t kDaysPerYear = 365;
constexpr int64_t kEraStartToUnixEpoch = 719468;
constexpr int64_t kMonthsFromMarch = 153;  // days of the five months March..July
constexpr int64_t kMonthGroup = 5;
constexpr int64_t kLeapYearEvery = 4;
constexpr int64_t kYearsPerCentury = 100;
constexpr int64_t kDaysPer4Years = kDaysPerYear * kLeapYearEvery + 1;
constexpr int64_t kDaysPerCentury = kDaysPerYear * kYearsPerCentury + kYearsPerCentury / kLeapYearEvery - 1;

// 30 December 1899 was a Saturday.
constexpr int64_t kOleEpochWeekday = 6;

constexpr int kDecimalRadix = 10;
constexpr size_t kMaxIntDigits = 10;
constexpr size_t kTimeFieldDigits = 2;
constexpr size_t kYearDigits = 4;

// Day numbers from a civil date, in the integer type given: 64 bits for the constants
// below, 32 bits at run time, where the fields are a SYSTEMTIME's and 64-bit division
// would cost the 32-bit build the runtime's division routines.
template <typename Int>
constexpr Int DaysFromCivil(Int year, Int month, Int day) {
    constexpr auto kEraYears = static_cast<Int>(kYearsPerEra);
    year -= month <= 2 ? 1 : 0;
    const Int era = (year >= 0 ? year : year - (kEraYears - 1)) / kEraYears;
    const Int yearOfEra = year - era * kEraYears;
    const Int dayOfYear = (static_cast<Int>(kMonthsFromMarch) * (month > 2 ? month - 3 : month + 9) + 2) /
                              static_cast<Int>(kMonthGroup) +
                          day - 1;
    const Int dayOfEra = yearOfEra * static_cast<Int>(kDaysPerYear) + yearOfEra / static_cast<Int>(kLeapYearEvery) -
                         yearOfEra / static_cast<Int>(kYearsPerCentury) + dayOfYear;
    return era * static_cast<Int>(kDaysPerEra) + dayOfEra - static_cast<Int>(kEraStartToUnixEpoch);
}

struct CivilDate {
    int32_t year;
    int month;
    int day;
};

int32_t FloorDiv32(int32_t a, int32_t b) {
    const int32_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The days of the encoding's dates (some ±3.6 million) fit 32 bits, and 32-bit arithmetic
// spares the 32-bit build the runtime's 64-bit division routines on every tick.
CivilDate CivilFromDays(int32_t days) {
    constexpr auto kEra = static_cast<int32_t>(kDaysPerEra);
    constexpr auto kYear = static_cast<int32_t>(kDaysPerYear);
    constexpr auto kFourYears = static_cast<int32_t>(kDaysPer4Years);
    constexpr auto kCentury = static_cast<int32_t>(kDaysPerCentury);
    constexpr auto kLeap = static_cast<int32_t>(kLeapYearEvery);
    constexpr auto kHundred = static_cast<int32_t>(kYearsPerCentury);
    constexpr auto kFromMarch = static_cast<int32_t>(kMonthsFromMarch);
    constexpr auto kGroup = static_cast<int32_t>(kMonthGroup);
    days += static_cast<int32_t>(kEraStartToUnixEpoch);
    const int32_t era = FloorDiv32(days, kEra);
    const int32_t dayOfEra = days - era * kEra;
    const int32_t yearOfEra =
        (dayOfEra - dayOfEra / (kFourYears - 1) + dayOfEra / kCentury - dayOfEra / (kEra - 1)) / kYear;
    const int32_t dayOfYear = dayOfEra - (kYear * yearOfEra + yearOfEra / kLeap - yearOfEra / kHundred);
    const int32_t monthFromMarch = (kGroup * dayOfYear + 2) / kFromMarch;
    const int day = dayOfYear - (kFromMarch * monthFromMarch + 2) / kGroup + 1;
    const int month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    return {yearOfEra + era * static_cast<int32_t>(kYearsPerEra) + (month <= 2 ? 1 : 0), month, day};
}

constexpr int64_t kOleEpochDays = DaysFromCivil<int64_t>(1899, 12, 30);

// Appends a non-negative number's decimal digits, at least `width` of them.
void AppendDigits(std::string& text, int value, size_t width) {
    char digits[kMaxIntDigits];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % kDecimalRadix);
        value /= kDecimalRadix;
    } while (value > 0 && count < kMaxIntDigits);
    for (; count < width; --width)
        text += '0';
    while (count > 0)
        text += digits[--count];
}

void FormatTimeWith(std::string& text, double date, std::string_view separator) {
    const DateFields fields = FieldsFromOleDate(date);
    text.clear();
    AppendDigits(text, fields.hour, kTimeFieldDigits);
    text += separator;
    AppendDigits(text, fields.minute, kTimeFieldDigits);
    text += separator;
    AppendDigits(text, fields.second, kTimeFieldDigits);
}

struct PauseClock {
    float end;      // start + seconds, in single precision
    float current;  // now, moved to the next day when midnight has passed
};

PauseClock PauseClockOf(float start, float seconds, float now) {
    const float end = start + seconds;
    return {end, now < start ? now + kSecondsPerDay : now};
}

}  // namespace

double OleDateFromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                         uint16_t second) {
    // Out-of-range months, days and times carry into the next field, as a calendar would.
    // Fields of 16 bits keep every sum below within 32 bits (seconds at most 239,925,135).
    const int32_t monthIndex = year * static_cast<int32_t>(kMonthsPerYear) + (month - 1);
    const int32_t wholeYear = FloorDiv32(monthIndex, static_cast<int32_t>(kMonthsPerYear));
    const int32_t monthOfYear = monthIndex - wholeYear * static_cast<int32_t>(kMonthsPerYear) + 1;
    const int32_t seconds = hour * static_cast<int32_t>(kSecondsPerHour) +
                            minute * static_cast<int32_t>(kSecondsPerMinute) + second;
    constexpr auto kDay = static_cast<int32_t>(kWholeSecondsPerDay);
    const int32_t dayIndex = DaysFromCivil<int32_t>(wholeYear, monthOfYear, 1) + (day - 1) + seconds / kDay -
                             static_cast<int32_t>(kOleEpochDays);
    const double fraction = static_cast<double>(seconds % kDay) / static_cast<double>(kDay);
    // Before the epoch the whole days count down while the time of day still counts up.
    const auto wholeDays = static_cast<double>(dayIndex);
    return dayIndex >= 0 ? wholeDays + fraction : wholeDays - fraction;
}

DateFields FieldsFromOleDate(double date) {
    if (!(date >= kMinOleDate && date < kMaxOleDate))
        RaiseOverflow();
    // Within the covered dates days and seconds fit 32 bits.
    auto dayIndex = static_cast<int32_t>(std::trunc(date));
    const double fraction = std::fabs(date - std::trunc(date));
    auto seconds = static_cast<int32_t>(RoundHalfEven(fraction * static_cast<double>(kWholeSecondsPerDay)));
    if (seconds >= kWholeSecondsPerDay) {
        seconds -= static_cast<int32_t>(kWholeSecondsPerDay);
        ++dayIndex;
    }

    const CivilDate civil = CivilFromDays(dayIndex + static_cast<int32_t>(kOleEpochDays));
    constexpr auto kHour = static_cast<int32_t>(kSecondsPerHour);
    constexpr auto kMinute = static_cast<int32_t>(kSecondsPerMinute);
    constexpr auto kWeek = static_cast<int32_t>(kDaysPerWeek);
    DateFields fields;
    fields.year = civil.year;
    fields.month = civil.month;
    fields.day = civil.day;
    const int32_t weekday = (dayIndex + static_cast<int32_t>(kOleEpochWeekday)) % kWeek;
    fields.weekday = weekday < 0 ? weekday + kWeek : weekday;
    fields.hour = seconds / kHour;
    fields.minute = seconds % kHour / kMinute;
    fields.second = seconds % kMinute;
    return fields;
}

LocaleNames EnglishLocaleNames() {
    LocaleNames names;
    names.dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    names.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    names.timeSeparator = ":";
    return names;
}

void FormatTimeInto(std::string& text, double date, const LocaleNames& names) {
    FormatTimeWith(text, date, names.timeSeparator);
}

void FormatLongDateInto(std::string& text, double date, const LocaleNames& names) {
    // "d" and "dd" differ only in the leading zero, which a two-digit day never has.
    const DateFields fields = FieldsFromOleDate(date);
    text = names.dayNames[static_cast<size_t>(fields.weekday)];
    text += ", ";
    AppendDigits(text, fields.day, 1);
    text += ' ';
    text += names.monthNames[static_cast<size_t>(fields.month - 1)];
    text += ' ';
    AppendDigits(text, fields.year, kYearDigits);
}

std::string FormatTime(double date, const LocaleNames& names) {
    std::string text;
    FormatTimeInto(text, date, names);
    return text;
}

std::string FormatTimeLiteralColons(double date) {
    std::string text;
    FormatTimeWith(text, date, ":");
    return text;
}

std::string FormatLongDate(double date, const LocaleNames& names) {
    std::string text;
    FormatLongDateInto(text, date, names);
    return text;
}

double DayTimeOf(double firstReading, double secondReading) {
    const double dayTime = firstReading - std::trunc(secondReading);
    // Readings on either side of midnight leave a small negative value, which the
    // encoding reads as a time just after midnight; the first reading's own time of
    // day is what was meant.
    if (firstReading >= 0 && dayTime < 0)
        return firstReading - std::floor(firstReading);
    return dayTime;
}

int16_t SecondOfDayTime(double dayTime) {
    return static_cast<int16_t>(FieldsFromOleDate(dayTime).second);
}

float SecondsSinceMidnight(int hour, int minute, int second, int milliseconds) {
    const double seconds = static_cast<double>(hour) * kSecondsPerHour +
                           static_cast<double>(minute) * kSecondsPerMinute + second +
                           milliseconds / kMillisecondsPerSecond;
    return static_cast<float>(seconds);
}

bool PauseIsOver(float start, float seconds, float now) {
    const PauseClock clock = PauseClockOf(start, seconds, now);
    // A pause with no number in it would never end: it ends at once instead.
    if (std::isnan(clock.end) || std::isnan(clock.current))
        return true;
    return clock.current >= clock.end;
}

uint32_t PauseRemainingMs(float start, float seconds, float now) {
    if (PauseIsOver(start, seconds, now))
        return 0;
    const PauseClock clock = PauseClockOf(start, seconds, now);
    const double remainingMs = std::ceil((static_cast<double>(clock.end) - clock.current) * kMillisecondsPerSecond);
    constexpr auto kLongest = static_cast<double>(std::numeric_limits<uint32_t>::max());
    return remainingMs < kLongest ? static_cast<uint32_t>(remainingMs) : std::numeric_limits<uint32_t>::max();
}

}  // namespace zelvane
