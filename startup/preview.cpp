// The preview driver: draws the clock face into the host's preview window.
#include "core/command_line.h"
#include "forms/runtime.h"
#include "startup/main.h"

namespace zelvane {

void RunPreview(const std::string& upperText) {
    (void)upperText;
    forms::EndProgram();
}

}  // namespace zelvane
