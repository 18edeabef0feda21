# GoogleTest from Debian's sources, built with whichever compiler this tree uses.
set(PELOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${PELOR_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${PELOR_GTEST_SOURCE}; run scripts/setup.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${PELOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32 AND TARGET gtest)
  # The win32 thread model has no std::mutex: GoogleTest is told it is not
  # thread-safe, and the tests assert only from their main thread.
  target_compile_definitions(gtest PUBLIC GTEST_IS_THREADSAFE=0)
  target_compile_definitions(gtest_main PUBLIC GTEST_IS_THREADSAFE=0)
endif()
