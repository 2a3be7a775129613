// The forms run time's program-wide services: the application's own facts, the event
// pump, the clock, the random generator, the beep and the end of the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/date_time.h"

namespace forms {

// Read from the executable's own resources: string 1 and the version resource.
std::string AppTitle();
struct AppVersion {
    int16_t major = 0, minor = 0, revision = 0;
};
AppVersion Version();
// The executable's file name without folder and extension ("ssZelvane"), its long name
// even when it was started through a short one.
std::string ExeBaseName();

// Whether another copy of this program runs in the session. The first call claims
// the program's instance marker for the life of the process.
bool PrevInstance();
// Waits up to `timeoutMs` for every other copy of the program to end, without pumping:
// true at once when none ran at the first PrevInstance, or once none runs any more; false
// when one still runs after the wait.
bool OtherCopiesEndWithin(uint32_t timeoutMs);

// Screen size in twips and twips per pixel of the screen.
int16_t ScreenTwipsPerPixelX();
int16_t ScreenTwipsPerPixelY();
double ScreenWidthTw();
double ScreenHeightTw();

// Dispatches every pending event and returns; never waits.
void DoEvents();
// Waits until an event is pending (or `timeoutMs` has passed), then dispatches it. The
// drivers pump with this, so that an idle run sleeps in the system instead of spinning.
// One event a call: while more are queued the next call returns at once, and a tick costs
// no look into a queue already empty. Any input the running system has wakes it, touch
// and pen included from Windows 8 on.
void WaitAndDoEvents(uint32_t timeoutMs = 0xFFFFFFFFu);

// The present local date-time, whole seconds, in the OLE Automation encoding.
double Now();

// Milliseconds past the whole second that Now reads (0 to 999): the clock's phase, which
// the clock's timer and the preview's pause wait on.
int32_t ClockMilliseconds();

// Now and ClockMilliseconds from one reading of the clock.
struct ClockReading {
    double now = 0;
    int32_t milliseconds = 0;
};
ClockReading ReadClock();

// Readings that Now and ClockMilliseconds return in place of the local clock's, so that a
// benchmark can pass a week of ticks in minutes and a test can set the clock anywhere. Set
// with SupplyClockReadings; nullptr returns to the clock.
class ClockReadings {
public:
    virtual double Now() = 0;
    virtual int32_t Milliseconds() { return 0; }

protected:
    ~ClockReadings() = default;
};
void SupplyClockReadings(ClockReadings* readings);
// Seconds since midnight, with the fraction of the second.
float TimeOfDaySeconds();
// The user's weekday and month names and time separator, read wide and kept in UTF-8:
// the formats locale need not be one that the system's ANSI code page can write. The
// names are the Gregorian calendar's, like the day and year shown beside them; the month
// names are the forms a date with a day number uses (genitive where the locale has one:
// "7 марта", not "7 март").
zelvane::LocaleNames UserLocaleNames();
// UserLocaleNames, read once and kept until the user's formats change.
const zelvane::LocaleNames& CurrentLocaleNames();
// The user's formats have changed (WM_SETTINGCHANGE with "intl"): CurrentLocaleNames reads
// them again when next asked.
void LocaleFormatsChanged();

// The program's own texts are UTF-8; the platform's wide entry points take UTF-16. (A
// vector, not std::wstring: the library's wide strings would add 36 KB to the executable.)
// Written over `wide`, whose storage is kept.
void WideFromUtf8(std::string_view text, std::vector<wchar_t>& wide);
std::string Utf8FromWide(const wchar_t* text, size_t length);

// The one uniform [0, 1) generator of the program, never reseeded.
float Rnd();
// For tests: while a source is set, Rnd answers from it instead. Returns the source
// it replaces; nullptr goes back to the generator.
using RandomSource = float (*)();
RandomSource SetRandomSource(RandomSource source);

// Whether the user has High Contrast on.
bool HighContrastOn();
// For tests, where the platform cannot switch High Contrast (Wine always answers off): while
// a source is set, HighContrastOn answers from it. Returns the source it replaces.
using HighContrastSource = bool (*)();
HighContrastSource SetHighContrastSource(HighContrastSource source);

// The default system beep.
void Beep();

// Ends the program at once: no further events, nothing more of the caller runs.
[[noreturn]] void EndProgram(unsigned exitCode = 0);

}  // namespace forms
