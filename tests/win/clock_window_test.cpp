// The clock window in process: the order of its random numbers, presses on its moving
// labels, the date text in the user's locale and when it is rewritten, what the moving texts
// show after a new text, a move or a new colour, only the background around them after
// ticks and a whole redraw, the user's formats read again after they
// change, each new second shown as it begins whatever the clock is set to, an end
// requested while the About dialog is open over it, and the loop's waits for the ticks.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "clock/fclock.h"
#include "core/date_time.h"
#include "forms/runtime.h"
#include "program/globals.h"
#include "runcontrol/run_control.h"
#include "tests/win/import_hook.h"
#include "tests/win/supplied_clock.h"
#include "tests/win/test_support.h"

namespace zelvane {
namespace {

using testing_support::CursorCounter;
using testing_support::PumpUntil;

constexpr UINT_PTR kClockTimerId = 1;  // the clock's only timer
constexpr DWORD kSecondMs = 3000;      // the whole-second clock moves on within this
constexpr UINT_PTR kProbeDelayMs = 300;
constexpr int kInset = 2;  // pixels inside a label where the tests press
constexpr uint32_t kRgbMask = 0x00FFFFFF;

// Scripted numbers: X steps draw 0, Y steps 0.9, as long as X is drawn first.
int draws = 0;
float AlternatingRandom() {
    return (draws++ % 2 == 0) ? 0.0f : 0.9f;
}

LPARAM InsideOf(const forms::WindowlessControl& label) {
    const RECT rc = label.PixelRect();
    return MAKELPARAM(rc.left + kInset, rc.top + kInset);
}

constexpr COLORREF kYellowInk = RGB(255, 255, 0);

// How many pixels of `label` on the window differ from what the platform draws for its
// caption in its font, in `ink` on black.
int DifferingFromThePlatform(HWND window, const forms::Label& label, COLORREF ink) {
    const RECT box = label.PixelRect();
    const std::vector<uint32_t> shown = testing_support::CaptureClient(window, box);
    const std::vector<uint32_t> drawn =
        testing_support::DrawnByThePlatform(label.Caption(), label.Font(), box.right - box.left, box.bottom - box.top,
                                            RGB(0, 0, 0), ink, DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER);
    if (shown.size() != drawn.size())
        return INT_MAX;
    int differing = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        differing += (shown[i] & kRgbMask) != (drawn[i] & kRgbMask);
    return differing;
}

// Timers on the clock that run inside the modal About over it: both close About, the
// second closes the clock first, as another program would.
constexpr UINT_PTR kCloseAbout = 100, kCloseClockThenAbout = 101;
HWND aboutSeen = nullptr;  // timer procedures carry no context of their own

void CALLBACK CloseAboutLater(HWND clock, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(clock, id);
    aboutSeen = ::FindWindowA(forms::kFormClassName, "About");
    if (id == kCloseClockThenAbout)
        ::SendMessageA(clock, WM_CLOSE, 0, 0);
    if (aboutSeen)
        ::PostMessageA(aboutSeen, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class ClockWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
        TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
        EndRequested = kFalse;
        aboutSeen = nullptr;
        ::SetCursorPos(0, 0);
    }
    void TearDown() override {
        forms::SetRandomSource(nullptr);
        clock_.Unload();
        EndRequested = kFalse;
        ShowMouseCursor();
    }
    void Tick() { ::SendMessageA(clock_.hWnd(), WM_TIMER, kClockTimerId, 0); }
    // A right press on `label` that opens About over the clock; the timer `closer` closes it.
    void RightPressOn(const forms::Label& label, UINT_PTR closer) {
        ASSERT_NE(::SetTimer(clock_.hWnd(), closer, kProbeDelayMs, &CloseAboutLater), 0u);
        ::SendMessageA(clock_.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, InsideOf(label));
        ASSERT_NE(aboutSeen, nullptr) << "no About dialog over the clock";
    }
    fclock clock_;
};

TEST_F(ClockWindow, EachStepDrawsItsXNumberBeforeItsY) {
    draws = 0;
    forms::SetRandomSource(&AlternatingRandom);
    clock_.Load();
    const float smallest = static_cast<float>(TwipsPerPixelX * kStepPixels);
    EXPECT_FLOAT_EQ(clock_.Motion().StepX, smallest) << "load: X took the second number";
    EXPECT_GT(clock_.Motion().StepY, static_cast<float>(TwipsPerPixelY * kStepPixels));
    Tick();
    EXPECT_FLOAT_EQ(clock_.Motion().StepX, smallest) << "tick: X took the second number";
    EXPECT_EQ(draws, 4) << "two numbers at load, two a tick";
}

// Both labels move over the window; a press on either acts as on the window.
TEST_F(ClockWindow, ALeftPressOnTheTimeOrTheDateEndsTheRun) {
    clock_.Show();
    for (forms::Label* label : {&clock_.Label1, &clock_.Label2}) {
        EndRequested = kFalse;
        ::ShowCursor(FALSE);
        ::SendMessageA(clock_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, InsideOf(*label));
        EXPECT_TRUE(EndRequested) << (label == &clock_.Label1 ? "time" : "date");
        EXPECT_GE(CursorCounter(), 0);
    }
}

TEST_F(ClockWindow, ARightPressOnTheDateOpensAboutAndTheRunGoesOnWithTheCursorHidden) {
    clock_.Show();
    RightPressOn(clock_.Label2, kCloseAbout);
    EXPECT_FALSE(EndRequested);
    EXPECT_LT(CursorCounter(), 0);
}

// The end raised while About is up (the clock closed from outside) is left to the driver:
// the cursor is not hidden again.
TEST_F(ClockWindow, AnEndWhileAboutIsOpenEndsTheRunWithTheCursorShown) {
    clock_.Show();
    RightPressOn(clock_.Label1, kCloseClockThenAbout);
    EXPECT_TRUE(EndRequested);
    EXPECT_GE(CursorCounter(), 0) << "the cursor was hidden again after the run ended";
}

// The platform's own long date in the user's formats locale, wide, in UTF-8: the oracle
// for the date text (a day number before the month takes the month's genitive there too).
std::string PlatformLongDate(const SYSTEMTIME& st) {
    wchar_t text[128] = {};
    const wchar_t* pattern = st.wDay < 10 ? L"dddd, d MMMM yyyy" : L"dddd, dd MMMM yyyy";
    const int n = ::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, pattern, text, 128);
    return n > 1 ? forms::Utf8FromWide(text, static_cast<size_t>(n - 1)) : std::string();
}

// Every weekday (Sunday is the locale's seventh day name) and every month.
TEST_F(ClockWindow, TheDateIsWrittenWithTheUsersWeekdayAndMonthNames) {
    constexpr WORD kYear = 2022, kMarch = 3, kFirstSunday = 6, kDaysAWeek = 7, kMonths = 12;
    const LocaleNames names = forms::UserLocaleNames();
    for (WORD i = 0; i < kDaysAWeek + kMonths; ++i) {
        SYSTEMTIME st = {};
        st.wYear = kYear;
        st.wMonth = i < kDaysAWeek ? kMarch : static_cast<WORD>(i - kDaysAWeek + 1);
        st.wDay = i < kDaysAWeek ? static_cast<WORD>(kFirstSunday + i) : static_cast<WORD>(i + 1);
        EXPECT_EQ(FormatLongDate(OleDateFromFields(st.wYear, st.wMonth, st.wDay, 0, 0, 0), names),
                  PlatformLongDate(st));
    }
}

// The platform's answers to the date's name reads, standing in for it: a name of the
// Gregorian calendar reads as the request's own mark; other calendars are the platform's.
// On an older system (before Windows 7) the genitive flag is refused, as GetLocaleInfoW
// refuses its own there.
bool olderSystem = false;
decltype(::GetCalendarInfoW)* platformCalendarInfo = nullptr;
decltype(::GetLocaleInfoW)* platformLocaleInfo = nullptr;

std::string Mark(CALTYPE type) {
    char text[16] = {};
    ::wsprintfA(text, "G%lx", type);
    return text;
}

int WINAPI MarkedCalendarInfo(LCID locale, CALID calendar, CALTYPE type, LPWSTR data, int chars, LPDWORD value) {
    if (calendar != CAL_GREGORIAN)
        return platformCalendarInfo(locale, calendar, type, data, chars, value);
    if (olderSystem && (type & CAL_RETURN_GENITIVE_NAMES)) {
        ::SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    return ::MultiByteToWideChar(CP_ACP, 0, Mark(type).c_str(), -1, data, chars);
}

int WINAPI LocaleInfoOfTheSystem(LCID locale, LCTYPE type, LPWSTR data, int chars) {
    if (olderSystem && (type & LOCALE_RETURN_GENITIVE_NAMES)) {
        ::SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    return platformLocaleInfo(locale, type, data, chars);
}

// The day and the year shown are Gregorian, so the names are too, whatever calendar the
// locale keeps by default (Hijri for ar-SA): every name is read from the Gregorian
// calendar, Sunday as its seventh day, the months in the genitive where the system
// offers it and in the nominative where it does not.
TEST_F(ClockWindow, TheDatesNamesAreTheGregorianCalendars) {
    testing_support::ImportHook calendar("kernel32.dll", "GetCalendarInfoW", &MarkedCalendarInfo);
    testing_support::ImportHook locale("kernel32.dll", "GetLocaleInfoW", &LocaleInfoOfTheSystem);
    ASSERT_TRUE(calendar.Installed() && locale.Installed());
    platformCalendarInfo = calendar.Original<decltype(::GetCalendarInfoW)>();
    platformLocaleInfo = locale.Original<decltype(::GetLocaleInfoW)>();
    constexpr int kDaysAWeek = 7, kMonths = 12;
    for (bool older : {false, true}) {
        olderSystem = older;
        const LocaleNames names = forms::UserLocaleNames();
        for (int day = 0; day < kDaysAWeek; ++day) {
            const CALTYPE type = day == 0 ? CAL_SDAYNAME7 : CAL_SDAYNAME1 + day - 1;
            EXPECT_EQ(names.dayNames[day], Mark(type)) << "day " << day << (older ? " on an older system" : "");
        }
        for (int month = 0; month < kMonths; ++month) {
            const CALTYPE type = (CAL_SMONTHNAME1 + month) | (older ? 0 : CAL_RETURN_GENITIVE_NAMES);
            EXPECT_EQ(names.monthNames[month], Mark(type))
                << "month " << month + 1 << (older ? " on an older system" : "");
        }
    }
    olderSystem = false;
}

// Formats locales whose names the Western code page cannot write, as each spells a Monday
// in March: run with those locales on a 1252 system (tests/locale_test.sh).
struct SpelledDate {
    const char* locale;
    const char* text;
};
constexpr SpelledDate kSpelledDates[] = {
    {"ru-RU", u8"понедельник, 7 марта 2022"},
    {"pl-PL", u8"poniedziałek, 7 marca 2022"},
    {"el-GR", u8"Δευτέρα, 7 Μαρτίου 2022"},
    {"en-US", "Monday, 7 March 2022"},
};

std::string UserLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const int n = ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    return n > 1 ? forms::Utf8FromWide(name, static_cast<size_t>(n - 1)) : std::string();
}

// The date label shows the locale's own names, spelled right and drawn as the platform
// draws that text, whatever the system's ANSI code page.
TEST_F(ClockWindow, TheDateShowsTheFormatsLocalesOwnNames) {
    const std::string locale = UserLocaleName();
    const std::string meant = testing_support::ExpectedEnvironment("ZELVANE_FORMATS_LOCALE");
    if (!meant.empty()) {
        ASSERT_EQ(locale, meant) << "the run did not get the formats locale it set";
    }
    constexpr WORD kYear = 2022, kMarch = 3, kMonday = 7;
    SYSTEMTIME st = {};
    st.wYear = kYear;
    st.wMonth = kMarch;
    st.wDay = kMonday;
    std::string expected = PlatformLongDate(st);
    for (const SpelledDate& spelled : kSpelledDates) {
        if (locale == spelled.locale) {
            EXPECT_EQ(expected, spelled.text) << "the platform's own date";
            expected = spelled.text;
        }
    }
    constexpr int kNoon = 12;
    testing_support::SuppliedClock monday(kYear, kMarch, kMonday, kNoon, 0, 0);
    clock_.Show();
    EXPECT_EQ(clock_.Label2.Caption(), expected);

    ::RedrawWindow(clock_.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(DifferingFromThePlatform(clock_.hWnd(), clock_.Label2, kYellowInk), 0)
        << "the date is not drawn as the platform draws " << expected;
}

// The texts keep their pictures from paint to paint: after a new text, a move or a new
// colour, what shows is the present text in the present colour, as the platform draws it.
TEST_F(ClockWindow, AMovedTextShowsItsPresentCaptionInItsPresentColour) {
    clock_.Show();
    forms::Label& time = clock_.Label1;
    const auto shownAfter = [&](const char* change, COLORREF ink) {
        ::UpdateWindow(clock_.hWnd());
        EXPECT_EQ(DifferingFromThePlatform(clock_.hWnd(), time, ink), 0) << "after " << change << ": " << time.Caption();
    };
    time.SetCaption("12:34:56");
    shownAfter("a first text", kYellowInk);
    time.SetCaption("65:43:21");
    shownAfter("a new text", kYellowInk);
    constexpr int32_t kStepPx = 7;
    time.Move(time.Left() + kStepPx * TwipsPerPixelX, time.Top() + kStepPx * TwipsPerPixelY, time.Width(),
              time.Height());
    shownAfter("a move", kYellowInk);
    time.SetForeColor(0xFFFFFF);
    shownAfter("a new colour", RGB(255, 255, 255));
}

// Around the texts only the background shows: after ticks, which paint where the texts were
// and are, and after a whole-window paint over white.
TEST_F(ClockWindow, AroundTheTextsOnlyTheBackgroundShowsAfterTicksAndAWholeRedraw) {
    clock_.Show();
    RECT client;
    ::GetClientRect(clock_.hWnd(), &client);
    const auto notBlackAround = [&] {
        const std::vector<uint32_t> whole = testing_support::CaptureClient(clock_.hWnd(), client);
        const RECT time = clock_.Label1.PixelRect(), date = clock_.Label2.PixelRect();
        int notBlack = 0;
        for (LONG y = client.top; y < client.bottom; ++y)
            for (LONG x = client.left; x < client.right; ++x) {
                const POINT at = {x, y};
                if (!::PtInRect(&time, at) && !::PtInRect(&date, at))
                    notBlack += (whole[static_cast<size_t>(y * client.right + x)] & kRgbMask) != 0;
            }
        return notBlack;
    };
    constexpr int kTicks = 3;
    for (int i = 0; i < kTicks; ++i)
        Tick();
    EXPECT_EQ(notBlackAround(), 0) << "the texts leave a trail where they were";
    HDC windowDC = ::GetDC(clock_.hWnd());
    ::FillRect(windowDC, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::ReleaseDC(clock_.hWnd(), windowDC);
    ::RedrawWindow(clock_.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(notBlackAround(), 0) << "pixels outside the texts are not the black background";
    EXPECT_EQ(DifferingFromThePlatform(clock_.hWnd(), clock_.Label1, kYellowInk), 0) << clock_.Label1.Caption();
}

// The date is rewritten at a tick only once the present date-time has passed the last
// one written; the time at every tick.
TEST_F(ClockWindow, TheDateIsRewrittenOnlyWhenTheClockHasMovedOn) {
    clock_.Load();
    for (;;) {
        const double second = forms::Now();
        Tick();  // the clock's date-time is now this second
        clock_.Label2.SetCaption("-");
        clock_.Label1.SetCaption("-");
        Tick();
        if (forms::Now() != second)
            continue;  // the second moved on meanwhile: try again
        EXPECT_EQ(clock_.Label2.Caption(), "-") << "rewritten within the same second";
        EXPECT_NE(clock_.Label1.Caption(), "-") << "the time is written at every tick";
        ASSERT_TRUE(PumpUntil([&] { return forms::Now() > second; }, kSecondMs));
        SYSTEMTIME before, today;
        ::GetLocalTime(&before);
        Tick();
        ::GetLocalTime(&today);
        if (before.wDay != today.wDay)
            continue;  // midnight came with the tick: the date written may be either day's
        EXPECT_EQ(clock_.Label2.Caption(), PlatformLongDate(today)) << "not rewritten after the second moved on";
        break;
    }
}

// The user's time separator, set for a scope and put back after it, as the regional settings
// set it; the clock is then told as the system tells every window.
class UserTimeSeparator {
public:
    UserTimeSeparator() : was_(Read()) {}
    ~UserTimeSeparator() {
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, was_.c_str());
        forms::LocaleFormatsChanged();
    }
    UserTimeSeparator(const UserTimeSeparator&) = delete;
    UserTimeSeparator& operator=(const UserTimeSeparator&) = delete;
    const std::wstring& Was() const { return was_; }
    static std::wstring Read() {
        wchar_t text[LOCALE_NAME_MAX_LENGTH] = {};
        const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, text, LOCALE_NAME_MAX_LENGTH);
        return std::wstring(text, n > 1 ? static_cast<size_t>(n - 1) : 0);
    }

private:
    std::wstring was_;
};

std::string Utf8(const std::wstring& text) {
    return forms::Utf8FromWide(text.data(), text.size());
}

// A running clock keeps the formats it read until the user changes them: from the tick after
// the system says so ("intl"), the time shows the new separator.
TEST_F(ClockWindow, TheTimeTakesTheUsersNewFormatsFromTheTickAfterTheyChange) {
    forms::LocaleFormatsChanged();  // whatever an earlier test left
    UserTimeSeparator separator;
    const std::wstring other = separator.Was() == L"." ? L":" : L".";
    clock_.Load();
    Tick();
    ASSERT_NE(clock_.Label1.Caption().find(Utf8(separator.Was())), std::string::npos) << clock_.Label1.Caption();
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, other.c_str()));
    ASSERT_EQ(UserTimeSeparator::Read(), other) << "the platform did not take the new separator";
    Tick();
    EXPECT_NE(clock_.Label1.Caption().find(Utf8(separator.Was())), std::string::npos)
        << "the formats were read again at a tick without a change: " << clock_.Label1.Caption();
    ::SendMessageA(clock_.hWnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    Tick();
    EXPECT_NE(clock_.Label1.Caption().find(Utf8(other)), std::string::npos)
        << "the new separator did not show: " << clock_.Label1.Caption();
}

// Each new second of the clock shows soon after it begins, with two steps of motion a
// second, also when the clock is set forward, back, across midnight or on after a sleep:
// the first tick after the change shows the new time and the next ones keep its seconds.
// A clock set back holds the date that was shown.
TEST_F(ClockWindow, EachNewSecondShowsSoonAfterItBeginsWhateverTheClockIsSetTo) {
    constexpr int64_t kHourMs = 3600000, kDayMs = 86400000, kBeforeMidnightMs = 1200;
    constexpr int64_t kToMidnight = INT64_MIN;  // worked out when its turn comes
    constexpr int32_t kSoonMs = 250;            // generous for a loaded machine; the benchmark has the figures
    constexpr int kTicksASecond = 2;
    struct Change {
        const char* what;
        int64_t shiftMs;
    };
    testing_support::ShiftedClock clock;
    clock_.Load();
    const LocaleNames names = forms::UserLocaleNames();
    const auto showsNow = [&] { return clock_.Label1.Caption() == FormatTime(clock.Now(), names); };
    std::string tomorrow;
    // Midnight comes before the hour forward and back: late in the evening the hour
    // forward would show tomorrow's date, which the clock set back then holds, and the
    // turn at midnight would show no change.
    for (Change change : {Change{"as it is", 0}, Change{"to midnight", kToMidnight},
                          Change{"forward an hour", kHourMs + 300}, Change{"back an hour", -kHourMs - 700},
                          Change{"back a day", -kDayMs}, Change{"on after a sleep", 8 * kHourMs + 450}}) {
        const std::string dateBefore = clock_.Label2.Caption();
        clock.Shift(change.shiftMs == kToMidnight ? kDayMs - clock.MsOfDay() - kBeforeMidnightMs : change.shiftMs);
        ASSERT_TRUE(PumpUntil(showsNow, kSecondMs)) << change.what << ": the new time did not show";
        for (int second = 0; second < 2; ++second) {
            const std::string before = clock_.Label1.Caption();
            int ticks = 0;
            int32_t lastX = clock_.Motion().PosX, lastY = clock_.Motion().PosY;
            int32_t shownAtMs = -1;
            ASSERT_TRUE(PumpUntil(
                [&] {
                    if (clock_.Motion().PosX != lastX || clock_.Motion().PosY != lastY)
                        ++ticks;
                    lastX = clock_.Motion().PosX;
                    lastY = clock_.Motion().PosY;
                    if (clock_.Label1.Caption() == before)
                        return false;
                    shownAtMs = clock.Milliseconds();
                    return true;
                },
                kSecondMs));
            EXPECT_TRUE(showsNow()) << change.what << ": the second shown is not the present one";
            EXPECT_LT(shownAtMs, kSoonMs) << change.what << ": " << clock_.Label1.Caption() << " shown late";
            if (second > 0) {
                EXPECT_EQ(ticks, kTicksASecond) << change.what << ": steps of motion in a second";
            }
        }
        if (change.shiftMs == kToMidnight) {
            tomorrow = clock_.Label2.Caption();
            EXPECT_NE(tomorrow, dateBefore) << "the date did not turn at midnight";
        }
        if (change.shiftMs == -kDayMs) {
            EXPECT_EQ(clock_.Label2.Caption(), tomorrow) << "a clock set back rewrote the date";
        }
    }
}

}  // namespace
}  // namespace zelvane

