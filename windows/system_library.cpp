// Functions of the system's own libraries, looked up while the program runs.
#include <cstring>

#include "windows/window_utils.h"

namespace zelvane {
namespace {
using DisableImeFn = BOOL(WINAPI*)(DWORD threadId);
constexpr DWORD kAllThreadsOfProcess = static_cast<DWORD>(-1);
}  // namespace

FARPROC SystemFunction(const char* library, const char* name) {
    char path[MAX_PATH];
    const UINT folder = ::GetSystemDirectoryA(path, MAX_PATH);
    const size_t length = std::strlen(library);
    if (folder == 0 || folder + 1 + length >= MAX_PATH)
        return nullptr;
    path[folder] = '\\';
    std::memcpy(path + folder + 1, library, length + 1);
    HMODULE module = ::LoadLibraryA(path);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

void DisableInputMethod() {
    // Otherwise the first window that takes the focus brings the input method into the
    // process: its hidden window, its text services (under Wine, COM as well) and its mode
    // indicator over the clock. Wherever input methods run, the system's user library has
    // loaded theirs already: asking it costs the start nothing.
    if (auto disable =
            reinterpret_cast<DisableImeFn>(reinterpret_cast<void*>(SystemFunction("imm32.dll", "ImmDisableIME"))))
        disable(kAllThreadsOfProcess);
}

}  // namespace zelvane
