# The tray icon component: its ID list, tip and notification rules
# (portable) and the icon, its notify window and popup menu (Win32).
add_library(trayicon STATIC ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp)
target_link_libraries(trayicon PUBLIC base_core sorvik_flags)
set_property(GLOBAL APPEND PROPERTY SORVIK_PORTABLE_LIBS trayicon)

if(WIN32)
  add_library(trayicon_win STATIC ${CMAKE_CURRENT_LIST_DIR}/TrayIcon_win.cpp)
  target_link_libraries(trayicon_win PUBLIC trayicon base_win shell32 user32 toolbox_win)
  set_property(GLOBAL APPEND PROPERTY SORVIK_WIN_LIBS trayicon_win)
endif()