namespace zelvane {
namespace {

// The clock's timer is the message loop's own wait: a wait longer than a tick ends for each
// tick, the loop sleeps between them, and once the clock is unloaded nothing is due.
TEST_F(ClockWindow, TheLoopWakesForEachTickAndSleepsBetweenThem) {
    constexpr DWORD kSettleMs = 500, kWatchMs = 1600;
    constexpr int kStrayReturns = 4;  // messages that may still come; a spinning loop makes thousands
    constexpr DWORD kIdleWaitMs = 300;
    clock_.Show();
    PumpUntil([] { return false; }, kSettleMs);  // the show's own messages
    int ticks = 0, returns = 0;
    int32_t lastX = clock_.Motion().PosX;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kWatchMs && returns <= ticks + kStrayReturns) {
        forms::WaitAndDoEvents(kWatchMs);
        ++returns;
        ticks += clock_.Motion().PosX != lastX;
        lastX = clock_.Motion().PosX;
    }
    EXPECT_GE(ticks, 2) << "the wait did not end for the ticks";
    EXPECT_LE(returns, ticks + kStrayReturns) << "the loop did not sleep between ticks";
    clock_.Unload();
    forms::DoEvents();
    const DWORD unloaded = ::GetTickCount();
    forms::WaitAndDoEvents(kIdleWaitMs);
    EXPECT_GE(::GetTickCount() - unloaded, kIdleWaitMs / 2) << "a tick stayed due after the clock was unloaded";
}

}  // namespace
}  // namespace zelvane
