// The identifiers of the tray menu's items: each command arrives at the main
// form as WM_COMMAND with its item's identifier, from a click in the menu or
// from its keyboard accelerator. They stay clear of the form's own controls
// (below 1000).
#pragma once

enum MenuCommand : unsigned short {
  // "受信簿(&R)"
  cmdToCopy = 1001,             // "受取人コピー(&T)"
  cmdFromCopy = 1002,           // "差出人コピー(&F)"
  cmdAllReplay = 1003,          // "全員に返信(&A)"
  cmdForward = 1004,            // "転送する(&W)"
  cmdReplayMailer = 1005,       // "標準メーラーで返信(&R)"
  cmdAllReplayMailer = 1006,    // "標準メーラーで全員に返信(&M)"
  // "メル書き(&W)"
  cmdSendPaste = 1011,          // "宛先貼り(&T)"
  // "友達帳(&F)"
  cmdFriendsPaste = 1021,       // "宛名貼り(&V)"
  cmdFriendsCopy = 1022,        // "コピーだけ(&C)"
  // "そのほか(&Z)"
  cmdMochiru = 1031,            // "モチル起動(&P)"
  // "設定(&S)"
  cmdAttachFolder = 1041,       // "添付フォルダの設定(&F)"
  cmdStartUp = 1042,            // "スタートアップへ登録(&S)"
  cmdHelp = 1051,               // "ヘルプ(&H)"
  cmdExit = 1052,               // "終了(&X)"
  // The host window entries after the last separator: the first one's
  // identifier, and one more for each entry after it.
  cmdWindowItemFirst = 1100,
};
