# Cross build of the Windows console program with mingw-w64 (Debian package
# g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The test programs run under Wine (package wine64), which CMake and CTest
# start for every Windows executable they run.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SLIDEPUB_MINGW_TRIPLET x86_64-w64-mingw32)
# The -posix variant carries std::thread and std::mutex (winpthreads).
set(CMAKE_C_COMPILER ${SLIDEPUB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SLIDEPUB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SLIDEPUB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SLIDEPUB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthreads go into every .exe, so a program
# runs on a machine without any of the compiler's DLLs; system DLLs such as
# odbc32.dll and bcrypt.dll stay DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# CMake switches to -Bdynamic after a library it found as an archive
# (libodbc32.a); the runtime libraries that the compiler adds at the end of
# the line would then be taken as DLLs.
set(CMAKE_LINK_SEARCH_START_STATIC ON)
set(CMAKE_LINK_SEARCH_END_STATIC ON)

set(SLIDEPUB_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs the test programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${SLIDEPUB_WINE})
