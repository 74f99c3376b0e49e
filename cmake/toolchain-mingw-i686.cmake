# i686 Windows build with mingw-w64: the deliverables. 32-bit code cannot run
# on this machine, so this build is compiled, linked and inspected only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SORVIK_MINGW_TRIPLE i686-w64-mingw32)
# The deliverables use no threads of the C++ library: the win32 thread
# model keeps the posix thread library (some 30 KB) out of the agent. (This
# build makes no tests, which need the posix model.)
set(SORVIK_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
