// Helpers of the end-to-end tests.
#include "tests/e2e/harness.h"
#include "tests/hosts/screen_copy.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace e2e {
namespace {

constexpr DWORD kPollMs = 20;
constexpr char kSettingsKey[] = "Software\\Zelvane\\Settings";
constexpr char kActiveSetup[] = "ActiveSetup";
constexpr char kAboutCaption[] = "About";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";
constexpr int kTwipsPerInch = 1440;
constexpr int kCentiPointsPerInch = 7200;
constexpr int kNameChars = 80;
constexpr int kTen = 10;
constexpr ULONGLONG kFileTimeUnitsPerMs = 10000;
// The clock's texts: Arial, the time 72 points bold, the date 24 points regular.
constexpr char kClockFace[] = "Arial";
constexpr int kTimeCentiPoints = 7200, kDateCentiPoints = 2400;
// How long after a change of the clock the screen may still show the texts from before it:
// a tick comes every half second, and a look at the screen takes its own time.
constexpr DWORD kShownTextLagMs = 2000;

int ScreenDpi(int index) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, index);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

void SetUserDpi(DWORD dpi) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi);
}

// The first of `pid`'s top-level windows with this class (and caption, when `title` is not
// null), and how many there are.
HWND MatchWindow(DWORD pid, const char* className, const char* title, bool visibleOnly, int* count) {
    HWND found = nullptr;
    for (HWND hWnd : process_windows::WindowsOf(pid, visibleOnly)) {
        if (className && ClassOf(hWnd) != className)
            continue;
        if (title && WindowText(hWnd) != title)
            continue;
        if (!found)
            found = hWnd;
        if (!count)
            break;
        ++*count;
    }
    return found;
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

}  // namespace

std::string BinDir() {
    return ZELVANE_BIN_DIR;
}

std::string SaverPath() {
    return ZELVANE_SAVER_PATH;
}

Process::~Process() {
    Kill();
}

Process::Process(Process&& other) noexcept : process_(other.process_), pid_(other.pid_) {
    other.process_ = nullptr;
    other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = other.process_;
        pid_ = other.pid_;
        other.process_ = nullptr;
        other.pid_ = 0;
    }
    return *this;
}

bool Process::Start(const std::string& exe, const std::string& args, const char* desktop) {
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty())
        cmd += " " + args;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool Process::WaitExit(DWORD timeoutMs) {
    return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool Process::StillRunsAfter(DWORD ms) {
    return process_ && !WaitExit(ms) && Running();
}

bool Process::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_)
        ::GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill() {
    if (!process_)
        return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
}

namespace {

constexpr DWORD kOwnerStartMs = 10000;

HWND HandleFromText(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtoll(text.c_str(), nullptr, 10)));
}

// A file name in the temporary folder that no other test of any run uses, the file removed.
std::string FreshTempFile(const char* stem) {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    static int serial = 0;
    const std::string path =
        std::string(dir) + stem + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial) + ".txt";
    std::remove(path.c_str());
    return path;
}

}  // namespace

OwnerHost::~OwnerHost() {
    process_.Kill();
    if (!file_.empty())
        std::remove(file_.c_str());
}

bool OwnerHost::Start(const std::string& placement) {
    file_ = FreshTempFile("zelvane_owner_");
    std::string args = "\"" + file_ + "\"";
    if (!placement.empty())
        args += " " + placement;
    if (!process_.Start(BinDir() + "\\owner_host.exe", args))
        return false;
    return WaitUntil(
        [&] {
            std::ifstream in(file_);
            std::string childText, topText;
            if (!(in >> childText >> topText))
                return false;
            childText_ = childText;
            child_ = HandleFromText(childText);
            window_ = HandleFromText(topText);
            return true;
        },
        kOwnerStartMs);
}

DesktopUser::~DesktopUser() {
    process_.Kill();
    if (!report_.empty())
        std::remove(report_.c_str());
}

std::string DesktopUser::WithNewReport(const std::string& what, const std::string& args) {
    report_ = FreshTempFile("zelvane_desktop_user_");
    return what + " \"" + report_ + "\" " + args;
}

bool DesktopUser::Start(const char* desktop, const std::string& what, const std::string& args) {
    return process_.Start(BinDir() + "\\desktop_user.exe", WithNewReport(what, args), desktop);
}

