// Benchmark step: a week of the saver's ticks, or of the preview's drawing passes, in one
// process as fast as they run, painting as they would, with the clock readings supplied so
// that the week (midnights and a month end) passes in minutes. For bench/run.sh.
//
//   week_of_ticks saver [TICKS]     fclock's Timer1_Timer TICKS times, 500 ms of clock apart
//                                   (default 1,209,600: a week)
//   week_of_ticks preview [PASSES]  the preview's drawing pass PASSES times, 1 s apart, into a
//                                   preview-sized window (default 604,800: a week)
//
// After the first call and after every tenth of the run it prints "sample PERCENT CALLS
// PRIVATE_BYTES PRIVATE_KIND GDI GDI_KIND USER USER_KIND HANDLES HANDLES_KIND SECONDS". Where
// the platform does not answer (Wine answers 0), a figure comes another way, named by its
// kind: private bytes from the committed private regions of the address space; GDI
// "headroom", how many more objects the process can make (it falls as objects stay alive);
// USER "windows", the process's windows; handles from the handle values that name an open
// handle. Then the date texts seen and the calls per second. Exit code 0, or 2 on a usage
// error.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "clock/clock_face.h"
#include "clock/fclock.h"
#include "core/date_time.h"
#include "drawing/graphical.h"
#include "forms/runtime.h"
#include "forms/win.h"
#include "program/globals.h"
#include "startup/preview.h"
#include "tests/win/gdi_headroom.h"
#include "tests/hosts/process_windows.h"
#include "tests/win/supplied_clock.h"

namespace {

using zelvane::fclock;

constexpr int64_t kWeekSeconds = 7 * 24 * 60 * 60;
constexpr int64_t kSaverTicksPerSecond = 2;  // Timer1: 500 ms
constexpr int64_t kWeekOfTicks = kWeekSeconds * kSaverTicksPerSecond;
constexpr int64_t kWeekOfPasses = kWeekSeconds;  // one pass a second
constexpr int kSamples = 10;                     // one every tenth, and one at the start
constexpr UINT_PTR kClockTimerId = 1;            // fclock's only timer
// The week starts on a Friday noon, 28 January: seven midnights, and January turns to
// February after three and a half days.
constexpr int kStartYear = 2022, kStartMonth = 1, kStartDay = 28, kStartHour = 12, kStartMinute = 0, kStartSecond = 0;
constexpr int kPreviewWidth = 152, kPreviewHeight = 112;  // the display-settings dialog's preview
constexpr wchar_t kPreviewClass[] = L"ZelvaneWeekPreview";
constexpr uintptr_t kHandleStep = 4;             // handle values are multiples of four
constexpr uintptr_t kHandleValueLimit = 0x4000;  // 4096 handle values: far beyond its tens

int ProcessWindows() {
    return process_windows::CountWindows(::GetCurrentProcessId(), false);
}

// Committed memory that belongs to this process alone: what "private bytes" counts.
unsigned long long CommittedPrivateBytes() {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
    }
    return total;
}

DWORD OpenHandles() {
    DWORD count = 0;
    for (uintptr_t value = kHandleStep; value < kHandleValueLimit; value += kHandleStep) {
        DWORD flags = 0;
        count += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// Private bytes, GDI and USER objects (or what stands in for them) and handles, on one line.
void PrintSample(int percent, int64_t calls, const Stopwatch& clock) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    DWORD handleCount = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handleCount);
    const DWORD gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    const unsigned long long privateBytes = memory.PrivateUsage ? memory.PrivateUsage : CommittedPrivateBytes();
    const long long gdi = gdiObjects ? gdiObjects : testing_support::GdiHeadroom();
    const long long user = userObjects ? userObjects : ProcessWindows();
    const unsigned long handles = handleCount ? handleCount : OpenHandles();
    std::printf("sample %d %lld %llu %s %lld %s %lld %s %lu %s %.1f\n", percent, static_cast<long long>(calls),
                privateBytes, memory.PrivateUsage ? "usage" : "regions", gdi, gdiObjects ? "objects" : "headroom", user,
                userObjects ? "objects" : "windows", handles, handleCount ? "count" : "values", clock.Seconds());
    std::fflush(stdout);
}

