// Test host: a user on a desktop other than the test's own, where the test can neither list
// windows nor send input. Started on that desktop, it does one thing there and writes what it
// saw to a report file (written whole under another name first, then renamed):
//
//   desktop_user.exe displays <report> <saver> <W>x<H> ...
//     starts the saver full screen, switches the display to each mode in turn and reports
//     the mode, the screen, the clock window once it covers the screen (or as it stands when
//     it never does) and the next ten drawings of the time; then ends the saver with a key.
//   desktop_user.exe press-link <report> <x twips> <y twips>
//     right-clicks the running saver, presses the About dialog's client area at that point
//     and reports whether the dialog opened and closed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "process_windows.h"
#include "screen_copy.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kStartMs = 10000;
constexpr DWORD kLayoutMs = 5000;     // the clock follows a change within a tick or two
constexpr DWORD kTenTicksMs = 15000;  // ten half-second ticks, with room for a loaded machine
constexpr int kTicksWatched = 10;
constexpr int kCornerPx = 20;  // where a right click opens About, away from the dialog
constexpr int kTwipsPerInch = 1440;
constexpr char kAboutCaption[] = "About";

template <typename F>
bool WaitFor(DWORD timeoutMs, F condition) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

RECT Screen() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::string Text(const RECT& rc) {
    return std::to_string(rc.left) + " " + std::to_string(rc.top) + " " + std::to_string(rc.right) + " " +
           std::to_string(rc.bottom);
}

// The box of the lowest band of the saver's yellow on the screen (the time, below the date):
// the rows with ink up from the bottom, until a row without; empty when there is none.
RECT LowestInkBand() {
    const RECT screen = Screen();
    const std::vector<uint32_t> px = screen_copy::Capture(screen);
    RECT band = {0, 0, 0, 0};
    for (int y = screen.bottom - 1; y >= 0 && !px.empty(); --y) {
        const uint32_t* row = &px[static_cast<size_t>(y) * screen.right];
        int first = 0, last = screen.right - 1;
        while (first <= last && !screen_copy::IsInk(row[first]))
            ++first;
        while (last >= first && !screen_copy::IsInk(row[last]))
            --last;
        if (first > last) {
            if (band.bottom > 0)
                break;  // the row above the lowest band
            continue;
        }
        if (band.bottom == 0)
            band = {first, y, last + 1, y + 1};
        band.left = std::min<LONG>(band.left, first);
        band.right = std::max<LONG>(band.right, last + 1);
        band.top = y;
    }
    return band;
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = static_cast<LONG>((x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
        in.mi.dy = static_cast<LONG>((y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    }
    ::SendInput(1, &in, sizeof in);
}

void Press(int x, int y, DWORD down, DWORD up) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    SendMouse(down);
    SendMouse(up);
}

void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
}

// The saver's full-screen window on this desktop: a visible form window without a caption.
BOOL CALLBACK TakeClock(HWND w, LPARAM param) {
    char cls[64] = {}, title[8] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    if (!::IsWindowVisible(w) || lstrcmpA(cls, process_windows::kFormClass) != 0 ||
        ::GetWindowTextA(w, title, sizeof title) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = w;
    return FALSE;
}

HWND FindClock() {
    HWND found = nullptr;
    ::EnumWindows(&TakeClock, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool WriteReport(const std::string& path, const std::string& report) {
    const std::string partial = path + ".part";
    FILE* f = std::fopen(partial.c_str(), "wb");
    if (!f)
        return false;
    std::fwrite(report.data(), 1, report.size(), f);
    std::fclose(f);
    return ::MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string FollowDisplays(const std::string& saverPath, char** modes, int modeCount) {
    std::string report;
    std::string line = "\"" + saverPath + "\" /S";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(saverPath.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return "no saver\n";
    ::CloseHandle(pi.hThread);
    HWND clock = nullptr;
    WaitFor(kStartMs, [&] { return (clock = FindClock()) != nullptr && LowestInkBand().right > 0; });
    report += "clock " + std::string(clock ? "1" : "0") + "\n";
    for (int i = 0; clock && i < modeCount; ++i) {
        DEVMODEW mode = {};
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        if (std::sscanf(modes[i], "%lux%lu", &mode.dmPelsWidth, &mode.dmPelsHeight) != 2)
            return report + "bad mode\n";
        const LONG changed = ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
        report += "mode " + std::to_string(mode.dmPelsWidth) + " " + std::to_string(mode.dmPelsHeight) + " " +
                  std::to_string(changed) + "\n";
        RECT window = {};
        WaitFor(kLayoutMs, [&] {
            ::GetWindowRect(clock, &window);
            const RECT screen = Screen();
            return ::EqualRect(&window, &screen) != FALSE;
        });
        report += "screen " + Text(Screen()) + "\nwindow " + Text(window) + "\n";
        RECT last = LowestInkBand();
        for (int tick = 0; tick < kTicksWatched; ++tick) {
            RECT time = {};
            if (!WaitFor(kTenTicksMs, [&] {
                    time = LowestInkBand();
                    return time.right > time.left && !::EqualRect(&time, &last);
                }))
                break;
            report += "time " + Text(time) + "\n";
            last = time;
        }
    }
    PressKey(VK_SPACE);
    DWORD exitCode = STILL_ACTIVE;
    if (::WaitForSingleObject(pi.hProcess, kStartMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &exitCode);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    return report + "exit " + std::to_string(exitCode) + "\n";
}

std::string PressLink(int xTw, int yTw) {
    if (!WaitFor(kStartMs, [] { return FindClock() != nullptr && LowestInkBand().right > 0; }))
        return "clock 0\n";
    Press(kCornerPx, kCornerPx, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    HWND about = nullptr;
    WaitFor(kStartMs, [&] {
        about = ::FindWindowA(process_windows::kFormClass, kAboutCaption);
        return about && ::IsWindowVisible(about);
    });
    std::string report = "clock 1\nabout " + std::string(about ? "1" : "0") + "\n";
    if (!about)
        return report;
    HDC screen = ::GetDC(nullptr);
    POINT pt = {::MulDiv(xTw, ::GetDeviceCaps(screen, LOGPIXELSX), kTwipsPerInch),
                ::MulDiv(yTw, ::GetDeviceCaps(screen, LOGPIXELSY), kTwipsPerInch)};
    ::ReleaseDC(nullptr, screen);
    ::ClientToScreen(about, &pt);
    Press(pt.x, pt.y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    const bool closed = WaitFor(kStartMs, [&] { return !::IsWindow(about); });
    return report + "closed " + std::string(closed ? "1" : "0") + "\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    constexpr int kFirstArgument = 3;
    if (__argc < kFirstArgument)
        return 2;
    const std::string what = __argv[1];
    const std::string reportPath = __argv[2];
    std::string report;
    if (what == "displays" && __argc > kFirstArgument)
        report = FollowDisplays(__argv[kFirstArgument], __argv + kFirstArgument + 1, __argc - kFirstArgument - 1);
    else if (what == "press-link" && __argc == kFirstArgument + 2)
        report = PressLink(std::atoi(__argv[kFirstArgument]), std::atoi(__argv[kFirstArgument + 1]));
    else
        return 2;
    return WriteReport(reportPath, report) ? 0 : 3;
}
