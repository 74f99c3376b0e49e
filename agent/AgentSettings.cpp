#include "agent/AgentSettings.h"

#include "base/FolderPart.h"

std::string ParentFolder(std::string_view path) { return ExtractFolderPart(path); }

std::string HostExecutablePath(std::string_view attachFolder) {
  return ParentFolder(attachFolder) + "mochiru20.exe";
}

std::string FriendBookPath(std::string_view attachFolder) {
  return ParentFolder(attachFolder) + "おともだち帳";
}

std::string SettingsPathFor(std::string_view executablePath) {
  const std::size_t nameStart = ParentFolder(executablePath).size();
  // No trail byte can be a dot, so the last dot byte is the last dot.
  const std::size_t dot = executablePath.rfind('.');
  const std::size_t end = (dot != std::string_view::npos && dot >= nameStart) ? dot : executablePath.size();
  return std::string(executablePath.substr(0, end)) + ".INI";
}

IniFileResult LoadAgentSettings(const std::string& settingsPath, IniFileStore& store, AgentSettings& settings) {
  TQuoIniFile ini(settingsPath, store);
  for (const SettingKey& key : kSettingKeys) settings.*key.field = ini.ReadString(key.section, key.key, "");
  return ini.Save();
}

IniFileResult SaveAgentSettings(const std::string& settingsPath, IniFileStore& store,
                                const AgentSettings& settings) {
  TQuoIniFile ini(settingsPath, store);
  try {
    for (const SettingKey& key : kSettingKeys) ini.WriteString(key.section, key.key, settings.*key.field);
  } catch (const IniNameError&) {
    // No setting holds a line break (no folder path does); keep the file as
    // it is.
    IniFileResult refused;
    refused.ok = false;
    refused.path = settingsPath;
    refused.failedCall = "WriteString";
    return refused;
  }
  return ini.Save();
}

bool SavesSettingsAtEnd(const IniFileResult& loading, const AgentSettings& loaded, const AgentSettings& current) {
  if (loading.ok || !loading.reading) return true;
  return current != loaded;
}

std::string SettingsNotSavedMessage(std::string_view path) {
  std::string message = "添付フォルダの設定を保存するファイルに書き込めませんでした。\n\n";
  message += path;
  message +=
      "\n\n設定はこのままお使いいただけますが、変更しても終了時に保存されません。\n"
      "このファイルやフォルダが書き込み禁止になっていないか、ほかのプログラムで開かれていないか、"
      "ご確認ください。";
  return message;
}

std::string SettingsNotReadMessage(std::string_view path) {
  std::string message = "添付フォルダの設定を保存したファイルを読み込めませんでした。\n\n";
  message += path;
  message +=
      "\n\nこのファイルはそのまま残します（この起動中に添付フォルダを設定したときだけ、終了時に保存します）。\n"
      "ほかのプログラムで開かれていないか、読み取りが禁止されていないか、ご確認ください。";
  return message;
}

std::string SettingsFailureMessage(const IniFileResult& result) {
  return result.reading ? SettingsNotReadMessage(result.path) : SettingsNotSavedMessage(result.path);
}
