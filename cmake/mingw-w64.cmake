# What both Windows toolchains share: Debian's mingw-w64 (POSIX threads
# flavour) for TOOLCHAIN_PREFIX, a self-contained executable, and tests run
# under Wine of the architecture KORVANE_WINE_ARCH through the emulator script.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no libgcc, libstdc++ or winpthread DLLs
# beside it; and no link time in its header, so that two builds of one
# commit are the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# Scripts that work on a build tree (the benchmark, the screenshot) read the
# Wine architecture from its cache.
set(KORVANE_WINE_ARCH ${KORVANE_WINE_ARCH} CACHE INTERNAL "Wine architecture that runs the tests")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env KORVANE_WINE_ARCH=${KORVANE_WINE_ARCH}
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine/run-in-wine)
