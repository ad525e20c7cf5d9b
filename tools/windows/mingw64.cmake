# CMake toolchain of the Windows build: 64-bit MinGW-w64 with POSIX threads (std::thread and
# the C++ runtime as Qt expects them), cross-compiling from Debian.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WELD_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WELD_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WELD_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${WELD_MINGW_PREFIX}-windres)
set(CMAKE_AR ${WELD_MINGW_PREFIX}-gcc-ar-posix)
set(CMAKE_RANLIB ${WELD_MINGW_PREFIX}-gcc-ranlib-posix)

# Target libraries come from the MinGW sysroot and the Windows toolkit cache, never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${WELD_MINGW_PREFIX} ${WELD_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
