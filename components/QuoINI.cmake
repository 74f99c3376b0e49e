# The settings file: the ini format in memory (portable) and its file layer.

add_library(quoini STATIC ${CMAKE_CURRENT_LIST_DIR}/QuoINI.cpp)
# The code page (CodePage.h) tells which bytes start double-byte characters.
target_link_libraries(quoini PUBLIC quoutils_core sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS quoini)

if(WIN32)
  add_library(quoini_win STATIC ${CMAKE_CURRENT_LIST_DIR}/QuoINI_win.cpp)
  target_link_libraries(quoini_win PUBLIC quoini)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS quoini_win)
endif()
