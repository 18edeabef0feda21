# The pictures of the properties dialog's alignment buttons (bitmaps 146 to
# 154) are drawn at build time by a small program built with the build
# machine's own compiler; windres takes them from the build folder.
find_program(PELOR_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(PELOR_ALIGN_DIR ${CMAKE_BINARY_DIR}/align)
set(PELOR_ALIGN_TOOL ${PELOR_ALIGN_DIR}/make_align_bitmaps)
set(PELOR_ALIGN_BITMAPS)
foreach(place center top bottom left right upperleft upperright lowerleft lowerright)
  list(APPEND PELOR_ALIGN_BITMAPS ${PELOR_ALIGN_DIR}/align-${place}.bmp)
endforeach()
file(MAKE_DIRECTORY ${PELOR_ALIGN_DIR})
add_custom_command(
  OUTPUT ${PELOR_ALIGN_BITMAPS}
  COMMAND ${PELOR_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Wshadow -Werror
          -o ${PELOR_ALIGN_TOOL} ${CMAKE_SOURCE_DIR}/tools/align/make_align_bitmaps.cpp
  COMMAND ${PELOR_ALIGN_TOOL} ${PELOR_ALIGN_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/align/make_align_bitmaps.cpp
  COMMENT "Drawing the alignment button pictures"
  VERBATIM)
add_custom_target(pelor_align_bitmaps DEPENDS ${PELOR_ALIGN_BITMAPS})