bool DesktopUser::StartOnVirtualDesktop(const std::string& name,
                                        const std::string& size,
                                        const std::string& what,
                                        const std::string& args) {
    constexpr char kExplorer[] = "C:\\windows\\explorer.exe";
    return process_.Start(kExplorer, "/desktop=" + name + "," + size + " \"" + BinDir() + "\\desktop_user.exe\" " +
                                         WithNewReport(what, args));
}

bool DesktopUser::WaitForReport(std::vector<std::string>& lines, DWORD timeoutMs) const {
    return WaitUntil(
        [&] {
            std::ifstream in(report_);
            if (!in)
                return false;
            lines.clear();
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
            return true;
        },
        timeoutMs);
}

Process StartSaver(const std::string& args) {
    Process p;
    p.Start(SaverPath(), args);
    return p;
}

Process StartSaverWithWindowQuota(const std::string& args, int quota) {
    constexpr char kQuotaVariable[] = "ZELVANE_WINDOW_QUOTA";
    ::SetEnvironmentVariableA(kQuotaVariable, std::to_string(quota).c_str());
    Process p = StartSaver(args);
    ::SetEnvironmentVariableA(kQuotaVariable, nullptr);
    return p;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
}

HWND FindProcessWindow(DWORD pid, const char* className, bool visibleOnly) {
    return MatchWindow(pid, className, nullptr, visibleOnly, nullptr);
}

int CountProcessWindows(DWORD pid, bool visibleOnly) {
    int count = 0;
    MatchWindow(pid, nullptr, nullptr, visibleOnly, &count);
    return count;
}

HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = MatchWindow(pid, className, title, true, nullptr);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::string WindowText(HWND hWnd) {
    char buffer[512] = {};
    int n = ::GetWindowTextA(hWnd, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

std::string ClassOf(HWND hWnd) {
    char buffer[256] = {};
    int n = ::GetClassNameA(hWnd, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

std::vector<uint32_t> CaptureScreen(const RECT& area) {
    // One copy of the area, then work in memory: GetPixel per point is far too slow.
    return screen_copy::Capture(area);
}

namespace {

bool PixelNear(uint32_t v, COLORREF color, int tolerance) {
    const int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
    return std::abs(r - GetRValue(color)) <= tolerance && std::abs(g - GetGValue(color)) <= tolerance &&
           std::abs(b - GetBValue(color)) <= tolerance;
}

}  // namespace

RECT FindColorBox(const RECT& area, COLORREF color, int tolerance) {
    RECT box = {0, 0, 0, 0};
    const int w = area.right - area.left, h = area.bottom - area.top;
    const std::vector<uint32_t> px = CaptureScreen(area);
    bool any = false;
    for (int y = 0; y < h && !px.empty(); ++y) {
        for (int x = 0; x < w; ++x) {
            if (!PixelNear(px[y * w + x], color, tolerance))
                continue;
            if (!any) {
                box = {area.left + x, area.top + y, area.left + x + 1, area.top + y + 1};
                any = true;
            } else {
                box.left = std::min<LONG>(box.left, area.left + x);
                box.top = std::min<LONG>(box.top, area.top + y);
                box.right = std::max<LONG>(box.right, area.left + x + 1);
                box.bottom = std::max<LONG>(box.bottom, area.top + y + 1);
            }
        }
    }
    return box;
}

void KeyDown(WORD vk) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    ::SendInput(1, &in, sizeof in);
}

void KeyUp(WORD vk) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void MoveMouseTo(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

void ClickAt(int x, int y, int button) {
    MoveMouseTo(x, y);
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == 2) {
        down = MOUSEEVENTF_RIGHTDOWN;
        up = MOUSEEVENTF_RIGHTUP;
    } else if (button == 4) {
        down = MOUSEEVENTF_MIDDLEDOWN;
        up = MOUSEEVENTF_MIDDLEUP;
    }
    SendMouse(down);
    SendMouse(up);
}

bool CursorShowing() {
    CURSORINFO ci = {};
    ci.cbSize = sizeof ci;
    return ::GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

std::string ReadActiveSetup(bool* exists) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    LONG rc = ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, kActiveSetup, RRF_RT_ANY, &type, buffer, &size);
    if (exists)
        *exists = rc == ERROR_SUCCESS;
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer) : std::string();
}

void WriteActiveSetup(const std::string& value) {
    WriteActiveSetupRaw(REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void WriteActiveSetupRaw(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExA(key, kActiveSetup, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
}

void DeleteActiveSetup() {
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, kActiveSetup);
}

void KillStraySavers() {
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL ok = ::Process32First(snap, &pe); ok; ok = ::Process32Next(snap, &pe)) {
        if (lstrcmpiA(pe.szExeFile, "ssZelvane.scr") == 0) {
            HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pe.th32ProcessID);
            if (h) {
                ::TerminateProcess(h, 1);
                ::WaitForSingleObject(h, 5000);
                ::CloseHandle(h);
            }
        }
    }
    ::CloseHandle(snap);
}

RECT ScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<RECT> FindColorBands(const RECT& area, COLORREF color, int tolerance) {
    std::vector<RECT> bands;
    const int w = area.right - area.left, h = area.bottom - area.top;
    const std::vector<uint32_t> px = CaptureScreen(area);
    bool inBand = false;
    for (int y = 0; y < h && !px.empty(); ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x) {
            if (PixelNear(px[y * w + x], color, tolerance)) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first < 0) {
            inBand = false;
            continue;
        }
        if (!inBand) {
            bands.push_back({area.left + first, area.top + y, area.left + last + 1, area.top + y + 1});
            inBand = true;
            continue;
        }
        RECT& band = bands.back();
        band.left = std::min<LONG>(band.left, area.left + first);
        band.right = std::max<LONG>(band.right, area.left + last + 1);
        band.bottom = area.top + y + 1;
    }
    return bands;
}

