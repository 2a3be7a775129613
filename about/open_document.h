// Handing a document name or an address to the system shell.
#pragma once

#include <string>

namespace zelvane {

// Makes the calling thread a single-threaded COM apartment with OLE1 DDE off, as the
// shell asks of its callers (it may start a handler through COM). Called once, early,
// on the thread that opens documents; the apartment lasts until the process ends.
void PrepareShellCalls();

// Opens `target` (text in the system's ANSI code page) with the shell's default action,
// working folder "C:\". Empty when the shell accepted it, else a short English error text.
std::string OpenDocument(std::string target);

}  // namespace zelvane
