// The program's entry and its run-mode drivers.
#pragma once

#include <string>

namespace zelvane {

// Sets the start-up globals, classifies the command line, applies the rules for a
// running copy and drives the chosen mode to the end of the process.
[[noreturn]] void Main();

[[noreturn]] void RunConfigure(const std::string& upperText);
[[noreturn]] void RunSaver();
[[noreturn]] void RunPreview(const std::string& upperText);

}  // namespace zelvane
