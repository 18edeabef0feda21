# GoogleTest from Debian's sources, built with whichever compiler this tree uses.
set(PELOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${PELOR_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${PELOR_GTEST_SOURCE}; run scripts/setup.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${PELOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32)
  # The win32 thread model has no std::mutex. GoogleTest locks with its own
  # Win32 mutex on Windows; only its Notification is written over
  # std::mutex, so ours (GTestNotification.h) is put in its place.
  foreach(target gtest gtest_main)
    target_compile_definitions(${target} PUBLIC GTEST_HAS_NOTIFICATION_=1)
    target_compile_options(${target} PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/GTestNotification.h)
  endforeach()
endif()
