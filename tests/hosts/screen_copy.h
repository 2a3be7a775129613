// Copies of screen (or device context) areas, for the tests and the benchmark probes that
// look at what is drawn from outside.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

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

    // Copies `area` of `source` (the screen when null) to the copy's top left corner.
    void Copy(const RECT& area, HDC source = nullptr) {
        HDC from = source ? source : ::GetDC(nullptr);
        ::BitBlt(mem_, 0, 0, area.right - area.left, area.bottom - area.top, from, area.left, area.top, SRCCOPY);
        if (!source)
            ::ReleaseDC(nullptr, from);
        ::GdiFlush();
    }
    // 0x00RRGGBB of a pixel of the last copy.
    uint32_t Pixel(int x, int y) const { return Bits()[y * width_ + x]; }
    const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }

private:
    int width_, height_;
    HDC mem_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// The pixels of `area` of `source` (the screen when null), rows top to bottom, as
// 0x00RRGGBB; empty for an empty area or when the copy cannot be made.
inline std::vector<uint32_t> Capture(const RECT& area, HDC source = nullptr) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return {};
    ScreenCopy copy(width, height);
    if (!copy.Valid())
        return {};
    copy.Copy(area, source);
    return std::vector<uint32_t>(copy.Bits(), copy.Bits() + static_cast<size_t>(width) * static_cast<size_t>(height));
}

// Whether a pixel is the saver's yellow, antialiased edges included.
inline bool IsInk(uint32_t px) {
    const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r > 128 && g > 128 && b < 100;
}

}  // namespace screen_copy
