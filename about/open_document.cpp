// The document opener: one shell call, its result code turned into text.
#include "about/open_document.h"

#include <cstdint>

#include "core/about_text.h"
#include "forms/win.h"  // before the shell's header, which needs the Windows types

#include <shellapi.h>

namespace zelvane {
namespace {
constexpr char kShellWorkingFolder[] = "C:\\";
}  // namespace

std::string OpenDocument(std::string target) {
    HWND owner = ::GetDesktopWindow();
    HINSTANCE result = ::ShellExecuteA(owner, nullptr, target.c_str(), nullptr, kShellWorkingFolder, SW_SHOWNORMAL);
    // The result is a number in a handle's clothing; only its low 32 bits, signed, count.
    return ShellResultText(static_cast<int32_t>(reinterpret_cast<intptr_t>(result)));
}

}  // namespace zelvane
