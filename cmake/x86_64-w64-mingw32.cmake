# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads).
# Used by scripts/build-windows --x64, where 32-bit Wine cannot be had; run the
# results with wine64 or on 64-bit Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and packages come only from the mingw tree (or from a
# folder named with <Package>_DIR); the build host's /usr/include would
# shadow mingw's C headers.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in: the .exe needs only
# KERNEL32.dll and msvcrt.dll, which every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest (and test discovery) run the test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
