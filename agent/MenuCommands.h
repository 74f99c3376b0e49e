// The identifiers of the tray menu's commands: each command arrives at the
// main form as WM_COMMAND with its item's identifier, from a click in the
// menu or from its keyboard accelerator. They stay clear of the form's own
// controls (below 1000). The menu's table (TrayMenu.h) gives each its
// caption and handler.
#pragma once

enum MenuCommand : unsigned short {
  // "受信簿(&R)"
  cmdCopyRecipients = 1001,
  cmdCopySender = 1002,
  cmdReplyToAll = 1003,
  cmdForward = 1004,
  cmdReplyInMailer = 1005,
  cmdReplyToAllInMailer = 1006,
  // "メル書き(&W)"
  cmdPasteFriendsAsRecipients = 1011,
  // "友達帳(&F)"
  cmdPasteFriends = 1021,
  cmdCopyFriends = 1022,
  // "そのほか(&Z)"
  cmdStartHost = 1031,
  // "設定(&S)"
  cmdSetAttachFolder = 1041,
  cmdRegisterStartUp = 1042,
  cmdHelp = 1051,
  cmdExit = 1052,
  // The host window entries after the last separator: the first one's
  // identifier, and one more for each entry after it.
  cmdWindowItemFirst = 1100,
};
