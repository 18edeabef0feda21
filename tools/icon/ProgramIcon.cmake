# The program icon (resource 128) is drawn at build time by a small program
# built with the build machine's own compiler; windres takes it from the
# build folder.
find_program(PELOR_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(PELOR_ICON_DIR ${CMAKE_BINARY_DIR}/icon)
set(PELOR_ICON_TOOL ${PELOR_ICON_DIR}/make_icon)
set(PELOR_ICON_FILE ${PELOR_ICON_DIR}/pelor.ico)
file(MAKE_DIRECTORY ${PELOR_ICON_DIR})
add_custom_command(
  OUTPUT ${PELOR_ICON_FILE} ${PELOR_ICON_DIR}/setup.ico
  COMMAND ${PELOR_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Wshadow -Werror
          -o ${PELOR_ICON_TOOL} ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.cpp
  COMMAND ${PELOR_ICON_TOOL} ${PELOR_ICON_FILE}
  COMMAND ${PELOR_ICON_TOOL} ${PELOR_ICON_DIR}/setup.ico --with-small
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.cpp
  COMMENT "Drawing the program icon"
  VERBATIM)
add_custom_target(pelor_icon DEPENDS ${PELOR_ICON_FILE})
