# Cross-compiling the 64-bit Windows program with MinGW-w64 (posix threads).
set(VELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
