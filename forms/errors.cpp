// The program's run-time error: reported once where it is raised, in a message box
// naming the program and the error, and the end of the process with the error's number.
#include <string>

#include "core/runtime_error.h"
#include "forms/runtime.h"
#include "forms/win.h"

namespace zelvane {

void RaiseRuntimeError(int32_t number) {
    // The report allocates; memory that runs out again inside it ends the process at once.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        const std::string text =
            "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + RuntimeErrorDescription(number);
        const std::string title = forms::AppTitle();
        // Topmost, so that it is seen even over the full-screen window.
        ::MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
    }
    forms::EndProgram(static_cast<unsigned>(number));
}

}  // namespace zelvane
