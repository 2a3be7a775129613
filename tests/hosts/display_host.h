// The test display-settings dialog: what the host program offers its tests (window
// classes, private messages, list entries, options) and a small client that starts it
// and talks to it from another process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "process_windows.h"

namespace display_host {

inline constexpr wchar_t kDialogClass[] = L"ZelvaneDisplayHost";
inline constexpr wchar_t kPreviewClass[] = L"ZelvaneHostPreview";
inline constexpr wchar_t kExeName[] = L"display_host.exe";

// Private messages, sent to the dialog window.
inline constexpr UINT kMsgGetPreview = WM_APP + 1;      // returns the preview window
inline constexpr UINT kMsgGetList = WM_APP + 2;         // returns the combo box (0 without one)
inline constexpr UINT kMsgDestroyPreview = WM_APP + 3;  // destroys the preview window
inline constexpr UINT kMsgClose = WM_APP + 4;           // closes the dialog and ends the host
inline constexpr UINT kMsgBlock = WM_APP + 5;           // blocks the dialog's thread for wParam ms

// The combo box's entries, in this order (no sorting); --long entries follow.
inline constexpr int kEntryNone = 0;      // "(None)"
inline constexpr int kEntryBlank = 1;     // "Blank"
inline constexpr int kEntryZelvane = 2;   // "Zelvane", selected at start
inline constexpr int kEntryMystify = 3;   // "Mystify"
inline constexpr int kEntryAccented = 4;  // "Zélvane" (é is U+00E9)
inline constexpr int kFirstLongEntry = 5;
inline constexpr wchar_t kLongEntryChar = L'z';
inline constexpr size_t kGrownEntryChars = 10000;  // what --grow-after-selection makes of an entry

// The preview window's client size and the background the host paints in it.
inline constexpr int kPreviewWidth = 152;
inline constexpr int kPreviewHeight = 112;
inline constexpr COLORREF kPreviewBackground = RGB(0, 128, 128);

// Command-line options of the host:
//   --popup              the preview window is a topmost top-level popup of the host
//                        (its owner chain still reaches the dialog three levels up), placed
//                        over the dialog's monitor picture: under Wine another process's
//                        drawing into a child window never reaches the screen, and into a
//                        popup only while nothing lies above it
//   --no-page            no "Screen Saver" page: the combo box sits on the dialog itself
//   --no-combo           no combo box at all
//   --more-lists         two more lists, found before the one the client selects in: one on
//                        the screen-saver page with "Blank" selected, one on the dialog itself
//                        with "Zelvane" selected
//   --page-caption TEXT  caption of the screen-saver page (default "Screen Saver")
//   --long N             one more entry of N characters kLongEntryChar (repeatable)
//   --select I           entry selected at start (-1: none)
//   --grow-after-selection I  entry I becomes kGrownEntryChars characters kLongEntryChar
//                        (and stays selected) right after the list has first told that it
//                        is selected: a list that changes between a reader's two questions

// Starts the host and finds its windows; the host is ended when the client goes.
class Client {
public:
    Client() = default;
    ~Client() { Kill(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Starts the host from the folder of the running test program and waits until its
    // windows are ready. False when it did not come up.
    bool Start(const std::wstring& options) {
        std::wstring exe = ExeFolder() + kExeName;
        std::wstring line = L"\"" + exe + L"\" " + options;
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        ::CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kStartTimeoutMs) {
            dialog_ = FindDialog();
            if (dialog_) {
                preview_ = reinterpret_cast<HWND>(Ask(kMsgGetPreview));
                if (preview_) {
                    list_ = reinterpret_cast<HWND>(Ask(kMsgGetList));
                    return true;
                }
            }
            if (::WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0)
                return false;
        }
        return false;
    }

    HWND Dialog() const { return dialog_; }
    HWND Preview() const { return preview_; }
    HWND List() const { return list_; }
    DWORD Pid() const { return pid_; }

    // The handle as the screen saver's command line carries it.
    int32_t PreviewNumber() const { return static_cast<int32_t>(reinterpret_cast<intptr_t>(preview_)); }

    void Select(int index) { ::SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    void DestroyPreview() { Ask(kMsgDestroyPreview); }
    void Close() { Ask(kMsgClose); }
    // A busy or hung dialog: its thread (the list's too) answers nothing for `ms`.
    void Block(DWORD ms) { ::PostMessageW(dialog_, kMsgBlock, static_cast<WPARAM>(ms), 0); }
    // Whether the dialog's thread answers a message within `timeoutMs`.
    bool Answers(UINT timeoutMs) const {
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
    }

    bool WaitExit(DWORD timeoutMs) { return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

    void Kill() {
        if (!process_)
            return;
        if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process_, 1);
            ::WaitForSingleObject(process_, kKillTimeoutMs);
        }
        ::CloseHandle(process_);
        process_ = nullptr;
    }

private:
    // A liveness bound, met at once when all is well: a 32-bit start under qemu on a loaded
    // machine took over 15 s.
    static constexpr DWORD kStartTimeoutMs = 60000;
    static constexpr DWORD kPollMs = 20;
    static constexpr DWORD kKillTimeoutMs = 5000;
    static constexpr UINT kAskTimeoutMs = 5000;

    // The test program's folder, or ZELVANE_HOST_DIR: the suite runs the preview tests
    // again with the host built at the other width.
    static std::wstring ExeFolder() {
        wchar_t path[MAX_PATH] = {};
        const DWORD dirLength = ::GetEnvironmentVariableW(L"ZELVANE_HOST_DIR", path, MAX_PATH);
        if (dirLength > 0 && dirLength < MAX_PATH)
            return std::wstring(path, dirLength) + L"\\";
        DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path, n);
        return folder.substr(0, folder.find_last_of(L"\\/") + 1);
    }

    HWND FindDialog() const {
        for (HWND hWnd : process_windows::WindowsOf(pid_, false)) {
            wchar_t name[64] = {};
            ::GetClassNameW(hWnd, name, 64);
            if (std::wstring(name) == kDialogClass)
                return hWnd;
        }
        return nullptr;
    }

    LRESULT Ask(UINT message) const {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(dialog_, message, 0, 0, SMTO_NORMAL, kAskTimeoutMs, &result))
            return 0;
        return static_cast<LRESULT>(result);
    }

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND dialog_ = nullptr;
    HWND preview_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace display_host
