# The shipped programs: 32-bit MinGW-w64, win32 thread model (see
# mingw-common.cmake), statically linked.
set(PELOR_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
