# A 64-bit build of the same sources, for machines whose kernel cannot run
# 32-bit code (no IA-32 emulation): the Wine tiers run it under wine64.
set(PELOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
