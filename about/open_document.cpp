// The document opener: one shell call, its result code turned into text.
#include "about/open_document.h"

#include <cstdint>

#include "core/about_text.h"
#include "forms/win.h"  // before the shell's header, which needs the Windows types

#include <objbase.h>
#include <shellapi.h>

namespace zelvane {
namespace {
constexpr char kShellWorkingFolder[] = "C:\\";
constexpr DWORD kShellApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;
}  // namespace

void PrepareShellCalls() {
    // Not examined: with no apartment, or one of another kind already there, the shell
    // still does what it can, as it did before.
    (void)::CoInitializeEx(nullptr, kShellApartment);
}

std::string OpenDocument(std::string target) {
    HWND owner = ::GetDesktopWindow();
    HINSTANCE result = ::ShellExecuteA(owner, nullptr, target.c_str(), nullptr, kShellWorkingFolder, SW_SHOWNORMAL);
    // The result is a number in a handle's clothing; only its low 32 bits, signed, count.
    return ShellResultText(static_cast<int32_t>(reinterpret_cast<intptr_t>(result)));
}

}  // namespace zelvane
