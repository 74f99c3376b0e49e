// The attachment folder setting on the real file system and in the system's
// ANSI code page. The agent's start-up and shut-down steps call
// LoadAttachFolder and SaveAttachFolder; neither throws for the file.
#pragma once

#include <string>

#include "agent/AttachFolder.h"

// This program's settings file: the running executable's full path with
// ".INI" in place of its extension.
std::string SettingsFilePath();

// The start-up step: AttachFolder := the stored folder, and the file is
// written back. When the result is not ok, the file cannot be read
// (`reading` set; AttachFolder is then empty and the file untouched) or
// written (its path is in the result): the agent runs on with the setting in
// memory.
IniFileResult LoadAttachFolder();

// The shut-down step: stores AttachFolder, whether changed or not.
IniFileResult SaveAttachFolder();

// Whether `path` names an existing folder: GetFileAttributesA succeeds and
// reports a directory. An empty path is no folder.
bool IsExistingFolder(const std::string& path);

// HostExecutablePath and FriendBookPath of the current AttachFolder.
std::string HostExecutablePath();
std::string FriendBookPath();

// The user's choice of attachment folder in the folder browse dialog: at
// (50, 50), 300 x 500, rooted at the desktop, opening on "c:\progra~1", with
// a status line. The chosen folder, or empty when the user cancels. COM must
// be initialised.
std::string ChooseAttachFolder();
