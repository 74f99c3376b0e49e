# i686 Windows build with mingw-w64: what users get, and what runs here under
# 32-bit Wine. Two builds use it:
#   win32       the deliverables. They use no threads of the C++ library: the
#               win32 thread model keeps the posix thread library (some
#               30 KB) out of the agent.
#   win32-test  the tests, the stand-in host and the benchmarks (googletest
#               needs the posix thread model). They test the deliverables of
#               the release folder, not their own build of them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SORVIK_MINGW_TRIPLE i686-w64-mingw32)
if(NOT SORVIK_MINGW_THREADS)
  set(SORVIK_MINGW_THREADS win32)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
