# The folder browse dialog: the flag and arrangement rules (portable) and the
# dialog itself (Win32).
add_library(folderdialog STATIC ${CMAKE_CURRENT_LIST_DIR}/FolderDialog.cpp)
target_link_libraries(folderdialog PUBLIC sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS folderdialog)

if(WIN32)
  add_library(folderdialog_win STATIC ${CMAKE_CURRENT_LIST_DIR}/FolderDialog_win.cpp)
  target_link_libraries(folderdialog_win PUBLIC folderdialog toolbox_win shell32 ole32)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS folderdialog_win)
endif()
