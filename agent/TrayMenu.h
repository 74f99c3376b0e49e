// The tray menu as one table: every item in display order, each command
// with its identifier, its caption (the "&" letter is its keyboard
// accelerator), the submenu it sits in and its handler. The menu
// (TrayMenu_win), the routing of its commands, the help page's check
// (tools/tray-captions, run by scripts/inspect-release.sh) and the soak's
// count of mail commands all derive from it: a new command is one row, one
// identifier in MenuCommands.h and one handler below, and a handler left
// out fails to compile (TrayCommandHandlers cannot be made) or fails the
// unit tests. Portable.
#pragma once

#include <cstddef>
#include <span>

#include "agent/MenuCommands.h"

// What the tray menu's commands do. The tray menu implements it by handing
// each command to the capability that carries it out.
class TrayCommandHandlers {
 public:
  // "受信簿(&R)": the mail selected in the host's received-mail list.
  virtual void CopyRecipients() = 0;
  virtual void CopySender() = 0;
  virtual void ReplyToAll() = 0;
  virtual void Forward() = 0;
  virtual void ReplyInMailer() = 0;
  virtual void ReplyToAllInMailer() = 0;
  // "メル書き(&W)": the mail being written in the host.
  virtual void PasteFriendsAsRecipients() = 0;
  // "友達帳(&F)": friends chosen from the friend book.
  virtual void PasteFriends() = 0;
  virtual void CopyFriends() = 0;
  // "そのほか(&Z)"
  virtual void StartHost() = 0;
  // "設定(&S)"
  virtual void SetAttachFolder() = 0;
  virtual void RegisterStartUp() = 0;
  // The top level.
  virtual void OpenHelp() = 0;
  virtual void Exit() = 0;

 protected:
  ~TrayCommandHandlers() = default;
};
using TrayCommandHandler = void (TrayCommandHandlers::*)();

enum class TrayItemKind { Command, Submenu, Separator };

// The submenus, by what they hold.
enum class TraySubmenu { None, ReceivedMail, MailWriting, FriendBook, Other, Settings };

struct TrayMenuItem {
  TrayItemKind kind;
  int level;                   // 0 top level, 1 inside the submenu above it
  const char* caption;         // null for a separator
  unsigned command;            // a command's WM_COMMAND identifier; 0 otherwise
  TrayCommandHandler handler;  // a command's handler; null otherwise
  // A mail command: it works on the host's mails and windows, waiting for
  // them while it handles what the host sends. One that arrives while
  // another runs is dropped.
  bool mailCommand;
  TraySubmenu submenu;  // which submenu a submenu item opens; None otherwise
};

namespace tray_rows {
constexpr TrayMenuItem Submenu(TraySubmenu which, const char* caption) {
  return {TrayItemKind::Submenu, 0, caption, 0, nullptr, false, which};
}
// A command inside the submenu above it.
constexpr TrayMenuItem MailCommand(MenuCommand id, const char* caption, TrayCommandHandler handler) {
  return {TrayItemKind::Command, 1, caption, id, handler, true, TraySubmenu::None};
}
constexpr TrayMenuItem Command(int level, MenuCommand id, const char* caption, TrayCommandHandler handler) {
  return {TrayItemKind::Command, level, caption, id, handler, false, TraySubmenu::None};
}
constexpr TrayMenuItem Separator(int level, unsigned id = 0) {
  return {TrayItemKind::Separator, level, nullptr, id, nullptr, false, TraySubmenu::None};
}
}  // namespace tray_rows

// The identifier of the separator after which the host window entries go
// (it is never chosen); the last fixed item.
inline constexpr unsigned kWindowEntriesAnchorId = 1099;

// Every fixed item in display order; a submenu's items follow it.
inline constexpr TrayMenuItem kTrayMenuItems[] = {
    tray_rows::Submenu(TraySubmenu::ReceivedMail, "受信簿(&R)"),
    tray_rows::MailCommand(cmdCopyRecipients, "受取人コピー(&T)", &TrayCommandHandlers::CopyRecipients),
    tray_rows::MailCommand(cmdCopySender, "差出人コピー(&F)", &TrayCommandHandlers::CopySender),
    tray_rows::Separator(1),
    tray_rows::MailCommand(cmdReplyToAll, "全員に返信(&A)", &TrayCommandHandlers::ReplyToAll),
    tray_rows::MailCommand(cmdForward, "転送する(&W)", &TrayCommandHandlers::Forward),
    tray_rows::Separator(1),
    tray_rows::MailCommand(cmdReplyInMailer, "標準メーラーで返信(&R)", &TrayCommandHandlers::ReplyInMailer),
    tray_rows::MailCommand(cmdReplyToAllInMailer, "標準メーラーで全員に返信(&M)",
                           &TrayCommandHandlers::ReplyToAllInMailer),
    tray_rows::Submenu(TraySubmenu::MailWriting, "メル書き(&W)"),
    tray_rows::MailCommand(cmdPasteFriendsAsRecipients, "宛先貼り(&T)",
                           &TrayCommandHandlers::PasteFriendsAsRecipients),
    tray_rows::Submenu(TraySubmenu::FriendBook, "友達帳(&F)"),
    tray_rows::MailCommand(cmdPasteFriends, "宛名貼り(&V)", &TrayCommandHandlers::PasteFriends),
    tray_rows::MailCommand(cmdCopyFriends, "コピーだけ(&C)", &TrayCommandHandlers::CopyFriends),
    tray_rows::Submenu(TraySubmenu::Other, "そのほか(&Z)"),
    tray_rows::Command(1, cmdStartHost, "モチル起動(&P)", &TrayCommandHandlers::StartHost),
    tray_rows::Separator(0),
    tray_rows::Submenu(TraySubmenu::Settings, "設定(&S)"),
    tray_rows::Command(1, cmdSetAttachFolder, "添付フォルダの設定(&F)", &TrayCommandHandlers::SetAttachFolder),
    tray_rows::Command(1, cmdRegisterStartUp, "スタートアップへ登録(&S)", &TrayCommandHandlers::RegisterStartUp),
    tray_rows::Command(0, cmdHelp, "ヘルプ(&H)", &TrayCommandHandlers::OpenHelp),
    tray_rows::Command(0, cmdExit, "終了(&X)", &TrayCommandHandlers::Exit),
    tray_rows::Separator(0, kWindowEntriesAnchorId),
};

inline std::span<const TrayMenuItem> TrayMenuItems() { return kTrayMenuItems; }

// The command item with the identifier `id`; null when no command has it.
const TrayMenuItem* FindTrayCommand(unsigned id);

// How many mail commands the menu has.
constexpr int MailCommandCount() {
  int count = 0;
  for (const TrayMenuItem& item : kTrayMenuItems) count += item.mailCommand ? 1 : 0;
  return count;
}

// The mail command at `index` (0 to MailCommandCount() - 1) in menu order.
constexpr MenuCommand MailCommandAt(int index) {
  for (const TrayMenuItem& item : kTrayMenuItems) {
    if (item.mailCommand && index-- == 0) return static_cast<MenuCommand>(item.command);
  }
  return static_cast<MenuCommand>(0);
}
