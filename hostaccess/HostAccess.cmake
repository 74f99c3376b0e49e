# The host access library. The hook library takes only the host identifiers,
# the shared block and the slot operations; the agent takes all of it.

add_library(hostaccess_core STATIC ${CMAKE_CURRENT_LIST_DIR}/Mochiruconst.cpp ${CMAKE_CURRENT_LIST_DIR}/ComMem.cpp)
target_link_libraries(hostaccess_core PUBLIC sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS hostaccess_core)

if(WIN32)
  # Linked into both deliverables.
  add_library(hostaccess_win STATIC ${CMAKE_CURRENT_LIST_DIR}/Mochirumisc_win.cpp
              ${CMAKE_CURRENT_LIST_DIR}/SharedMapping_win.cpp ${CMAKE_CURRENT_LIST_DIR}/ComMem_win.cpp)
  target_link_libraries(hostaccess_win PUBLIC hostaccess_core)

  # Agent and tools only.
  add_library(winshell STATIC ${CMAKE_CURRENT_LIST_DIR}/WindowClass_win.cpp)
  target_link_libraries(winshell PUBLIC sorvik_flags)

  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS hostaccess_win winshell)
endif()
