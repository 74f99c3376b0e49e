#include "agent/AttachFolder_win.h"

#include <windows.h>

#include "base/ModulePath_win.h"
#include "components/FolderDialog_win.h"
#include "components/IniFile_win.h"

std::string SettingsFilePath() { return SettingsPathFor(ExecutablePath()); }

IniFileResult LoadAttachFolder() {
  return LoadAttachFolderSetting(SettingsFilePath(), SystemIniFileStore(), AttachFolder);
}

IniFileResult SaveAttachFolder() {
  return SaveAttachFolderSetting(SettingsFilePath(), SystemIniFileStore(), AttachFolder);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string HostExecutablePath() { return HostExecutablePath(std::string_view(AttachFolder)); }

std::string FriendBookPath() { return FriendBookPath(std::string_view(AttachFolder)); }

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
