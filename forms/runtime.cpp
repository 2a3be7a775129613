// The forms run time's program-wide services on Win32.
#include "forms/runtime.h"

#include <algorithm>
#include <vector>

#include "core/motion.h"
#include "core/name_match.h"
#include "core/screen_units.h"
#include "core/wake_mask.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/win.h"
#include "resources/resource_ids.h"

namespace forms {
namespace {

constexpr int kTitleBufferChars = 256;
constexpr float kMsPerSecond = 1000.0f;
// How often a copy waiting for another's end looks again whether it has gone.
constexpr DWORD kLookAgainMs = 50;

HMODULE ExeModule() {
    return ::GetModuleHandleA(nullptr);
}

std::string LocaleText(LCTYPE type) {
    wchar_t buffer[kTitleBufferChars] = {};
    int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, kTitleBufferChars);
    return n > 1 ? Utf8FromWide(buffer, static_cast<size_t>(n - 1)) : std::string();
}

// A name of the Gregorian calendar in the user's language: the date shown holds a Gregorian
// day and year, whatever calendar the locale keeps by default (Hijri for Arabic in Saudi
// Arabia), and the locale's own names are that calendar's.
std::string GregorianText(CALTYPE type) {
    wchar_t buffer[kTitleBufferChars] = {};
    int n = ::GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, type, buffer, kTitleBufferChars, nullptr);
    return n > 1 ? Utf8FromWide(buffer, static_cast<size_t>(n - 1)) : std::string();
}

int16_t TwipsPerPixel(int index) {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, index);
    ::ReleaseDC(nullptr, screen);
    return zelvane::TwipsPerPixelFor(dpi);
}

}  // namespace

std::string AppTitle() {
    char buffer[kTitleBufferChars] = {};
    int n = ::LoadStringA(ExeModule(), IDS_APPTITLE, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

AppVersion Version() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    AppVersion version;
    if (size == 0)
        return version;
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (::GetFileVersionInfoA(path, 0, size, data.data()) &&
        ::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) && info) {
        version.major = static_cast<int16_t>(HIWORD(info->dwFileVersionMS));
        version.minor = static_cast<int16_t>(LOWORD(info->dwFileVersionMS));
        version.revision = static_cast<int16_t>(LOWORD(info->dwFileVersionLS));
    }
    return version;
}

std::string ExeBaseName() {
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    // The module's name is the path it was started by: through a short 8.3 path (as older
    // setups store SCRNSAVE.EXE) that is "SSZELV~1". The long path holds the real name.
    char longPath[MAX_PATH] = {};
    const DWORD longLength = ::GetLongPathNameA(path, longPath, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH)
        return zelvane::BaseNameOfPath(std::string(longPath, longLength));
    return zelvane::BaseNameOfPath(std::string(path, n));
}

