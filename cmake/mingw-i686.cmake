# Cross-compiling the 32-bit Windows program with MinGW-w64 (posix threads).
set(VELMORA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
