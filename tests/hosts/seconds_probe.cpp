// Benchmark probe: how the screen saver keeps time, looked at from outside, for bench/run.sh.
//
//   seconds_probe saver SCR SECONDS     runs "SCR /S" and watches the time text on the screen
//   seconds_probe preview SCR SECONDS   runs "SCR /P <handle>" into the test display-settings
//                                       dialog's popup preview and watches the time drawn there
//
// For every whole second of the local clock that falls inside the watch, it tells whether a
// new time text appeared on the screen in that second, and how long after the second's start
// it appeared first. Figures are printed as "name value" lines. Exit code 0 on success, 1 when
// the measurement failed, 2 on a usage error.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display_host.h"
#include "screen_copy.h"

namespace {

using screen_copy::IsInk;
using screen_copy::ScreenCopy;

constexpr int kMinSeconds = 5;
constexpr int kMaxSeconds = 7200;
constexpr DWORD kFirstDrawingTimeoutMs = 60000;  // start-up is another figure's business, and slow emulated
constexpr DWORD kPollMs = 1;
constexpr DWORD kExitTimeoutMs = 5000;
constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kFileTimeUnitsPerMs = 10000;
// The saver's time text: its rows are the tallest run of rows holding yellow (the date's are
// lower), and it moves a few pixels a tick, so once found only its surroundings are copied.
constexpr int kMinTextRows = 30;
constexpr int kTrackMargin = 40;
// The preview's time text lies inside the disc, clear of its outline: this box of the
// 152 x 112 preview, and it holds many yellow pixels once the text is drawn.
constexpr RECT kPreviewTextBox = {30, 40, 122, 72};
constexpr int kMinTextPixels = 50;

// Milliseconds of the local clock, the clock the saver reads, on one continuous scale.
int64_t LocalClockMs() {
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    FILETIME ft;
    ::SystemTimeToFileTime(&t, &ft);
    const int64_t units = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return units / kFileTimeUnitsPerMs;
}

// The ink inside a box of the last copy, as a fingerprint that does not depend on where the
// box lies: the same text at another place gives the same value. 0: no text there.
uint64_t Fingerprint(const ScreenCopy& copy, const RECT& box, int minPixels) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    const auto mix = [&hash](uint64_t v) { hash = (hash ^ v) * 1099511628211ull; };
    int pixels = 0;
    mix(static_cast<uint64_t>(box.right - box.left) << 16 | static_cast<uint64_t>(box.bottom - box.top));
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (IsInk(copy.Pixel(x, y))) {
                ++pixels;
                mix(static_cast<uint64_t>(y - box.top) << 16 | static_cast<uint64_t>(x - box.left));
            }
    return pixels >= minPixels ? hash : 0;
}

// The box of the saver's time text within the copied area (copy coordinates); empty if none.
RECT FindTimeText(const ScreenCopy& copy, int width, int height) {
    RECT best = {0, 0, 0, 0};
    int runTop = -1;
    for (int y = 0; y <= height; ++y) {
        bool ink = false;
        for (int x = 0; y < height && x < width && !ink; ++x)
            ink = IsInk(copy.Pixel(x, y));
        if (ink && runTop < 0)
            runTop = y;
        if (!ink && runTop >= 0) {
            if (y - runTop > best.bottom - best.top)
                best = {0, runTop, width, y};
            runTop = -1;
        }
    }
    if (best.bottom - best.top < kMinTextRows)
        return {0, 0, 0, 0};
    int left = width, right = 0;
    for (int y = best.top; y < best.bottom; ++y)
        for (int x = 0; x < width; ++x)
            if (IsInk(copy.Pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
    best.left = left;
    best.right = right;
    return best;
}

struct Watch {
    std::vector<int64_t> changes;  // local-clock ms of each new time text's first sighting
    int64_t from = 0, to = 0;      // the watched span, local-clock ms
    int polls = 0;
};

// Polls until the text has been drawn for the first time and then for `durationMs` more.
// A text counts once it is seen on two polls in a row (a copy may catch a drawing half done);
// its time is the end of the first of the two copies. The end, not the start: a text drawn
// while a copy was under way belongs to the second it shows, never to the one before.
bool WatchText(bool preview, const RECT& screenArea, DWORD durationMs, Watch& watch) {
    const int areaW = screenArea.right - screenArea.left, areaH = screenArea.bottom - screenArea.top;
    ScreenCopy copy(areaW, areaH);
    if (!copy.Valid())
        return false;
    uint64_t shown = 0, candidate = 0;
    int64_t candidateMs = 0;
    RECT track = screenArea;  // the saver's: the area copied next
    const DWORD start = ::GetTickCount();
    DWORD watchStart = 0;
    while (watch.changes.empty() ? ::GetTickCount() - start < kFirstDrawingTimeoutMs
                                 : ::GetTickCount() - watchStart < durationMs) {
        copy.Copy(track);
        const int64_t at = LocalClockMs();
        ++watch.polls;
        uint64_t print = 0;
        if (preview) {
            print = Fingerprint(copy, kPreviewTextBox, kMinTextPixels);
        } else {
            const RECT text = FindTimeText(copy, track.right - track.left, track.bottom - track.top);
            if (text.bottom > text.top) {
                print = Fingerprint(copy, text, kMinTextPixels);
                track = {std::max(screenArea.left, track.left + text.left - kTrackMargin),
                         std::max(screenArea.top, track.top + text.top - kTrackMargin),
                         std::min(screenArea.right, track.left + text.right + kTrackMargin),
                         std::min(screenArea.bottom, track.top + text.bottom + kTrackMargin)};
            } else {
                track = screenArea;
            }
        }
        if (print && print == candidate && print != shown) {
            shown = print;
            if (watch.changes.empty()) {
                // The first text: the watch begins here, its second half watched is not counted.
                watch.from = candidateMs;
                watch.polls = 0;
                watchStart = ::GetTickCount();
            }
            watch.changes.push_back(candidateMs);
        }
        if (print != candidate) {
            candidate = print;
            candidateMs = at;
        }
        ::Sleep(kPollMs);
    }
    watch.to = LocalClockMs();
    return !watch.changes.empty();
}

// "hh:mm:ss" of a second on the local-clock scale.
std::string SecondOfDay(int64_t second) {
    constexpr int64_t kSecondsADay = 86400, kSecondsAnHour = 3600, kSecondsAMinute = 60;
    const int64_t s = second % kSecondsADay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / kSecondsAnHour),
                  static_cast<int>(s % kSecondsAnHour / kSecondsAMinute), static_cast<int>(s % kSecondsAMinute));
    return text;
}

