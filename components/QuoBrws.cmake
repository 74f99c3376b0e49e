# The folder browse dialog: the flag and arrangement rules (portable) and the
# dialog itself (Win32).
add_library(quobrws STATIC ${CMAKE_CURRENT_LIST_DIR}/QuoBrws.cpp)
target_link_libraries(quobrws PUBLIC sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS quobrws)

if(WIN32)
  add_library(quobrws_win STATIC ${CMAKE_CURRENT_LIST_DIR}/QuoBrws_win.cpp)
  target_link_libraries(quobrws_win PUBLIC quobrws shell32 ole32)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS quobrws_win)
endif()
