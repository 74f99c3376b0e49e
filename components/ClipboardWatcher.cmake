# The clipboard change detector: Win32 only.
if(WIN32)
  add_library(clipboardwatcher_win STATIC ${CMAKE_CURRENT_LIST_DIR}/ClipboardWatcher_win.cpp)
  target_link_libraries(clipboardwatcher_win PUBLIC base_win sorvik_flags)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS clipboardwatcher_win)
endif()