namespace {

// This copy's hold on the program's instance marker, a named mutex in the session: the
// first copy creates it, later copies find it. Held for the life of the process; the
// system lets go of it when the process ends, however it ends.
class InstanceMarker {
public:
    // Takes hold of the marker: true when another copy held it already.
    bool Hold() {
        const std::string name = "Local\\" + AppTitle() + ".Instance";
        handle_.reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
        return handle_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    // Lets go and takes hold again: whether another copy holds the marker still.
    bool HeldByAnother() {
        handle_.reset();
        return Hold();
    }

private:
    UniqueKernelHandle handle_;
};

InstanceMarker& Marker() {
    static InstanceMarker marker;
    return marker;
}

}  // namespace

bool PrevInstance() {
    static const bool prev = Marker().Hold();
    return prev;
}

bool OtherCopiesEndWithin(uint32_t timeoutMs) {
    if (!PrevInstance())
        return true;
    // The marker tells only whether it is held, not by whom, so the wait looks again
    // now and then; it ends within a look of the last other copy's end.
    const DWORD start = ::GetTickCount();
    while (Marker().HeldByAnother()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(kLookAgainMs);
    }
    return true;
}

int16_t ScreenTwipsPerPixelX() {
    return TwipsPerPixel(LOGPIXELSX);
}

int16_t ScreenTwipsPerPixelY() {
    return TwipsPerPixel(LOGPIXELSY);
}

double ScreenWidthTw() {
    return static_cast<double>(::GetSystemMetrics(SM_CXSCREEN)) * ScreenTwipsPerPixelX();
}

double ScreenHeightTw() {
    return static_cast<double>(::GetSystemMetrics(SM_CYSCREEN)) * ScreenTwipsPerPixelY();
}

namespace {

void Dispatch(MSG& msg) {
    if (msg.message == WM_QUIT)
        return;  // the drivers own the end of the run, not the message queue
    if (Form::PreTranslate(msg))
        return;
    // Only keys make characters: a timer tick or a paint need no translation.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

}  // namespace

void DoEvents() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        Dispatch(msg);
    TickDuePhasedTimers();
}

namespace {

// Every kind of input the running system has: touch and pen too where they come as pointer
// input, which the compile-time QS_ALLINPUT (Windows 7's) leaves out.
DWORD InputWakeMask() {
    static const DWORD mask = [] {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        // Not examined: a failed call leaves 0.0, which wakes for the oldest system's input.
        (void)::GetVersionExA(&info);
        return zelvane::InputWakeMask(QS_ALLINPUT, {info.dwMajorVersion, info.dwMinorVersion});
    }();
    return mask;
}

}  // namespace

void WaitAndDoEvents(uint32_t timeoutMs) {
    // Not GetMessage: it returns for posted messages only, and a message sent from outside
    // (WM_CLOSE from another program) may raise the end flag that the driver waits on.
    // MWMO_INPUTAVAILABLE: return at once while anything is queued, seen before or not.
    // The wait ends for a phased timer's tick too; one that ends by its time has no message.
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(0, nullptr, std::min(timeoutMs, MsUntilPhasedTick()),
                                                     InputWakeMask(), MWMO_INPUTAVAILABLE);
    MSG msg;
    if (woke != WAIT_TIMEOUT && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        Dispatch(msg);
    TickDuePhasedTimers();
}

namespace {
ClockReadings*& SuppliedReadings() {
    static ClockReadings* readings = nullptr;
    return readings;
}
}  // namespace

void SupplyClockReadings(ClockReadings* readings) {
    SuppliedReadings() = readings;
}

double Now() {
    if (ClockReadings* readings = SuppliedReadings())
        return readings->Now();
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return zelvane::OleDateFromFields(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

int32_t ClockMilliseconds() {
    if (ClockReadings* readings = SuppliedReadings())
        return readings->Milliseconds();
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return t.wMilliseconds;
}

ClockReading ReadClock() {
    if (ClockReadings* readings = SuppliedReadings())
        return {readings->Now(), readings->Milliseconds()};
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return {zelvane::OleDateFromFields(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond), t.wMilliseconds};
}

float TimeOfDaySeconds() {
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    return zelvane::SecondsSinceMidnight(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

zelvane::LocaleNames UserLocaleNames() {
    zelvane::LocaleNames names;
    // Sunday first, as the names here start; the platform lists Monday first. The calendar
    // and the locale number their names with constants of their own.
    static const CALTYPE kCalendarDays[7] = {CAL_SDAYNAME7, CAL_SDAYNAME1, CAL_SDAYNAME2, CAL_SDAYNAME3,
                                             CAL_SDAYNAME4, CAL_SDAYNAME5, CAL_SDAYNAME6};
    static const LCTYPE kDays[7] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2, LOCALE_SDAYNAME3,
                                    LOCALE_SDAYNAME4, LOCALE_SDAYNAME5, LOCALE_SDAYNAME6};
    static const LCTYPE kMonths[12] = {LOCALE_SMONTHNAME1,  LOCALE_SMONTHNAME2,  LOCALE_SMONTHNAME3,
                                       LOCALE_SMONTHNAME4,  LOCALE_SMONTHNAME5,  LOCALE_SMONTHNAME6,
                                       LOCALE_SMONTHNAME7,  LOCALE_SMONTHNAME8,  LOCALE_SMONTHNAME9,
                                       LOCALE_SMONTHNAME10, LOCALE_SMONTHNAME11, LOCALE_SMONTHNAME12};
    zelvane::LocaleNames fallback = zelvane::EnglishLocaleNames();
    for (int i = 0; i < 7; ++i) {
        std::string& name = names.dayNames[i];
        name = GregorianText(kCalendarDays[i]);
        if (name.empty())
            name = LocaleText(kDays[i]);
        if (name.empty())
            name = fallback.dayNames[i];
    }
    for (int i = 0; i < 12; ++i) {
        const CALTYPE month = CAL_SMONTHNAME1 + static_cast<CALTYPE>(i);
        std::string& name = names.monthNames[i];
        name = GregorianText(month | CAL_RETURN_GENITIVE_NAMES);
        // A system older than Windows 7 refuses the calendar's genitive: it is asked for
        // the locale's genitive as before, then for the calendar's nominative (XP has no
        // genitive at all), then for the locale's.
        if (name.empty())
            name = LocaleText(kMonths[i] | LOCALE_RETURN_GENITIVE_NAMES);
        if (name.empty())
            name = GregorianText(month);
        if (name.empty())
            name = LocaleText(kMonths[i]);
        if (name.empty())
            name = fallback.monthNames[i];
    }
    names.timeSeparator = LocaleText(LOCALE_STIME);
    if (names.timeSeparator.empty())
        names.timeSeparator = fallback.timeSeparator;
    return names;
}

namespace {
struct LocaleNamesKept {
    zelvane::LocaleNames names;
    bool current = false;
};
LocaleNamesKept& KeptLocaleNames() {
    static LocaleNamesKept kept;
    return kept;
}
}  // namespace

const zelvane::LocaleNames& CurrentLocaleNames() {
    LocaleNamesKept& kept = KeptLocaleNames();
    if (!kept.current) {
        kept.names = UserLocaleNames();
        kept.current = true;
    }
    return kept.names;
}

void LocaleFormatsChanged() {
    KeptLocaleNames().current = false;
}

void WideFromUtf8(std::string_view text, std::vector<wchar_t>& wide) {
    // UTF-16 takes no more units than UTF-8 takes bytes: one call converts.
    wide.resize(text.size());
    const int converted = text.empty() ? 0
                                       : ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(converted > 0 ? converted : 0));
}

std::string Utf8FromWide(const wchar_t* text, size_t length) {
    if (length == 0)
        return std::string();
    const int wideLength = static_cast<int>(length);
    const int utf8Length = ::WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(utf8Length > 0 ? utf8Length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, wideLength, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

namespace {
RandomSource scriptedRandom = nullptr;
}  // namespace

float Rnd() {
    static zelvane::UniformRandom generator;
    return scriptedRandom ? scriptedRandom() : generator.Next();
}

RandomSource SetRandomSource(RandomSource source) {
    RandomSource previous = scriptedRandom;
    scriptedRandom = source;
    return previous;
}

namespace {
HighContrastSource standInHighContrast = nullptr;
}  // namespace

bool HighContrastOn() {
    if (standInHighContrast)
        return standInHighContrast();
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof highContrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON);
}

HighContrastSource SetHighContrastSource(HighContrastSource source) {
    HighContrastSource previous = standInHighContrast;
    standInHighContrast = source;
    return previous;
}

void Beep() {
    ::MessageBeep(MB_OK);
}

void EndProgram(unsigned exitCode) {
    ::ExitProcess(exitCode);
}

}  // namespace forms
