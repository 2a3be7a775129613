// The Windows header as the program uses it, and owners for the handles it keeps.
#pragma once

#include <windows.h>

#include "core/unique_handle.h"

namespace forms {

template <typename H, BOOL(WINAPI* CloseFn)(H)>
struct WinTraits {
    using Type = H;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseFn(h); }
};

template <typename H>
struct GdiTraits {
    using Type = H;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};

struct HkeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};

using UniqueBrush = zelvane::UniqueHandle<GdiTraits<HBRUSH>>;
using UniquePen = zelvane::UniqueHandle<GdiTraits<HPEN>>;
using UniqueFont = zelvane::UniqueHandle<GdiTraits<HFONT>>;
using UniqueBitmap = zelvane::UniqueHandle<GdiTraits<HBITMAP>>;
using UniqueHkey = zelvane::UniqueHandle<HkeyTraits>;
using UniqueKernelHandle = zelvane::UniqueHandle<WinTraits<HANDLE, ::CloseHandle>>;
using UniqueIcon = zelvane::UniqueHandle<WinTraits<HICON, ::DestroyIcon>>;
using UniqueCursor = zelvane::UniqueHandle<WinTraits<HCURSOR, ::DestroyCursor>>;
using UniqueMemDC = zelvane::UniqueHandle<WinTraits<HDC, ::DeleteDC>>;

// A window's device context: remembers its window, since ReleaseDC needs it.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : hWnd_(hWnd), hDC_(::GetDC(hWnd)) {}
    ~WindowDC() {
        if (hDC_)
            ::ReleaseDC(hWnd_, hDC_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return hDC_; }

private:
    HWND hWnd_;
    HDC hDC_;
};

// Selects an object into a context for a scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC hDC, HGDIOBJ obj) : hDC_(hDC), old_(obj ? ::SelectObject(hDC, obj) : nullptr) {}
    ~SelectGuard() {
        if (old_)
            ::SelectObject(hDC_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC hDC_;
    HGDIOBJ old_;
};

}  // namespace forms
