#include "agent/AgentSettings_win.h"

#include <windows.h>

#include "base/ModulePath_win.h"
#include "components/FolderDialog_win.h"
#include "components/IniFile_win.h"
#include "toolbox/ShellUtils_win.h"

std::string SettingsFilePath() { return SettingsPathFor(ExecutablePath()); }

IniFileResult LoadSettingsFile(AgentSettings& settings) {
  return LoadAgentSettings(SettingsFilePath(), SystemIniFileStore(), settings);
}

IniFileResult SaveSettingsFile(const AgentSettings& settings) {
  return SaveAgentSettings(SettingsFilePath(), SystemIniFileStore(), settings);
}

void TSettingsFile::Load(AgentSettings& settings) {
  loading_ = LoadSettingsFile(settings);
  loaded_ = settings;
  Warn(loading_);
}

void TSettingsFile::SaveOnce(const AgentSettings& settings) {
  if (saved_) return;
  saved_ = true;
  if (!SavesSettingsAtEnd(loading_, loaded_, settings)) return;
  Warn(SaveSettingsFile(settings));
}

// The user is told once in a run, the first time the file fails.
void TSettingsFile::Warn(const IniFileResult& result) {
  if (result.ok || warned_) return;
  warned_ = true;
  ShowMessageBox(SettingsFailureMessage(result), "Sorvik", MB_OK | MB_ICONWARNING);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ChooseAttachFolder() {
  std::string result;
  TBrowseFolderBox box;
  box.InitialFolder = "c:\\progra~1";
  box.Title = "添付書類が保存されているフォルダを選んでください";
  box.Options.Include(boStatusText);
  box.Left = 50;
  box.Top = 50;
  box.Width = 300;
  box.Height = 500;
  if (box.Execute()) result = box.Folder;
  return result;
}
