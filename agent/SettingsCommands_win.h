// The settings and shell commands of the tray menu: choosing the attachment
// folder, registering the agent to start at log-on, opening the help page
// and launching the host. Each reports problems only in message boxes.
#pragma once

class TSorvik;

class TSettingsCommands {
 public:
  explicit TSettingsCommands(TSorvik& form) : form_(form) {}

  // "添付フォルダの設定(&F)": the folder dialog, then the confirmation; the
  // new folder is kept in memory and saved when the agent ends.
  void SetAttachFolder();
  // "スタートアップへ登録(&S)": a shortcut to the agent in the user's
  // start-up folder, replacing one that is there.
  void RegisterStartUp();
  // "ヘルプ(&H)": help.htm beside the agent, opened by the shell.
  void OpenHelp();
  // "モチル起動(&P)": the host's executable beside the attachment folder.
  void StartHost();

 private:
  TSorvik& form_;
};
