// Dates and times in the OLE Automation encoding (days since 30 December 1899 plus
// the fraction of the day) and the four format patterns the program uses.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelvane {

struct DateFields {
    int year = 1899;
    int month = 12;   // 1..12
    int day = 30;     // 1..31
    int weekday = 0;  // 0 = Sunday .. 6 = Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Whole seconds only: the present date-time of the program never carries a fraction. The
// fields are as wide as a SYSTEMTIME's.
double OleDateFromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                         uint16_t second);

// The dates the encoding covers: 1 January 100 up to the end of 31 December 9999.
inline constexpr double kMinOleDate = -657434.0;
inline constexpr double kMaxOleDate = 2958466.0;  // exclusive

// Fields of a date value, its time of day first rounded to the nearest whole second.
// A value outside the covered dates, or no number at all, raises Overflow.
DateFields FieldsFromOleDate(double date);

// The locale's names and time separator, in UTF-8.
struct LocaleNames {
    std::array<std::string, 7> dayNames;     // Sunday first
    std::array<std::string, 12> monthNames;  // January first
    std::string timeSeparator = ":";
};

LocaleNames EnglishLocaleNames();

std::string FormatTime(double date, const LocaleNames& names);  // "hh:mm:ss"
std::string FormatTimeLiteralColons(double date);               // "hh\:mm\:ss"
// "dddd, d mmmm yyyy" for days 1..9, "dddd, dd mmmm yyyy" for 10..31.
std::string FormatLongDate(double date, const LocaleNames& names);
// The same texts written over `text`, whose storage is kept: a caller that formats again
// and again with one string allocates only while its texts grow.
void FormatTimeInto(std::string& text, double date, const LocaleNames& names);
void FormatLongDateInto(std::string& text, double date, const LocaleNames& names);

// The clock face's time of day: first reading less the whole days of the second.
double DayTimeOf(double firstReading, double secondReading);

// Seconds field of a time of day, rounded to the nearest whole second first.
int16_t SecondOfDayTime(double dayTime);

// Seconds since midnight, as a single-precision float (the pause's time base).
float SecondsSinceMidnight(int hour, int minute, int second, int milliseconds);

inline constexpr float kSecondsPerDay = 86400.0f;

// Whether a pause that began at `start` (seconds since midnight) and lasts
// `seconds` is over at `now`. A pause that spans midnight ends after its duration:
// a `now` earlier than `start` is taken as the next day.
bool PauseIsOver(float start, float seconds, float now);
// Milliseconds left of such a pause, 0 when it is over.
uint32_t PauseRemainingMs(float start, float seconds, float now);

}  // namespace zelvane
