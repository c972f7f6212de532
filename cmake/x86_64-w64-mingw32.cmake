# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads):
# the 32-bit settings with the 64-bit compilers and tree. Used by
# scripts/build-windows --x64, where 32-bit Windows programs cannot run; run the
# results with wine64 or on 64-bit Windows.
# The 64-bit loader itself, not the `wine` wrapper: with wine32 installed the
# wrapper starts the 32-bit loader even for a 64-bit program, and that fails
# where the kernel runs no 32-bit code.
set(TARVEX_DEFAULT_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32.cmake)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
