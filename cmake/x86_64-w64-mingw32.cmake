# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads):
# the 32-bit settings with the 64-bit compilers and tree. Used by
# scripts/build-windows --x64, where 32-bit Wine cannot be had; run the
# results with wine64 or on 64-bit Windows.
include(${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32.cmake)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