bool ScreenSaverRunningFlag() {
    // Read by a fresh process: Wine serves a program the value it first read.
    constexpr DWORD kProbeMs = 10000;
    Process probe;
    if (!probe.Start(BinDir() + "\\saver_flag_probe.exe", "") || !probe.WaitExit(kProbeMs))
        return false;
    return probe.ExitCode() == 1;
}

void LowerScreenSaverRunningFlag() {
    ::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
}

bool SetKeyHeldFor(HWND window, WORD vk, bool held) {
    constexpr BYTE kHeld = 0x80;
    DWORD target = ::GetWindowThreadProcessId(window, nullptr);
    DWORD self = ::GetCurrentThreadId();
    if (!target || !::AttachThreadInput(self, target, TRUE))
        return false;
    BYTE keys[256] = {};
    bool ok = ::GetKeyboardState(keys) != FALSE;
    if (ok) {
        keys[vk] = held ? kHeld : 0;
        ok = ::SetKeyboardState(keys) != FALSE;
    }
    ::AttachThreadInput(self, target, FALSE);
    return ok;
}

namespace {

BOOL CALLBACK CollectChildText(HWND child, LPARAM param) {
    auto* texts = reinterpret_cast<std::string*>(param);
    texts->append(WindowText(child));
    texts->push_back('\n');
    return TRUE;
}

}  // namespace

