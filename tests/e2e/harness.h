// Helpers of the end-to-end tests: start the real screen saver as its own process and
// look at it from outside, as the system and a user would.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/hosts/process_windows.h"

namespace e2e {

using process_windows::kFormClass;

// Folder of the built executables (the screen saver and the test hosts).
std::string BinDir();
std::string SaverPath();

// A started process; killed when the owner goes, so a failed test leaves nothing behind.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;

    // Starts `exe` with `args` (the text after the program's path), on the desktop named
    // `desktop` when it is given. False when it could not start.
    bool Start(const std::string& exe, const std::string& args, const char* desktop = nullptr);
    // Waits for the end; true when it ended within `timeoutMs`.
    bool WaitExit(DWORD timeoutMs);
    // True when it was started and still runs after `ms`: unlike a failed WaitExit, never
    // true of a process that did not start.
    bool StillRunsAfter(DWORD ms);
    bool Running() const;
    DWORD ExitCode() const;
    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_; }
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// The owner host (tests/hosts/owner_host.cpp): a captioned window of another program with one
// child, as the system's settings page. It takes the foreground as it starts.
class OwnerHost {
public:
    OwnerHost() = default;
    ~OwnerHost();
    OwnerHost(const OwnerHost&) = delete;
    OwnerHost& operator=(const OwnerHost&) = delete;

    // Starts the host (at its default place, or where `placement` says) and reads its handles.
    bool Start(const std::string& placement = "");
    HWND Window() const { return window_; }
    HWND Child() const { return child_; }
    const std::string& ChildText() const { return childText_; }

private:
    Process process_;
    std::string file_;
    std::string childText_;
    HWND window_ = nullptr;
    HWND child_ = nullptr;
};

// The desktop user host (tests/hosts/desktop_user.cpp) on a desktop other than the test's,
// where the test can neither list windows nor send input: it does one thing there ("displays
// ...", "press-link ...") and reports what it saw, one line per item.
class DesktopUser {
public:
    DesktopUser() = default;
    ~DesktopUser();
    DesktopUser(const DesktopUser&) = delete;
    DesktopUser& operator=(const DesktopUser&) = delete;

    // On the existing desktop `desktop` (made with CreateDesktop).
    bool Start(const char* desktop, const std::string& what, const std::string& args);
    // On a virtual desktop of that name and size ("1024x768") that Wine's explorer makes,
    // where the display mode can be changed without touching the test's screen.
    bool StartOnVirtualDesktop(const std::string& name,
                               const std::string& size,
                               const std::string& what,
                               const std::string& args);
    // Its report's lines, once it is written; false when none came within `timeoutMs`.
    bool WaitForReport(std::vector<std::string>& lines, DWORD timeoutMs) const;

private:
    // The host's arguments, with a new report file of its own.
    std::string WithNewReport(const std::string& what, const std::string& args);
    Process process_;
    std::string report_;
};

// Starts the screen saver with this argument text.
Process StartSaver(const std::string& args);
// The same, where the system refuses every form window after the first `quota` (as when
// the process's window quota or the desktop heap has run out).
Process StartSaverWithWindowQuota(const std::string& args, int quota);
// The exit code of a run that ended because a window could not be made.
inline constexpr DWORD kNoWindowExitCode = ERROR_NOT_ENOUGH_QUOTA;

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Watches a start that should end by itself: false when it still ran after `timeoutMs`.
// `sawWindow` tells whether it ever showed a window meanwhile, `exitCode` how it ended.
bool EndsByItself(Process& p, DWORD timeoutMs, bool* sawWindow, DWORD* exitCode);
// The same for starts running side by side; `sawWindow` tells whether any showed one. A
// process's windows are counted only while it runs: after its end there are none to see.
bool EndByThemselves(std::initializer_list<Process*> starts, DWORD timeoutMs, bool* sawWindow);

// A full-screen run for a test, after clearing what earlier tests left: starts "/S" in
// `saver` and returns its clock window, null when none appeared within `timeoutMs`.
HWND StartSaverRun(Process& saver, DWORD timeoutMs);
// Ends a run as another program would (About first, then the clock), so that the
// system's screen-saver flag comes down; kills it and lowers the flag only when that fails.
void CloseSaverRun(Process& saver, HWND clock, DWORD timeoutMs);

