# Cross-compiling for 64-bit Windows with MinGW-w64 (the POSIX-threads
# variant, whose runtime links statically), running the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VERDANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VERDANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VERDANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VERDANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VERDANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs to ship: libgcc, libstdc++ and winpthread go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(VERDANE_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VERDANE_WINE})
