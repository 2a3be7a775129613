// Copies of screen areas for the benchmark probes, which look at the saver from outside.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace screen_copy {

// A 32-bit top-down DIB section selected into a memory context, for copies of screen areas
// up to the size it was made with.
class ScreenCopy {
public:
    ScreenCopy(int width, int height) : width_(width), height_(height) {
        HDC screen = ::GetDC(nullptr);
        mem_ = ::CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dib_ = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = ::SelectObject(mem_, dib_);
        ::ReleaseDC(nullptr, screen);
    }
    ~ScreenCopy() {
        ::SelectObject(mem_, old_);
        ::DeleteObject(dib_);
        ::DeleteDC(mem_);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    bool Valid() const { return dib_ && bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Copies the screen area to the copy's top left corner.
    void Copy(const RECT& area) {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(mem_, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        ::GdiFlush();
    }
    // 0x00RRGGBB of a pixel of the last copy.
    uint32_t Pixel(int x, int y) const { return static_cast<const uint32_t*>(bits_)[y * width_ + x]; }

private:
    int width_, height_;
    HDC mem_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// Whether a pixel is the saver's yellow, antialiased edges included.
inline bool IsInk(uint32_t px) {
    const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r > 128 && g > 128 && b < 100;
}

}  // namespace screen_copy
