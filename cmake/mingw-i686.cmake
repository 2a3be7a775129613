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
# Doubles in SSE2 registers, as on x86_64: x87's 80-bit registers make comparisons of a
# computed time with a stored one, and roundings at halves, differ from the tested build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Optimised for size, as the 64-bit build is: a tick twice a second needs no speed.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags of the Release build")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags of the Release build")