// The first visible top-level window of process `pid` with this class (and caption, when
// `title` is not null); null when none within `timeoutMs`.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs);
// Any top-level window of `pid` (visible or not) with the class.
HWND FindProcessWindow(DWORD pid, const char* className, bool visibleOnly);
int CountProcessWindows(DWORD pid, bool visibleOnly);
std::string WindowText(HWND hWnd);
std::string ClassOf(HWND hWnd);

// Screen pixels (the screen DC, as a user sees it).
COLORREF ScreenPixel(int x, int y);
// One copy of an area of the screen, row by row from the top, as 0x00RRGGBB values.
std::vector<uint32_t> CaptureScreen(const RECT& area);
// Bounding box of the pixels of `color` (within tolerance per channel) in `area`;
// an empty rectangle when there are none.
RECT FindColorBox(const RECT& area, COLORREF color, int tolerance);

// Input through SendInput, as from the keyboard and the mouse.
void PressKey(WORD vk);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void MoveMouseTo(int x, int y);
void ClickAt(int x, int y, int button);  // 1 left, 2 right, 4 middle

// Whether the mouse cursor is showing (the system's view, any process).
bool CursorShowing();

// The per-user settings value of the program: HKCU\Software\Zelvane\Settings\ActiveSetup.
std::string ReadActiveSetup(bool* exists = nullptr);
void WriteActiveSetup(const std::string& value);
void WriteActiveSetupRaw(DWORD type, const void* data, DWORD size);
void DeleteActiveSetup();

// Ends every copy of the screen saver still running (a test's leftovers).
void KillStraySavers();

// The primary screen, in pixels.
RECT ScreenRect();
// A window's client area in screen coordinates.
RECT ClientRectOnScreen(HWND hWnd);
// Twips per pixel at `dpi` pixels per inch, to the nearest whole number.
int TwipsPerPixelAt(int dpi);
// Twips (1/1440 inch) in pixels of the screen, at its present pixels per inch.
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
// The extent of `text` in a screen font of that face, size (1/100 point) and weight.
SIZE TextExtent(const char* face, int centiPoints, int weight, const std::string& text);
// Where the ink of a text beginning with `first` starts inside its box, in that screen font:
// the glyph's left side bearing, which differs from character to character.
int InkOffset(const char* face, int centiPoints, int weight, wchar_t first);

// The first characters of the saver's texts at local time `t`: the hour's first digit
// and the first letter of the weekday's name in the user's language.
struct ClockLeads {
    wchar_t time;
    wchar_t date;
};
ClockLeads ClockLeadsAt(const SYSTEMTIME& t);
// The left edges of the saver's date and time texts, from where their ink begins on the
// screen (as FindColorBands sees it) less their first glyphs' side bearings: both are the
// clock's one left position. Reads the clock as the saver does; false while the screen may
// still show texts of a moment whose first characters differ (just after the hour's first
// digit or the weekday changed), when a caller looks again later.
bool ClockTextLefts(const RECT& dateInk, const RECT& timeInk, LONG* dateLeft, LONG* timeLeft);

// Sets the user's pixels per inch for the programs started next; puts the old value back.
class ScopedDpi {
public:
    explicit ScopedDpi(DWORD dpi);
    ~ScopedDpi();
    ScopedDpi(const ScopedDpi&) = delete;
    ScopedDpi& operator=(const ScopedDpi&) = delete;

private:
    DWORD old_ = 0;
    bool had_ = false;
};
// The boxes of the horizontal bands of `color` in `area`, top to bottom: runs of rows that
// hold the colour, split wherever a row holds none of it.
std::vector<RECT> FindColorBands(const RECT& area, COLORREF color, int tolerance);

// The system's screen-saver-running flag, as a program started now reads it.
bool ScreenSaverRunningFlag();
// Lowers the flag, as a saver that was killed could not.
void LowerScreenSaverRunningFlag();

// Marks `vk` held (or released) in the key state that the thread of `window` reads,
// without sending that window a key message: as when the key went down while another
// window of that thread had the focus. The threads' input is shared only for the change.
bool SetKeyHeldFor(HWND window, WORD vk, bool held);

// The texts of a window's direct children (a message box's message and buttons), one per line.
std::string ChildTexts(HWND hWnd);

// When ZELVANE_SHOTS names a folder, saves `area` of the screen there as NAME.bmp: the
// README's pictures are taken by the tests themselves, at the moments they check.
void Snapshot(const char* name, const RECT& area);

}  // namespace e2e
