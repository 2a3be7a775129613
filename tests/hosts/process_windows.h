// The windows of another process, found one way for every test program (the end-to-end
// harness, the test hosts, the benchmark's probe), and the class of the program's forms as
// tests look for it from outside.
#pragma once

#include <windows.h>

#include <vector>

namespace process_windows {

// The class of every form window of the screen saver.
inline constexpr char kFormClass[] = "ThunderRT6FormDC";

namespace detail {

struct Search {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND>* found;
};

inline BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM param) {
    const auto* search = reinterpret_cast<const Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == search->pid && (!search->visibleOnly || ::IsWindowVisible(hWnd)))
        search->found->push_back(hWnd);
    return TRUE;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

}  // namespace detail

// The top-level windows of process `pid`, top of the z-order first; only the visible ones
// when asked. With `messageOnlyToo`, its message-only windows follow.
inline std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly, bool messageOnlyToo = false) {
    std::vector<HWND> found;
    detail::Search search = {pid, visibleOnly, &found};
    ::EnumWindows(&detail::CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    if (messageOnlyToo) {
        for (HWND w = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
             w = ::FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            if (owner == pid)
                found.push_back(w);
        }
    }
    return found;
}

// Every window of the process, children included: the USER objects that can be counted
// where the system does not report them (under Wine GetGuiResources answers 0).
inline int CountWindows(DWORD pid, bool messageOnlyToo) {
    int count = 0;
    for (HWND w : WindowsOf(pid, false, messageOnlyToo)) {
        ++count;
        ::EnumChildWindows(w, &detail::CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

}  // namespace process_windows
