# Cross-compiles the Windows edition for 64-bit Windows: a test vehicle for
# machines whose Wine runs only 64-bit programs, not a release.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(KORVANE_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
