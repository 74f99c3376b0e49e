#include "agent/SettingsCommands_win.h"

#include <windows.h>
#include <shlobj.h>

#include "agent/AttachFolder_win.h"
#include "agent/SettingsCommands.h"
#include "base/ModulePath_win.h"
#include "toolbox/ShellUtils_win.h"

void TSettingsCommands::MenuItemAttachFolderClick() {
  const std::string folder = ChooseAttachFolder();
  if (folder.empty()) return;
  if (ShowMessageBox(AttachFolderConfirmation(folder), kSettingsCaption, MB_OKCANCEL) == IDOK) {
    AttachFolder = folder;
  }
}

void TSettingsCommands::MenuItemStartUpClick() {
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
void TSettingsCommands::MenuItemHelpClick() { ShellOpen(HelpPagePath(ExecutablePath())); }

void TSettingsCommands::MenuItemMochiruClick() {
  const std::string host = HostExecutablePath();
  if (FileMatchExists(host)) {
    ShellOpen(host);
  } else {
    ShowMessageBox(kHostMissingMessage, "", MB_OK);
  }
}
