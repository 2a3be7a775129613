// Small helpers of the in-process Win32 tests: pumping until a condition holds, the
// cursor display counter, reading back what a device context shows, and what the
// platform itself draws for a text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/numeric.h"
#include "forms/controls.h"
#include "forms/runtime.h"
#include "tests/hosts/screen_copy.h"

namespace testing_support {

inline constexpr DWORD kPumpSliceMs = 50;

// Dispatches events until `done` holds or `timeoutMs` has passed.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        forms::WaitAndDoEvents(kPumpSliceMs);
    }
    return true;
}

// The cursor display counter: ShowCursor answers with the new value.
inline int CursorCounter() {
    const int value = ::ShowCursor(TRUE) - 1;
    ::ShowCursor(FALSE);
    return value;
}

// The pixels of `area` of a device context, rows top to bottom, as 0x00RRGGBB.
inline std::vector<uint32_t> CaptureDC(HDC hDC, const RECT& area) { return screen_copy::Capture(area, hDC); }

inline std::vector<uint32_t> CaptureClient(HWND hWnd, const RECT& area) {
    HDC windowDC = ::GetDC(hWnd);
    std::vector<uint32_t> pixels = CaptureDC(windowDC, area);
    ::ReleaseDC(hWnd, windowDC);
    return pixels;
}

// What DrawTextW shows of `text` (UTF-8) in a box of `width` x `height` pixels: the
// oracle for a label, drawn without the program's own text path.
inline std::vector<uint32_t> DrawnByThePlatform(const std::string& text,
                                                const forms::FontSpec& spec,
                                                int width,
                                                int height,
                                                COLORREF back,
                                                COLORREF ink,
                                                UINT flags) {
    constexpr int kPointsPerInch = 72;
    HDC screen = ::GetDC(nullptr);
    LOGFONTW lf = {};
    lf.lfHeight = -zelvane::ToInt32(spec.points * ::GetDeviceCaps(screen, LOGPIXELSY) / kPointsPerInch);
    lf.lfWeight = spec.weight;
    lf.lfCharSet = spec.charset;
    ::MultiByteToWideChar(CP_UTF8, 0, spec.face.c_str(), -1, lf.lfFaceName, LF_FACESIZE);
    std::vector<wchar_t> wide(text.size() + 1);
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap);
    HGDIOBJ oldFont = ::SelectObject(mem, font);
    RECT box = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(back);
    ::FillRect(mem, &box, brush);
    ::SetBkMode(mem, TRANSPARENT);
    ::SetTextColor(mem, ink);
    ::DrawTextW(mem, wide.data(), length, &box, flags);
    std::vector<uint32_t> pixels = CaptureDC(mem, box);
    ::SelectObject(mem, oldFont);
    ::SelectObject(mem, oldBitmap);
    ::DeleteObject(brush);
    ::DeleteObject(font);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// For the runs that set the formats locale and the ANSI code page from outside: the
// values they meant, so that a run the platform did not follow fails instead of passing.
inline std::string ExpectedEnvironment(const char* name) {
    char value[64] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

}  // namespace testing_support