std::string ChildTexts(HWND hWnd) {
    std::string texts;
    ::EnumChildWindows(hWnd, &CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void Snapshot(const char* name, const RECT& area) {
    char folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("ZELVANE_SHOTS", folder, sizeof folder))
        return;
    const std::vector<uint32_t> px = CaptureScreen(area);
    if (px.empty())
        return;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = area.right - area.left;
    ih.biHeight = -(area.bottom - area.top);  // top-down rows, as captured
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    const DWORD dataSize = static_cast<DWORD>(px.size() * sizeof(uint32_t));
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + dataSize;
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, &fh, sizeof fh, &written, nullptr);
    ::WriteFile(file, &ih, sizeof ih, &written, nullptr);
    ::WriteFile(file, px.data(), dataSize, &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace e2e

namespace e2e {

bool EndByThemselves(std::initializer_list<Process*> starts, DWORD timeoutMs, bool* sawWindow) {
    *sawWindow = false;
    return WaitUntil(
        [&] {
            bool running = false;
            for (Process* p : starts) {
                if (p->Running() && CountProcessWindows(p->Pid(), true) > 0)
                    *sawWindow = true;
                running |= p->Running();
            }
            return !running;
        },
        timeoutMs);
}

bool EndsByItself(Process& p, DWORD timeoutMs, bool* sawWindow, DWORD* exitCode) {
    const bool ended = EndByThemselves({&p}, timeoutMs, sawWindow);
    *exitCode = p.ExitCode();
    return ended;
}

HWND StartSaverRun(Process& saver, DWORD timeoutMs) {
    KillStraySavers();
    LowerScreenSaverRunningFlag();
    saver = StartSaver("/S");
    return saver.Running() ? WaitForWindow(saver.Pid(), kFormClass, nullptr, timeoutMs) : nullptr;
}

void CloseSaverRun(Process& saver, HWND clock, DWORD timeoutMs) {
    if (saver.Running()) {
        if (HWND about = WaitForWindow(saver.Pid(), kFormClass, kAboutCaption, 0))
            ::PostMessageA(about, WM_CLOSE, 0, 0);
        if (::IsWindow(clock))
            ::PostMessageA(clock, WM_CLOSE, 0, 0);
        saver.WaitExit(timeoutMs);
    }
    if (saver.Running()) {
        saver.Kill();
        LowerScreenSaverRunningFlag();
    }
}

RECT ClientRectOnScreen(HWND hWnd) {
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    return {origin.x, origin.y, origin.x + rc.right, origin.y + rc.bottom};
}

int TwipsPerPixelAt(int dpi) {
    return (kTwipsPerInch + dpi / 2) / dpi;
}

int TwipsToPixelsX(int twips) {
    return ::MulDiv(twips, ScreenDpi(LOGPIXELSX), kTwipsPerInch);
}

int TwipsToPixelsY(int twips) {
    return ::MulDiv(twips, ScreenDpi(LOGPIXELSY), kTwipsPerInch);
}

// Runs `measure` on the screen's context with a font of that face, size (1/100 point) and weight selected.
template <typename Measure>
auto WithScreenFont(const char* face, int centiPoints, int weight, Measure measure) {
    HDC screen = ::GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(centiPoints, ::GetDeviceCaps(screen, LOGPIXELSY), kCentiPointsPerInch);
    lf.lfWeight = weight;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    auto result = measure(screen);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return result;
}

SIZE TextExtent(const char* face, int centiPoints, int weight, const std::string& text) {
    return WithScreenFont(face, centiPoints, weight, [&](HDC screen) {
        SIZE extent = {};
        ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        return extent;
    });
}

int InkOffset(const char* face, int centiPoints, int weight, wchar_t first) {
    return WithScreenFont(face, centiPoints, weight, [&](HDC screen) {
        ABC abc = {};
        ::GetCharABCWidthsW(screen, first, first, &abc);
        return abc.abcA;
    });
}

ClockLeads ClockLeadsAt(const SYSTEMTIME& t) {
    // The platform lists Monday first; SYSTEMTIME counts from Sunday.
    const LCTYPE dayName = t.wDayOfWeek == 0 ? LOCALE_SDAYNAME7 : LOCALE_SDAYNAME1 + t.wDayOfWeek - 1;
    wchar_t name[kNameChars] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, dayName, name, kNameChars);
    return {static_cast<wchar_t>(L'0' + t.wHour / kTen), name[0]};
}

bool ClockTextLefts(const RECT& dateInk, const RECT& timeInk, LONG* dateLeft, LONG* timeLeft) {
    SYSTEMTIME now, earlier;
    ::GetLocalTime(&now);
    FILETIME ft;
    ::SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(kShownTextLagMs) * kFileTimeUnitsPerMs;
    ft = {t.LowPart, t.HighPart};
    ::FileTimeToSystemTime(&ft, &earlier);
    const ClockLeads leads = ClockLeadsAt(now);
    const ClockLeads before = ClockLeadsAt(earlier);
    if (leads.time != before.time || leads.date != before.date)
        return false;
    *timeLeft = timeInk.left - InkOffset(kClockFace, kTimeCentiPoints, FW_BOLD, leads.time);
    *dateLeft = dateInk.left - InkOffset(kClockFace, kDateCentiPoints, FW_NORMAL, leads.date);
    return true;
}

ScopedDpi::ScopedDpi(DWORD dpi) {
    DWORD size = sizeof old_;
    had_ = ::RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &old_, &size) ==
           ERROR_SUCCESS;
    SetUserDpi(dpi);
}

ScopedDpi::~ScopedDpi() {
    if (had_)
        SetUserDpi(old_);
    else
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
}

}  // namespace e2e
