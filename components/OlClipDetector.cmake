# The clipboard change detector: Win32 only.
if(WIN32)
  add_library(olclipdetector_win STATIC ${CMAKE_CURRENT_LIST_DIR}/OlClipDetector_win.cpp)
  target_link_libraries(olclipdetector_win PUBLIC winshell sorvik_flags)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS olclipdetector_win)
endif()
