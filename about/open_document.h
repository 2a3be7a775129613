// Handing a document name or an address to the system shell.
#pragma once

#include <string>

namespace zelvane {

// Opens `target` (text in the system's ANSI code page) with the shell's default action,
// working folder "C:\". Empty when the shell accepted it, else a short English error text.
// The first call makes the calling thread a single-threaded COM apartment, for good.
std::string OpenDocument(std::string target);

}  // namespace zelvane
