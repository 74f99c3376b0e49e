#include "hostaccess/AttachFolder_win.h"

#include <windows.h>

#include "components/QuoINI_win.h"

namespace {

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the path may have been cut: try a larger one.
    if (length < path.size() || path.size() >= 32768) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

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
