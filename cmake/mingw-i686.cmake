# Cross-compiling the 32-bit Windows program with MinGW-w64 (posix threads).
set(VELMORA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
# GCC's i686 default is the Pentium Pro: no vector units, x87 arithmetic.
# Every processor Windows 8 and later runs on has SSE2, so the pixel loops get
# vectors and floating point computes as the 64-bit build does. Added in
# CMakeLists.txt rather than as initial flags, so build folders configured
# before get them too.
set(VELMORA_TARGET_OPTIONS -msse2 -mfpmath=sse)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
