// Benchmark probe: looks at the screen saver from outside, for bench/run.sh.
//
//   first_frame_probe saver SCR [RUNS [FLOOR]]
//                                          start "SCR /S" RUNS times; each time, the milliseconds
//                                          from CreateProcess to the first yellow pixel on screen;
//                                          the floor below is FLOOR's plain window (a probe of the
//                                          width of SCR: a 32-bit start costs Wine more), else this one's,
//                                          timed right after each start, and each start's ratio to it
//   first_frame_probe preview SCR [RUNS [FLOOR]]  the same for "SCR /P <handle>" into the test
//                                          display-settings dialog's popup preview (yellow inside it)
//   first_frame_probe plain-window X Y W H the smallest program that shows yellow (a popup there):
//                                          timed after each start of the saver, as Wine's floor
//   first_frame_probe plain-preview HANDLE the smallest program that shows yellow as a preview
//                                          must, drawn into that window: the preview's floor
//   first_frame_probe objects EXE          GDI objects of the running process EXE (read from its
//                                          own GDI handle table, by a 64-bit probe), what
//                                          GetGuiResources answers, and its windows
//   first_frame_probe preview-handle       the running test dialog's preview window, as "/P" takes it
//   first_frame_probe close-host           closes the running test dialog
//
// Figures are printed as "name value" lines (medians last) for the script to read. Exit
// code 0 on success, 1 when a measurement failed, 2 on a usage error.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "display_host.h"
#include "process_windows.h"
#include "screen_copy.h"

