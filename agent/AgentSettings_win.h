// The agent's settings on the real file system and in the system's ANSI
// code page: the settings file beside the executable, and the one place the
// agent loads and saves its settings (TSettingsFile, owned by the main form
// with the settings themselves). Neither step throws for the file.
#pragma once

#include <string>

#include "agent/AgentSettings.h"

// This program's settings file: the running executable's full path with
// ".INI" in place of its extension.
std::string SettingsFilePath();

// LoadAgentSettings and SaveAgentSettings on this program's settings file.
IniFileResult LoadSettingsFile(AgentSettings& settings);
IniFileResult SaveSettingsFile(const AgentSettings& settings);

// The start-up and shut-down steps of one run of the agent.
class TSettingsFile {
 public:
  // At start, before any window: `settings` := the stored ones, and the file
  // is written back. When the file cannot be read (the settings are then
  // empty and the file untouched) or written, the user is told, with its
  // path, and the agent runs on with the settings in memory.
  void Load(AgentSettings& settings);
  // At the end, or when Windows ends the session (it may end the process
  // right after): stores `settings`, once however often it is called, as
  // SavesSettingsAtEnd says. The user is told when the file cannot be
  // written, unless a failure was told at start already.
  void SaveOnce(const AgentSettings& settings);

 private:
  void Warn(const IniFileResult& result);

  IniFileResult loading_;
  AgentSettings loaded_;
  bool saved_ = false;
  bool warned_ = false;
};

// Whether `path` names an existing folder: GetFileAttributesA succeeds and
// reports a directory. An empty path is no folder.
bool IsExistingFolder(const std::string& path);

// The user's choice of attachment folder in the folder browse dialog: at
// (50, 50), 300 x 500, rooted at the desktop, opening on "c:\progra~1", with
// a status line. The chosen folder, or empty when the user cancels. COM must
// be initialised.
std::string ChooseAttachFolder();
