// The tray menu PopupMenuMain: its fixed items (the table of TrayMenu.h),
// the two submenus that are enabled only while the host has a window for
// them, the host window entries after the last separator, rebuilt each time
// the menu opens, and the routing of its commands, which reach the main
// form as WM_COMMAND with the identifiers of MenuCommands.h: each goes to
// the handler of its row, which hands it to the capability that carries it
// out.
#pragma once

#include <windows.h>

#include <memory>

#include "agent/TrayMenu.h"

class TSorvik;
class TPopupMenu;
class TMailCommands;
class TSettingsCommands;

class TTrayMenu : private TrayCommandHandlers {
 public:
  TTrayMenu(TSorvik& form, TMailCommands& mail, TSettingsCommands& settings)
      : form_(form), mail_(mail), settings_(settings) {}

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

  // A command of the menu, by its identifier: a fixed item's handler or a
  // host window entry; any other identifier does nothing. A mail command
  // that arrives while another one runs (from a message handled during its
  // waits) is dropped.
  void Command(unsigned id);

 private:
  void CopyRecipients() override;
  void CopySender() override;
  void ReplyToAll() override;
  void Forward() override;
  void ReplyInMailer() override;
  void ReplyToAllInMailer() override;
  void PasteFriendsAsRecipients() override;
  void PasteFriends() override;
  void CopyFriends() override;
  void StartHost() override;
  void SetAttachFolder() override;
  void RegisterStartUp() override;
  void OpenHelp() override;
  // "終了(&X)": closes the main form, which ends the agent normally.
  void Exit() override;

  TSorvik& form_;
  TMailCommands& mail_;
  TSettingsCommands& settings_;
  bool mailCommandRunning_ = false;
};