namespace {

using screen_copy::ScreenCopy;

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kTolerance = 8;
constexpr int kDefaultRuns = 5;
constexpr int kMaxRuns = 50;
constexpr DWORD kPollMs = 1;
constexpr DWORD kFrameTimeoutMs = 15000;
constexpr DWORD kCleanScreenTimeoutMs = 3000;  // a previous run's picture must be gone by then
constexpr DWORD kCleanScreenPollMs = 20;
constexpr DWORD kExitTimeoutMs = 5000;
constexpr DWORD kKillTimeoutMs = 5000;
constexpr wchar_t kPlainWindowCommand[] = L"plain-window";
constexpr wchar_t kPlainPreviewCommand[] = L"plain-preview";
constexpr DWORD kPreviewGoneLookMs = 50;
constexpr wchar_t kPlainWindowClass[] = L"ZelvaneProbePlainWindow";
constexpr size_t kPlacementChars = 96;

// A kernel handle owned for a scope.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE h = nullptr) : h_(h) {}
    ~OwnedHandle() {
        if (h_)
            ::CloseHandle(h_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// Copies the screen area at (left, top), the copy's size, and tells whether any pixel is near `color`.
bool AreaHasColor(ScreenCopy& copy, int left, int top, COLORREF color) {
    copy.Copy({left, top, left + copy.Width(), top + copy.Height()});
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x) {
            const uint32_t v = copy.Pixel(x, y);
            const int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
            if (std::abs(r - GetRValue(color)) <= kTolerance && std::abs(g - GetGValue(color)) <= kTolerance &&
                std::abs(b - GetBValue(color)) <= kTolerance)
                return true;
        }
    return false;
}

class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

std::wstring Widen(const char* text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::wstring SelfPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

bool Start(const std::wstring& exe, const std::wstring& args, PROCESS_INFORMATION& pi) {
    std::wstring line = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    pi = {};
    return ::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
}

// Ends a started saver as the system would (WM_CLOSE to its windows), by force if it stays.
void EndProcess(const PROCESS_INFORMATION& pi) {
    for (HWND hWnd : process_windows::WindowsOf(pi.dwProcessId, true))
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        std::printf("note saver did not end on WM_CLOSE; terminated\n");
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, kKillTimeoutMs);
    }
}

// Waits until no yellow is left in the area, so that a run never sees the previous one's picture.
bool WaitForCleanArea(ScreenCopy& copy, const RECT& area) {
    const DWORD start = ::GetTickCount();
    while (AreaHasColor(copy, area.left, area.top, kYellow)) {
        if (::GetTickCount() - start > kCleanScreenTimeoutMs)
            return false;
        ::Sleep(kCleanScreenPollMs);
    }
    return true;
}

struct FrameTiming {
    bool drawn = false;
    double frameMs = 0;
    double windowMs = -1;  // first visible window of the process; -1 when it showed none first
};

// Starts the saver with `args` and polls the area for yellow every millisecond or so. With
// `awaitWindow` the screen copies, which cost far more than a window search, begin only once
// the process shows a window: nothing of it can be on the screen before.
FrameTiming TimeFirstFrame(const std::wstring& scr,
                           const std::wstring& args,
                           ScreenCopy& copy,
                           const RECT& area,
                           bool awaitWindow,
                           PROCESS_INFORMATION& pi) {
    FrameTiming timing;
    Stopwatch clock;
    if (!Start(scr, args, pi))
        return timing;
    while (clock.ElapsedMs() < kFrameTimeoutMs) {
        if (awaitWindow && timing.windowMs < 0 && !process_windows::WindowsOf(pi.dwProcessId, true).empty())
            timing.windowMs = clock.ElapsedMs();
        if ((!awaitWindow || timing.windowMs >= 0) && AreaHasColor(copy, area.left, area.top, kYellow)) {
            timing.frameMs = clock.ElapsedMs();
            timing.drawn = true;
            break;
        }
        if (::WaitForSingleObject(pi.hProcess, kPollMs) == WAIT_OBJECT_0)
            break;
    }
    return timing;
}

// How long Wine takes to start a bare Win32 program and see it end: the floor under any
// first frame: the floor's probe without arguments (a usage error ends it at once).
// Negative when it could not be started.
double TimeBareProcess(const std::wstring& floorExe) {
    PROCESS_INFORMATION pi;
    Stopwatch clock;
    if (!Start(floorExe, L"", pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, kFrameTimeoutMs);
    const double elapsed = clock.ElapsedMs();
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return elapsed;
}

// The smallest program that shows yellow over the area, timed like the saver: Wine's floor.
FrameTiming TimePlainWindow(ScreenCopy& copy, const RECT& area, const std::wstring& floorExe) {
    wchar_t placement[kPlacementChars];
    std::swprintf(placement, kPlacementChars, L"%ls %ld %ld %ld %ld", kPlainWindowCommand, area.left, area.top,
                  area.right - area.left, area.bottom - area.top);
    PROCESS_INFORMATION pi;
    const FrameTiming timing = TimeFirstFrame(floorExe, placement, copy, area, true, pi);
    if (pi.hProcess) {
        OwnedHandle process(pi.hProcess), thread(pi.hThread);
        EndProcess(pi);
    }
    return timing;
}

// The smallest program that shows yellow the way a preview must, into a dialog's preview
// window of another process (Wine draws there more slowly than into a window of one's own),
// timed like the preview: in a dialog of its own, started for it.
FrameTiming TimePlainPreview(const std::wstring& floorExe) {
    display_host::Client host;
    if (!host.Start(L"--popup"))
        return {};
    RECT area;
    ::GetClientRect(host.Preview(), &area);
    ::MapWindowPoints(host.Preview(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    ScreenCopy copy(area.right - area.left, area.bottom - area.top);
    if (!copy.Valid() || !WaitForCleanArea(copy, area))
        return {};
    PROCESS_INFORMATION pi;
    const FrameTiming timing = TimeFirstFrame(
        floorExe, std::wstring(kPlainPreviewCommand) + L" " + std::to_wstring(host.PreviewNumber()), copy, area, false, pi);
    host.Close();
    if (pi.hProcess) {
        OwnedHandle process(pi.hProcess), thread(pi.hThread);
        if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
            ::TerminateProcess(pi.hProcess, 1);
    }
    return timing;
}

void PrintSeries(const char* name, const std::vector<double>& values, int decimals = 1) {
    std::printf("%s", name);
    for (double v : values)
        std::printf(" %.*f", decimals, v);
    std::printf("\n");
}
constexpr int kRatioDecimals = 3;

// Seconds into the minute by the local clock: a preview started in second 0 draws one pass late.
double ClockSecondsInMinute() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now.wSecond + now.wMilliseconds / 1000.0;
}

int RunFirstFrame(bool preview, const std::wstring& scr, int runs, const std::wstring& floorExe) {
    std::vector<double> frames, windows, scans, clockSeconds, plainFrames, plainWindows, bare, plainPreview;
    // Each start to its own floor's start right after it: the pair met the same load.
    std::vector<double> plainRatios, plainPreviewRatios;
    RECT area = {0, 0, 0, 0};
    for (int run = 0; run < runs; ++run) {
        display_host::Client host;
        if (preview) {
            if (!host.Start(L"--popup")) {
                std::printf("error the test display-settings dialog did not start\n");
                return 1;
            }
            ::GetClientRect(host.Preview(), &area);
            ::MapWindowPoints(host.Preview(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        } else {
            area.left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
            area.top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
            area.right = area.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
            area.bottom = area.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
        }
        ScreenCopy copy(area.right - area.left, area.bottom - area.top);
        if (!copy.Valid() || !WaitForCleanArea(copy, area)) {
            std::printf("error yellow on the screen before the saver started\n");
            return 1;
        }
        // One poll's cost: the resolution of the figure.
        Stopwatch scanClock;
        AreaHasColor(copy, area.left, area.top, kYellow);
        scans.push_back(scanClock.ElapsedMs());
        const std::wstring args = preview ? L"/P " + std::to_wstring(host.PreviewNumber()) : L"/S";
        clockSeconds.push_back(ClockSecondsInMinute());
        PROCESS_INFORMATION pi;
        const FrameTiming timing = TimeFirstFrame(scr, args, copy, area, !preview, pi);
        if (!pi.hProcess) {
            std::printf("error the screen saver could not be started\n");
            return 1;
        }
        OwnedHandle process(pi.hProcess), thread(pi.hThread);
        if (preview) {
            // Closing the dialog is how a preview ends: it notices within about a second.
            host.Close();
            if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
                std::printf("note preview did not end with its dialog; terminated\n");
                ::TerminateProcess(pi.hProcess, 1);
                ::WaitForSingleObject(pi.hProcess, kKillTimeoutMs);
            }
        } else {
            EndProcess(pi);
        }
        if (!timing.drawn) {
            std::printf("error run %d: no yellow within %lu ms\n", run + 1,
                        static_cast<unsigned long>(kFrameTimeoutMs));
            return 1;
        }
        frames.push_back(timing.frameMs);
        if (timing.windowMs >= 0)
            windows.push_back(timing.windowMs);

        // The floors, right after each start so that they meet the same load on the machine.
        if (WaitForCleanArea(copy, area)) {
            const FrameTiming plain = TimePlainWindow(copy, area, floorExe);
            if (plain.drawn) {
                plainFrames.push_back(plain.frameMs);
                plainRatios.push_back(timing.frameMs / plain.frameMs);
            }
            if (plain.windowMs >= 0)
                plainWindows.push_back(plain.windowMs);
        }
        if (preview) {
            const FrameTiming drawn = TimePlainPreview(floorExe);
            if (drawn.drawn) {
                plainPreview.push_back(drawn.frameMs);
                plainPreviewRatios.push_back(timing.frameMs / drawn.frameMs);
            }
        }
        const double bareMs = TimeBareProcess(floorExe);
        if (bareMs >= 0)
            bare.push_back(bareMs);
    }

    PrintSeries("first_frame_ms", frames);
    if (!windows.empty())
        PrintSeries("window_ms", windows);
    PrintSeries("start_clock_s", clockSeconds);
    PrintSeries("plain_window_ms", plainFrames);
    PrintSeries("plain_window_ratio", plainRatios, kRatioDecimals);
    PrintSeries("plain_window_shown_ms", plainWindows);
    PrintSeries("bare_process_ms", bare);
    if (!plainPreview.empty()) {
        PrintSeries("plain_preview_ms", plainPreview);
        PrintSeries("plain_preview_ratio", plainPreviewRatios, kRatioDecimals);
        std::printf("plain_preview_median_ms %.1f\n", Median(plainPreview));
    }
    std::printf("first_frame_median_ms %.1f\n", Median(frames));
    if (!windows.empty())
        std::printf("window_median_ms %.1f\n", Median(windows));
    std::printf("plain_window_median_ms %.1f\n", Median(plainFrames));
    std::printf("plain_window_shown_median_ms %.1f\n", Median(plainWindows));
    std::printf("bare_process_median_ms %.1f\n", Median(bare));
    std::printf("scan_median_ms %.1f\n", Median(scans));
    return 0;
}

// The smallest Win32 program that shows yellow: a topmost popup with a yellow class
// background over the given area, until it is closed.
LRESULT CALLBACK PlainWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

// The smallest program that shows yellow the way a preview must: into the dialog's preview
// window, a window of another process, until that window goes.
int RunPlainPreview(HWND preview) {
    HDC hDC = ::GetDC(preview);
    HBRUSH yellow = ::CreateSolidBrush(kYellow);
    RECT rc;
    ::GetClientRect(preview, &rc);
    ::FillRect(hDC, &rc, yellow);
    ::GdiFlush();
    ::GetPixel(hDC, 0, 0);
    while (::IsWindow(preview))
        ::Sleep(kPreviewGoneLookMs);
    ::ReleaseDC(preview, hDC);
    ::DeleteObject(yellow);
    return 0;
}

int RunPlainWindow(HINSTANCE instance, int x, int y, int width, int height) {
    HBRUSH yellow = ::CreateSolidBrush(kYellow);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = yellow;
    wc.lpszClassName = kPlainWindowClass;
    ::RegisterClassW(&wc);
    ::CreateWindowExW(WS_EX_TOPMOST, kPlainWindowClass, L"", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                      nullptr, instance, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    ::DeleteObject(yellow);
    return 0;
}

// --- GDI objects from outside ---------------------------------------------------------
//
// GetGuiResources answers 0 under Wine. Wine keeps each process's GDI handle table in that
// process's memory, published in its PEB as GdiSharedHandleTable, in the Windows layout:
// 24-byte entries, the object's type in byte 14, 0 for a free entry. The layout is checked
// on this process's own table before another's is trusted.

constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiTypeOffset = 14;
constexpr size_t kGdiMaxHandles = 0x10000;
constexpr size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr int kLayoutCheckBrushes = 32;
constexpr ULONG kProcessBasicInformation = 0;

struct BasicInformation {
    LONG_PTR exitStatus;
    ULONG_PTR pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG_PTR basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};

using QueryInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);

// The live entries of a process's GDI handle table; -1 when it cannot be read.
int CountGdiEntries(HANDLE process, std::vector<unsigned char>& table) {
    auto query = reinterpret_cast<QueryInformationProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    BasicInformation info = {};
    if (!query || query(process, kProcessBasicInformation, &info, sizeof info, nullptr) != 0 || !info.pebBaseAddress)
        return -1;
    ULONG_PTR tableAddress = 0;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(info.pebBaseAddress + kPebGdiTableOffset),
                             &tableAddress, sizeof tableAddress, &read) ||
        !tableAddress)
        return -1;
    table.assign(kGdiEntrySize * kGdiMaxHandles, 0);
    if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(tableAddress), table.data(), table.size(), &read))
        return -1;
    int live = 0;
    for (size_t i = 0; i < kGdiMaxHandles; ++i)
        live += table[i * kGdiEntrySize + kGdiTypeOffset] != 0;
    return live;
}

