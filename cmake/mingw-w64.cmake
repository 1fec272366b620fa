# Builds the Windows programs on Debian with mingw-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix-threads variant of the compiler is the one with std::mutex and std::thread. The tests
# run under wine (packages wine and wine64) through cmake/wine-run, in a wine prefix of the build's
# own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRANE_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
