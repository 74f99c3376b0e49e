# The attachment folder setting: agent only (the hook library does not link
# it).

add_library(attachfolder STATIC ${CMAKE_CURRENT_LIST_DIR}/AttachFolder.cpp)
target_link_libraries(attachfolder PUBLIC quoini quoutils_core sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS attachfolder)

if(WIN32)
  add_library(attachfolder_win STATIC ${CMAKE_CURRENT_LIST_DIR}/AttachFolder_win.cpp)
  target_link_libraries(attachfolder_win PUBLIC attachfolder quoini_win)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS attachfolder_win)
endif()
