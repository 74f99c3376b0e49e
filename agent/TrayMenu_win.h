// The tray menu PopupMenuMain: its fixed items (TrayMenu.h), the two
// submenus that are enabled only while the host has a window for them, the
// host window entries after the last separator, rebuilt each time the menu
// opens, and the exit command. The menu's commands reach the main form as
// WM_COMMAND with the identifiers of MenuCommands.h.
#pragma once

#include <windows.h>

#include <memory>

class TSorvik;
class TPopupMenu;

class TTrayMenu {
 public:
  explicit TTrayMenu(TSorvik& form) : form_(form) {}

  // The menu with every fixed item, its commands going to `formWindow`, and
  // its popup handler set.
  std::unique_ptr<TPopupMenu> CreatePopupMenuMain(HWND formWindow);

  // Each time the menu opens: the host window entries anew, then
  // "受信簿(&R)" enabled exactly while the host's received-mail window is
  // known and "メル書き(&W)" exactly while a mail-writing window exists.
  void PopupMenuMainPopup();
  // Replaces the entries after the last separator with the host's windows.
  void RebuildWindowMenu();
  // A host window entry was chosen: its window comes to the foreground (a
  // window that has gone meanwhile: nothing).
  void WindowMenuItemClick(UINT id);
  // "終了(&X)": closes the main form, which ends the agent normally.
  void MenuItemExitClick();

 private:
  TSorvik& form_;
};
