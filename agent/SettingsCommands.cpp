#include "agent/SettingsCommands.h"

#include "base/FolderPart.h"

std::string AttachFolderConfirmation(std::string_view folder) {
  std::string text = "添付フォルダを変更していいですか？\n\n";
  text += folder;
  return text;
}

std::optional<std::string> StartUpShortcutPath(std::string_view startupFolder) {
  if (startupFolder.empty()) return std::nullopt;
  std::string path(startupFolder);
  path += "\\Sorvikへのショートカット.lnk";
  return path;
}

std::string HelpPagePath(std::string_view executablePath) {
  return ExtractFolderPart(executablePath) + "help.htm";
}
