// Small helpers of the in-process Win32 tests: pumping until a condition holds, the
// cursor display counter, and reading back what a device context shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/runtime.h"

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
inline std::vector<uint32_t> CaptureDC(HDC hDC, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mem = ::CreateCompatibleDC(hDC);
    HBITMAP dib = ::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (mem && dib) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        ::BitBlt(mem, 0, 0, width, height, hDC, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        const auto* px = static_cast<const uint32_t*>(bits);
        pixels.assign(px, px + static_cast<size_t>(width) * height);
        ::SelectObject(mem, old);
    }
    if (dib)
        ::DeleteObject(dib);
    if (mem)
        ::DeleteDC(mem);
    return pixels;
}

}  // namespace testing_support
