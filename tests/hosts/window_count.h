// Counting a process's windows: the USER objects that can be counted where the system does
// not report them (under Wine GetGuiResources answers 0).
#pragma once

#include <windows.h>

namespace window_count {

struct Counter {
    DWORD pid;
    int count;
};

inline BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<Counter*>(param)->count;
    return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM param) {
    auto* counter = reinterpret_cast<Counter*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == counter->pid) {
        ++counter->count;
        ::EnumChildWindows(hWnd, &CountChild, param);
    }
    return TRUE;
}

// Top-level windows of the process with their children, and, when asked, its message-only ones.
inline int CountWindows(DWORD pid, bool messageOnlyToo) {
    Counter counter = {pid, 0};
    ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&counter));
    if (messageOnlyToo) {
        for (HWND w = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
             w = ::FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            counter.count += owner == pid;
        }
    }
    return counter.count;
}

}  // namespace window_count
