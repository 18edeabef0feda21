# The logo bitmap (resource 138) is drawn at build time by a small program
# built with the build machine's own compiler, and windres takes it from the
# build folder.
find_program(PELOR_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(PELOR_LOGO_TOOL ${CMAKE_CURRENT_BINARY_DIR}/make_logo)
set(PELOR_LOGO_BMP ${CMAKE_CURRENT_BINARY_DIR}/logo.bmp)
add_custom_command(
  OUTPUT ${PELOR_LOGO_BMP}
  COMMAND ${PELOR_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Werror
          -o ${PELOR_LOGO_TOOL} ${CMAKE_SOURCE_DIR}/tools/logo/make_logo.cpp
  COMMAND ${PELOR_LOGO_TOOL} ${PELOR_LOGO_BMP}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/logo/make_logo.cpp
  COMMENT "Drawing the logo bitmap"
  VERBATIM)
add_custom_target(pelor_logo DEPENDS ${PELOR_LOGO_BMP})
