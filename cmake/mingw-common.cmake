# The thread model of the mingw compilers, chosen by the toolchain file or
# the preset: win32 or posix (std::thread, std::mutex; googletest needs them).
set(CMAKE_C_COMPILER ${SORVIK_MINGW_TRIPLE}-gcc-${SORVIK_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${SORVIK_MINGW_TRIPLE}-g++-${SORVIK_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${SORVIK_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SORVIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
