// The document opener: one shell call, its result code turned into text.
#include "about/open_document.h"

#include <cstdint>

#include "core/about_text.h"
#include "forms/win.h"  // before the shell's header, which needs the Windows types
#include "windows/window_utils.h"

#include <objbase.h>
#include <shellapi.h>

namespace zelvane {
namespace {
constexpr char kShellWorkingFolder[] = "C:\\";
constexpr DWORD kShellApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;
// What the shell answers when it could not even start: no memory or resources.
constexpr int32_t kShellCouldNotStart = 0;

using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);

// The shell, with the apartment it asks its callers for: single-threaded, OLE1 DDE off (it
// may start a handler through COM). Made once, on the thread that opens documents, for the
// process's life; at the first document, not at start: the shell and COM bring half a dozen
// libraries with them, which would cost every start of the saver and a link press alone needs.
ShellExecuteFn LoadShell() {
    if (auto init = reinterpret_cast<CoInitializeExFn>(
            reinterpret_cast<void*>(SystemFunction("ole32.dll", "CoInitializeEx"))))
        // Not examined: with no apartment, or one of another kind already there, the shell
        // still does what it can.
        (void)init(nullptr, kShellApartment);
    return reinterpret_cast<ShellExecuteFn>(reinterpret_cast<void*>(SystemFunction("shell32.dll", "ShellExecuteA")));
}

}  // namespace

std::string OpenDocument(std::string target) {
    static const ShellExecuteFn shellExecute = LoadShell();
    if (!shellExecute)
        return ShellResultText(kShellCouldNotStart);
    HWND owner = ::GetDesktopWindow();
    HINSTANCE result = shellExecute(owner, nullptr, target.c_str(), nullptr, kShellWorkingFolder, SW_SHOWNORMAL);
    // The result is a number in a handle's clothing; only its low 32 bits, signed, count.
    return ShellResultText(static_cast<int32_t>(reinterpret_cast<intptr_t>(result)));
}

}  // namespace zelvane
