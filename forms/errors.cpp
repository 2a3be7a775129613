// The run-time error report: a message box naming the program and the error.
#include "forms/errors.h"

#include <string>

#include "forms/runtime.h"
#include "forms/win.h"

namespace forms {

void ReportRuntimeError(const zelvane::RuntimeError& error) {
    std::string text = "Run-time error '" + std::to_string(error.number) + "':\r\n\r\n" + error.description;
    std::string title = AppTitle();
    // Topmost, so that it is seen even over the full-screen window.
    ::MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
    EndProgram(kRuntimeErrorExitBase + static_cast<unsigned>(error.number));
}

}  // namespace forms
