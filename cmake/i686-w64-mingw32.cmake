# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (posix threads).
# Used by scripts/build-windows; run the results with Wine or on Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

# Libraries, headers and packages come only from the mingw tree (or from a
# folder named with <Package>_DIR); the build host's /usr/include would
# shadow mingw's C headers.
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in: the .exe needs only
# KERNEL32.dll and msvcrt.dll, which every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the test programs under Wine: by default Debian's `wine`
# wrapper, which picks the 32-bit loader when wine32 is installed.
if(NOT DEFINED TARVEX_DEFAULT_WINE)
  set(TARVEX_DEFAULT_WINE wine)
endif()
set(TARVEX_WINE ${TARVEX_DEFAULT_WINE} CACHE STRING "Wine loader that runs the Windows test programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVEX_WINE})
