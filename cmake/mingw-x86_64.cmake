# Cross-compiles the same sources for 64-bit Windows: used to run the Wine tests
# on hosts whose kernel cannot execute 32-bit code (see README, "Testing").
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ZELVANE_OBJDUMP x86_64-w64-mingw32-objdump)
# The options of the shipped file (SSE2 arithmetic, size, sections) are the project's own:
# see CMakeLists.txt.
