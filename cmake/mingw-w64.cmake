# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads).
# ZARNOTH_WIN_PREFIX names the directory holding the cross-built libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(ZARNOTH_WIN_PREFIX "$ENV{ZARNOTH_WIN_PREFIX}" CACHE PATH "Cross-built libraries for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ZARNOTH_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
