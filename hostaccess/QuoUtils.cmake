# The agent's toolbox. The portable half (scanners, list, timeout) carries
# the platform's code-page converter and millisecond clock; the Win32 half
# the window, shell and file operations. Agent only: the hook library does
# not link either.

if(WIN32)
  set(quoutils_platform ${CMAKE_CURRENT_LIST_DIR}/CodePage_win.cpp ${CMAKE_CURRENT_LIST_DIR}/QuoUtilsClock_win.cpp)
else()
  set(quoutils_platform ${CMAKE_CURRENT_LIST_DIR}/CodePage_iconv.cpp ${CMAKE_CURRENT_LIST_DIR}/QuoUtilsClock_posix.cpp)
endif()
add_library(quoutils_core STATIC
            ${CMAKE_CURRENT_LIST_DIR}/QuoUtilsScan.cpp
            ${CMAKE_CURRENT_LIST_DIR}/QuoUtilsList.cpp
            ${CMAKE_CURRENT_LIST_DIR}/QuoUtilsTimeout.cpp
            ${quoutils_platform})
target_link_libraries(quoutils_core PUBLIC sorvik_flags)
if(WIN32)
  target_link_libraries(quoutils_core PUBLIC winmm)
endif()
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS quoutils_core)

if(WIN32)
  add_library(quoutils_win STATIC ${CMAKE_CURRENT_LIST_DIR}/QuoUtils_win.cpp)
  target_link_libraries(quoutils_win PUBLIC quoutils_core shell32 ole32 uuid user32)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS quoutils_win)
endif()
