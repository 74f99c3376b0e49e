# The keystroke synthesiser: the key-description language (portable) and the
# real keyboard behind it (Win32).
add_library(keys_core STATIC ${CMAKE_CURRENT_LIST_DIR}/SendKeys.cpp)
target_link_libraries(keys_core PUBLIC sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS keys_core)

if(WIN32)
  add_library(keys_win STATIC ${CMAKE_CURRENT_LIST_DIR}/SendKeys_win.cpp)
  target_link_libraries(keys_win PUBLIC keys_core user32)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS keys_win)
endif()
