# Cross-compiles for 32-bit Windows with the MinGW-w64 compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
# The shipped file starts no threads: the win32 thread model leaves the posix thread
# library (about 25 KB) out of it. GoogleTest needs the posix model (its <mutex> and
# <condition_variable>): a 32-bit build with tests passes -DZELVANE_THREAD_MODEL=posix.
set(ZELVANE_THREAD_MODEL win32 CACHE STRING "Thread model of the MinGW-w64 compilers: win32 or posix")
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${ZELVANE_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${ZELVANE_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ZELVANE_OBJDUMP i686-w64-mingw32-objdump)
# The options of the shipped file (SSE2 arithmetic, size, sections) are the project's own:
# see CMakeLists.txt.