// Runs `calls` steps, sampling after the first and after every tenth; `step(i)` does call i.
template <typename Step>
double RunSampled(int64_t calls, Step step) {
    // The first sample follows the first call: what every call keeps (the preview's font,
    // made by its first pass) is then counted from the start.
    step(0);
    Stopwatch clock;
    PrintSample(0, 1, clock);
    int64_t done = 1;
    for (int tenth = 1; tenth <= kSamples; ++tenth) {
        const int64_t until = calls * tenth / kSamples;
        for (; done < until; ++done)
            step(done);
        PrintSample(tenth * 100 / kSamples, done, clock);
    }
    return clock.Seconds();
}

void PrintRate(int64_t calls, double seconds) {
    std::printf("calls %lld\nseconds %.1f\ncalls_per_second %.0f\n", static_cast<long long>(calls), seconds,
                seconds > 0 ? static_cast<double>(calls) / seconds : 0.0);
}

int RunSaverWeek(int64_t ticks) {
    zelvane::TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
    zelvane::TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
    testing_support::SuppliedClock readings(kStartYear, kStartMonth, kStartDay, kStartHour, kStartMinute, kStartSecond);
    fclock clock;
    clock.Show();
    // The bench delivers every tick itself: the system's timer would add ticks of its own.
    ::KillTimer(clock.hWnd(), kClockTimerId);
    forms::DoEvents();
    testing_support::GdiHeadroom();  // its first run grows the heap once; not the saver's doing
    std::string firstDate = clock.Label2.Caption();
    std::string lastDate = firstDate;
    int dateTexts = 1;
    const double seconds = RunSampled(ticks, [&](int64_t i) {
        readings.SetElapsedSeconds(i / kSaverTicksPerSecond);
        ::SendMessageA(clock.hWnd(), WM_TIMER, kClockTimerId, 0);
        forms::DoEvents();  // paints, as the running saver does between ticks
        if (clock.Label2.Caption() != lastDate) {
            lastDate = clock.Label2.Caption();
            ++dateTexts;
        }
    });
    std::printf("first_date %s\nlast_date %s\ndate_texts %d\nlast_time %s\n", firstDate.c_str(), lastDate.c_str(),
                dateTexts, clock.Label1.Caption().c_str());
    PrintRate(ticks, seconds);
    clock.Unload();
    return 0;
}

using UniqueWindow = zelvane::UniqueHandle<forms::WinTraits<HWND, ::DestroyWindow>>;

int RunPreviewWeek(int64_t passes) {
    zelvane::TwipsPerPixelX = forms::ScreenTwipsPerPixelX();
    zelvane::TwipsPerPixelY = forms::ScreenTwipsPerPixelY();
    zelvane::StartBrushColor = zelvane::kWhite;
    zelvane::FaceFillColor = zelvane::kBlack;
    zelvane::FaceInkColor = zelvane::kYellow;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewClass;
    ::RegisterClassW(&wc);
    UniqueWindow preview(::CreateWindowExW(0, kPreviewClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, kPreviewWidth,
                                           kPreviewHeight, nullptr, nullptr, wc.hInstance, nullptr));
    forms::DoEvents();
    testing_support::SuppliedClock readings(kStartYear, kStartMonth, kStartDay, kStartHour, kStartMinute, kStartSecond);
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(preview.get(), &client);
    zelvane::SetPreviewLayout(client);
    HDC hDC = zelvane::GraphBegin(preview.get(), zelvane::StartBrushColor, zelvane::FaceInkColor, 1);
    ::SetBkMode(hDC, TRANSPARENT);
    testing_support::GdiHeadroom();  // its first run grows the heap once; not the preview's doing
    const double seconds = RunSampled(passes, [&](int64_t i) {
        readings.SetElapsedSeconds(i + 1);  // a new second every pass: every pass draws
        zelvane::DrawPreviewPass(hDC);
        forms::DoEvents();  // what the pause between passes does, without its wait
    });
    std::printf("last_time %s\n", zelvane::FormatTimeLiteralColons(zelvane::DayTime).c_str());
    PrintRate(passes, seconds);
    zelvane::GraphEnd(preview.get(), hDC);
    return 0;
}

int Usage() {
    std::printf("usage: week_of_ticks saver [TICKS] | preview [PASSES]\n");
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2)
        return Usage();
    const std::string mode = __argv[1];
    const long long count = __argc >= 3 ? std::atoll(__argv[2]) : 0;
    if (__argc >= 3 && count < kSamples)
        return Usage();
    int status = 2;
    if (mode == "saver")
        status = RunSaverWeek(__argc >= 3 ? count : kWeekOfTicks);
    else if (mode == "preview")
        status = RunPreviewWeek(__argc >= 3 ? count : kWeekOfPasses);
    else
        return Usage();
    std::fflush(stdout);
    return status;
}
