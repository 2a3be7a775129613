// The shipped file's entry point, in place of the C runtime's start-up code (crt2.o and what
// it draws in: about 6 KB), which is mostly for what this program does not use: main's
// arguments and environment, thread-local storage, pseudo-relocations, C initialisers, the
// conversion of exceptions into signals. It keeps what the program relies on: the
// floating-point state, the static constructors, and atexit for their destructors. Main reads
// the command line itself and ends the process. The link fails where anything would need
// more of the start-up code (CMakeLists.txt).
#include <cstdlib>

#include "startup/main.h"

// In the runtime: runs the static constructors and registers their destructors with atexit.
extern "C" void __main();

// The start-up code defines atexit, as the C library's _onexit.
extern "C" int __cdecl atexit(void(__cdecl* function)()) {
    return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1;
}

// The system calls the entry point with the stack aligned to 4 bytes; SSE2 code wants 16.
extern "C" [[noreturn]] __attribute__((force_align_arg_pointer)) void ZelvaneEntry() {
    // The x87 unit as the runtime's start-up leaves it (its _fpreset): reset, with extended
    // precision and every exception masked. Doubles are computed with SSE2; the x87 unit only
    // carries the doubles that functions return, and the remainder of fmod.
    __asm__ volatile("fninit");
    __main();
    zelvane::Main();
}