double Percentile(std::vector<int64_t> values, double share) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return static_cast<double>(values[rank]);
}

// Each whole second inside the watch: the first new text in it gives its delay; none, a miss.
void Report(const Watch& watch) {
    const int64_t first = watch.from / kMsPerSecond + 1, last = watch.to / kMsPerSecond - 1;
    std::vector<int64_t> delays;
    int missed = 0, extra = 0;
    std::string odd;  // the seconds not drawn exactly once, for a look at what happened there
    size_t next = 0;
    for (int64_t second = first; second <= last; ++second) {
        while (next < watch.changes.size() && watch.changes[next] < second * kMsPerSecond)
            ++next;
        int inSecond = 0;
        for (size_t i = next; i < watch.changes.size() && watch.changes[i] < (second + 1) * kMsPerSecond; ++i)
            ++inSecond;
        if (inSecond == 0)
            ++missed;
        else
            delays.push_back(watch.changes[next] - second * kMsPerSecond);
        extra += std::max(0, inSecond - 1);
        if (inSecond != 1)
            odd += " " + SecondOfDay(second) + (inSecond == 0 ? "(none)" : "(" + std::to_string(inSecond) + ")");
    }
    std::printf("seconds_watched %lld\n", static_cast<long long>(last - first + 1));
    std::printf("seconds_shown %zu\n", delays.size());
    std::printf("seconds_missed %d\n", missed);
    std::printf("seconds_drawn_twice %d\n", extra);
    std::printf("delay_median_ms %.0f\n", Percentile(delays, 0.5));
    std::printf("delay_p95_ms %.0f\n", Percentile(delays, 0.95));
    std::printf("delay_max_ms %.0f\n", Percentile(delays, 1.0));
    std::printf("seconds_not_drawn_once%s\n", odd.c_str());
    std::printf("polls_per_second %.0f\n",
                watch.polls * static_cast<double>(kMsPerSecond) / static_cast<double>(watch.to - watch.from));
}

bool Start(const std::wstring& exe, const std::wstring& args, PROCESS_INFORMATION& pi) {
    std::wstring line = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    pi = {};
    return ::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
}

BOOL CALLBACK CloseWindowOf(HWND hWnd, LPARAM pid) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == static_cast<DWORD>(pid) && ::IsWindowVisible(hWnd))
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

// Waits for the process to end, and ends it by force when it does not.
void Reap(PROCESS_INFORMATION& pi) {
    if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        std::printf("note the screen saver did not end; terminated\n");
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

int Run(bool preview, const std::wstring& scr, int seconds) {
    display_host::Client host;
    RECT area;
    std::wstring args = L"/S";
    if (preview) {
        if (!host.Start(L"--popup")) {
            std::printf("error the test display-settings dialog did not start\n");
            return 1;
        }
        ::GetClientRect(host.Preview(), &area);
        ::MapWindowPoints(host.Preview(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        args = L"/P " + std::to_wstring(host.PreviewNumber());
    } else {
        area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    PROCESS_INFORMATION pi;
    if (!Start(scr, args, pi)) {
        std::printf("error the screen saver could not be started\n");
        return 1;
    }
    Watch watch;
    if (!WatchText(preview, area, static_cast<DWORD>(seconds) * kMsPerSecond, watch))
        std::printf("error no time text was drawn within %lu ms\n", static_cast<unsigned long>(kFirstDrawingTimeoutMs));
    if (preview)
        host.Close();  // a preview ends with its dialog
    else
        ::EnumWindows(&CloseWindowOf, static_cast<LPARAM>(pi.dwProcessId));
    Reap(pi);
    if (watch.changes.empty())
        return 1;
    Report(watch);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4 || (std::string(__argv[1]) != "saver" && std::string(__argv[1]) != "preview")) {
        std::printf("usage: seconds_probe saver|preview SCR SECONDS\n");
        return 2;
    }
    const int seconds = std::atoi(__argv[3]);
    if (seconds < kMinSeconds || seconds > kMaxSeconds)
        return 2;
    const int status = Run(std::string(__argv[1]) == "preview", Widen(__argv[2]), seconds);
    std::fflush(stdout);
    return status;
}
