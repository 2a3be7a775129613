// Benchmark reference: a clock screen saver written the platform's usual way, to measure the
// saver's CPU and calls into the system beside it (bench/run.sh). One full-screen window, a
// GetMessage loop, a 500 ms timer that moves the text and invalidates the whole window, and a
// paint that reads the clock, formats the time with the locale's function and draws it with a
// font created for that paint: the time in 72-point bold Arial, yellow on black, bouncing. It
// draws less than the saver, which shows the date above the time in a font of its own.
//
//   conventional_saver [/S]     runs until a key or a mouse button
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"ZelvaneConventionalSaver";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 500;
constexpr int kStepPixels = 6;
constexpr int kTimePoints = 72, kPointsPerInch = 72;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kTextChars = 128;

struct Motion {
    int x = 0, y = 0, dx = kStepPixels, dy = kStepPixels;
};
Motion motion;

void Step(HWND hWnd) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    // Bounced on a box of about the time's size: the text stays on the screen.
    const int right = client.right - client.right / 2, bottom = client.bottom - client.bottom / 4;
    motion.x += motion.dx;
    motion.y += motion.dy;
    if (motion.x < 0 || motion.x > right)
        motion.dx = -motion.dx;
    if (motion.y < 0 || motion.y > bottom)
        motion.dy = -motion.dy;
}

void Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t time[kTextChars];
    const int timeLength = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, L"HH:mm:ss", time, kTextChars) - 1;
    HFONT font = ::CreateFontW(-::MulDiv(kTimePoints, ::GetDeviceCaps(hDC, LOGPIXELSY), kPointsPerInch), 0, 0, 0,
                               FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
    HGDIOBJ previous = ::SelectObject(hDC, font);
    ::SetTextColor(hDC, kYellow);
    ::SetBkMode(hDC, TRANSPARENT);
    ::TextOutW(hDC, motion.x, motion.y, time, timeLength > 0 ? timeLength : 0);
    ::SelectObject(hDC, previous);
    ::DeleteObject(font);
    ::EndPaint(hWnd, &ps);
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            Step(hWnd);
            ::InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_PAINT:
            Paint(hWnd);
            return 0;
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ::DestroyWindow(hWnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, kClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (!hWnd)
        return 1;
    ::ShowCursor(FALSE);
    ::SetTimer(hWnd, kTimerId, kTickMs, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