bool EntryIsLive(const std::vector<unsigned char>& table, HGDIOBJ obj) {
    const size_t index = LOWORD(reinterpret_cast<ULONG_PTR>(obj));
    return table[index * kGdiEntrySize + kGdiTypeOffset] != 0;
}

// Reads this process's table around the making and deleting of some brushes: the count
// must follow them exactly, and each brush's own entry must be live, then free.
bool GdiTableLayoutHolds() {
    std::vector<unsigned char> table;
    const int before = CountGdiEntries(::GetCurrentProcess(), table);
    if (before < 0)
        return false;
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < kLayoutCheckBrushes; ++i)
        brushes.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
    const int during = CountGdiEntries(::GetCurrentProcess(), table);
    bool entriesLive = during >= 0;
    for (HBRUSH b : brushes)
        entriesLive = entriesLive && b && EntryIsLive(table, b);
    for (HBRUSH b : brushes)
        ::DeleteObject(b);
    const int after = CountGdiEntries(::GetCurrentProcess(), table);
    bool entriesFree = after >= 0;
    for (HBRUSH b : brushes)
        entriesFree = entriesFree && !EntryIsLive(table, b);
    return entriesLive && entriesFree && during == before + kLayoutCheckBrushes && after == before;
}

DWORD FindProcessByExe(const std::wstring& exe) {
    OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

int RunObjects(const std::wstring& exe) {
    const DWORD pid = FindProcessByExe(exe);
    if (!pid) {
        std::printf("error no running process %ls\n", exe.c_str());
        return 1;
    }
    OwnedHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process.get()) {
        std::printf("error cannot open process %lu\n", static_cast<unsigned long>(pid));
        return 1;
    }
    std::printf("gui_resources_gdi %lu\n", static_cast<unsigned long>(::GetGuiResources(process.get(), GR_GDIOBJECTS)));
    std::printf("gui_resources_user %lu\n",
                static_cast<unsigned long>(::GetGuiResources(process.get(), GR_USEROBJECTS)));
    // A 64-bit probe reads a process of either width: it is given the 64-bit PEB, where Wine
    // keeps the table of a 32-bit process too. A 32-bit probe cannot read a 64-bit one.
    BOOL targetWow64 = FALSE, selfWow64 = FALSE;
    ::IsWow64Process(process.get(), &targetWow64);
    ::IsWow64Process(::GetCurrentProcess(), &selfWow64);
    std::vector<unsigned char> table;
    const int gdi =
        (!selfWow64 || targetWow64) && GdiTableLayoutHolds() ? CountGdiEntries(process.get(), table) : -1;
    if (gdi >= 0)
        std::printf("gdi_table_objects %d\n", gdi);
    else
        std::printf("gdi_table_objects n/a\n");
    std::printf("windows %d\n", process_windows::CountWindows(pid, true));
    return 0;
}

