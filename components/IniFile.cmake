# The settings file: the ini format in memory (portable) and its file layer.
add_library(inifile STATIC ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp)
# The code page tells which bytes start double-byte characters.
target_link_libraries(inifile PUBLIC base_core sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS inifile)

if(WIN32)
  add_library(inifile_win STATIC ${CMAKE_CURRENT_LIST_DIR}/IniFile_win.cpp)
  target_link_libraries(inifile_win PUBLIC inifile)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS inifile_win)
endif()
