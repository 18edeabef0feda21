set(CMAKE_SYSTEM_NAME Windows)
# The win32 thread model: the posix one links the static winpthreads into
# every program, and winpthreads imports kernel32 functions that Windows 95,
# 98, NT 4.0, 2000 or XP do not export (GetTickCount64,
# AddVectoredExceptionHandler, TryEnterCriticalSection, ...), so their loader
# would refuse the file. This model has no std::thread or std::mutex; the
# tests' helper threads are Win32 threads (tests/win/support/TestThread.h)
# and GoogleTest locks with its own Win32 mutex (cmake/GoogleTest.cmake).
set(CMAKE_C_COMPILER ${PELOR_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${PELOR_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${PELOR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PELOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No MinGW DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release files carry no symbols or debug sections: they are what dist/
# ships, and the programs the tests drive are the same files.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