// --- the running test dialog, for the script's preview run ----------------------------

HWND FindHostDialog() {
    return ::FindWindowW(display_host::kDialogClass, nullptr);
}

int RunPreviewHandle() {
    HWND dialog = FindHostDialog();
    DWORD_PTR preview = 0;
    if (!dialog ||
        !::SendMessageTimeoutW(dialog, display_host::kMsgGetPreview, 0, 0, SMTO_NORMAL, kExitTimeoutMs, &preview) ||
        !preview) {
        std::printf("error no test display-settings dialog with a preview\n");
        return 1;
    }
    std::printf("%d\n", static_cast<int32_t>(static_cast<intptr_t>(preview)));
    return 0;
}

int RunCloseHost() {
    HWND dialog = FindHostDialog();
    if (!dialog)
        return 1;
    ::PostMessageW(dialog, display_host::kMsgClose, 0, 0);
    return 0;
}

int Usage() {
    std::printf("usage: first_frame_probe saver|preview SCR [RUNS [FLOOR]] | objects EXE | preview-handle | close-host\n");
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int argc = __argc;
    char** argv = __argv;
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    int status = 2;
    if ((command == "saver" || command == "preview") && argc >= 3) {
        const int runs = argc >= 4 ? std::atoi(argv[3]) : kDefaultRuns;
        if (runs < 1 || runs > kMaxRuns)
            return Usage();
        status = RunFirstFrame(command == "preview", Widen(argv[2]), runs, argc >= 5 ? Widen(argv[4]) : SelfPath());
    } else if (command == "plain-window" && argc >= 6) {
        status =
            RunPlainWindow(instance, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    } else if (command == "plain-preview" && argc >= 3) {
        status = RunPlainPreview(reinterpret_cast<HWND>(static_cast<intptr_t>(std::atoi(argv[2]))));
    } else if (command == "objects" && argc >= 3) {
        status = RunObjects(Widen(argv[2]));
    } else if (command == "preview-handle") {
        status = RunPreviewHandle();
    } else if (command == "close-host") {
        status = RunCloseHost();
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return status;
}
