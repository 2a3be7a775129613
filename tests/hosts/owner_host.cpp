// The test owner: a captioned top-level window with one child, standing in for the
// display-settings page whose child handle the system passes with "/C:<handle>".
//
// Usage: owner_host.exe <handle file> [left top width height]
// Writes "<child> <top-level>" (decimal handles) to the handle file once the window is
// shown, then runs until its window is closed.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kOwnerClass[] = "ZelvaneOwnerHost";
constexpr char kOwnerCaption[] = "Display Properties";
constexpr char kChildCaption[] = "Settings...";
constexpr int kDefaultLeft = 60, kDefaultTop = 50, kDefaultWidth = 520, kDefaultHeight = 440;
constexpr int kChildLeft = 390, kChildTop = 360, kChildWidth = 100, kChildHeight = 26;
constexpr int kChildId = 100;
constexpr int kPositionArgs = 4;

LRESULT CALLBACK OwnerWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

// Handles travel as 32-bit numbers, as on the screen saver's command line.
long long HandleNumber(HWND hWnd) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(hWnd));
}

// Written under a temporary name and renamed, so a reader never sees half a line.
bool WriteHandles(const std::string& path, HWND child, HWND top) {
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "w");
    if (!f)
        return false;
    std::string line = std::to_string(HandleNumber(child)) + " " + std::to_string(HandleNumber(top)) + "\n";
    std::fputs(line.c_str(), f);
    std::fclose(f);
    return ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2)
        return 2;
    const std::string handleFile = __argv[1];
    int left = kDefaultLeft, top = kDefaultTop, width = kDefaultWidth, height = kDefaultHeight;
    if (__argc >= 2 + kPositionArgs) {
        left = std::atoi(__argv[2]);
        top = std::atoi(__argv[3]);
        width = std::atoi(__argv[4]);
        height = std::atoi(__argv[5]);
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = &OwnerWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kOwnerClass;
    ::RegisterClassA(&wc);

    HWND owner = ::CreateWindowExA(0, kOwnerClass, kOwnerCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top,
                                   width, height, nullptr, nullptr, instance, nullptr);
    HWND child = ::CreateWindowExA(0, "BUTTON", kChildCaption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kChildLeft,
                                   kChildTop, kChildWidth, kChildHeight, owner,
                                   reinterpret_cast<HMENU>(static_cast<intptr_t>(kChildId)), instance, nullptr);
    if (!owner || !child)
        return 3;
    ::ShowWindow(owner, SW_SHOW);
    ::UpdateWindow(owner);
    ::SetForegroundWindow(owner);
    if (!WriteHandles(handleFile, child, owner))
        return 4;

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
