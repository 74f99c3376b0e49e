#include "agent/SettingsCommands_win.h"

#include <windows.h>
#include <shlobj.h>

#include "agent/AgentSettings_win.h"
#include "agent/MainForm_win.h"
#include "agent/SettingsCommands.h"
#include "base/ModulePath_win.h"
#include "toolbox/ShellUtils_win.h"

void TSettingsCommands::SetAttachFolder() {
  const std::string folder = ChooseAttachFolder();
  if (folder.empty()) return;
  if (ShowMessageBox(AttachFolderConfirmation(folder), kSettingsCaption, MB_OKCANCEL) == IDOK) {
    form_.Settings.attachFolder = folder;
  }
}

void TSettingsCommands::RegisterStartUp() {
  std::string startup;
  GetSpecialFolderPath(CSIDL_STARTUP, startup);
  const auto shortcut = StartUpShortcutPath(startup);
  if (!shortcut) {
    ShowMessageBox(kStartUpFolderUnknownMessage, kSettingsCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  // The target's folder is the working folder; whether the shortcut was
  // saved is not reported.
  CreateShortcutFile(*shortcut, ExecutablePath(), "", "", "");
}

// Shown normally: a browser that honours its start-up state would otherwise
// open the page unseen.
void TSettingsCommands::OpenHelp() { ShellOpen(HelpPagePath(ExecutablePath())); }

void TSettingsCommands::StartHost() {
  const std::string host = HostExecutablePath(form_.Settings.attachFolder);
  if (FileMatchExists(host)) {
    ShellOpen(host);
  } else {
    ShowMessageBox(kHostMissingMessage, "", MB_OK);
  }
}
