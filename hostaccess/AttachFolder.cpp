#include "hostaccess/AttachFolder.h"

std::string AttachFolder;

namespace {

constexpr char kSection[] = "options";
constexpr char kFolderKey[] = "folder";

// The index of the last "\" or ":" of `path` that is a character of its
// own, or npos.
std::size_t LastSeparator(std::string_view path, LeadByteTest isLeadByte) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (isLeadByte(c)) {
      ++i;  // its second byte may be 0x5C
    } else if (c == '\\' || c == ':') {
      last = i;
    }
  }
  return last;
}

}  // namespace

std::string ParentFolder(std::string_view path, LeadByteTest isLeadByte) {
  const std::size_t last = LastSeparator(path, isLeadByte);
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string HostExecutablePath(std::string_view attachFolder, LeadByteTest isLeadByte) {
  return ParentFolder(attachFolder, isLeadByte) + "mochiru20.exe";
}

std::string FriendBookPath(std::string_view attachFolder, LeadByteTest isLeadByte) {
  return ParentFolder(attachFolder, isLeadByte) + "おともだち帳";
}

std::string SettingsPathFor(std::string_view executablePath, LeadByteTest isLeadByte) {
  const std::size_t separator = LastSeparator(executablePath, isLeadByte);
  const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  // No trail byte can be a dot, so the last dot byte is the last dot.
  const std::size_t dot = executablePath.rfind('.');
  const std::size_t end = (dot != std::string_view::npos && dot >= nameStart) ? dot : executablePath.size();
  return std::string(executablePath.substr(0, end)) + ".INI";
}

IniFileResult LoadAttachFolderSetting(const std::string& settingsPath, IniFileStore& store,
                                      LeadByteTest isLeadByte, std::string& folder) {
  TQuoIniFile ini(settingsPath, store, isLeadByte);
  folder = ini.ReadString(kSection, kFolderKey, "");
  return ini.Save();
}

IniFileResult SaveAttachFolderSetting(const std::string& settingsPath, IniFileStore& store,
                                      LeadByteTest isLeadByte, const std::string& folder) {
  TQuoIniFile ini(settingsPath, store, isLeadByte);
  try {
    ini.WriteString(kSection, kFolderKey, folder);
  } catch (const IniNameError&) {
    // No folder path holds a line break; keep the file as it is.
    IniFileResult refused;
    refused.ok = false;
    refused.path = settingsPath;
    refused.failedCall = "WriteString";
    return refused;
  }
  return ini.Save();
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
