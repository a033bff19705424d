# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# libstdc++ needs for std::thread and friends). Used for raylib's Windows build and the program's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Libraries, headers and CMake packages come only from the Windows side: the MinGW sysroot and
# the raylib that scripts/build-windows.sh builds. Build tools come from this machine.
get_filename_component(raylib_win_prefix "${CMAKE_CURRENT_LIST_DIR}/../.deps/raylib-win" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} "${raylib_win_prefix}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
