// The attachment folder: the agent's one setting, the folder into which the
// host saves the attachments of received mail. Its parent folder is taken
// to be the host's installation folder. It lives in section "options", key
// "folder" of the settings file beside the agent's executable, is loaded at
// start-up, changed in memory and saved when the agent ends. Portable: the
// file is reached through an IniFileStore (AttachFolder_win.h has the real
// one).
#pragma once

#include <string>
#include <string_view>

#include "components/IniFile.h"

// The process-wide setting, as the folder dialog returns it: a full path
// without a trailing separator, except for a drive root; empty when unset.
// GUI thread only.
extern std::string AttachFolder;

// The part of `path` up to and including its last "\" or ":"; empty when it
// has neither. A double-byte character whose second byte is 0x5C ("ソ",
// "表") is not a separator (ExtractFolderPart).
std::string ParentFolder(std::string_view path);

// Where the host's executable and friend book are looked for: the parent
// folder of `attachFolder` followed by "mochiru20.exe" and "おともだち帳".
std::string HostExecutablePath(std::string_view attachFolder);
std::string FriendBookPath(std::string_view attachFolder);

// The settings file of an executable: its path with the extension of its
// file name replaced by ".INI", or ".INI" appended when the name has none.
// A dot in a folder name is not an extension.
std::string SettingsPathFor(std::string_view executablePath);

// The start-up step: `folder` := key "folder" of section "options" (empty
// when missing or unreadable), then the file is written back (so a first
// start leaves an empty file). Returns how it went: a file that exists but
// cannot be read (held by another program, access denied) is a failure with
// `reading` set, and is not written; otherwise how the write went. Nothing
// throws for the file.
IniFileResult LoadAttachFolderSetting(const std::string& settingsPath, IniFileStore& store,
                                      std::string& folder);

// The shut-down step: key "folder" of section "options" := `folder`, also
// when empty or unchanged, other sections and keys kept. Returns how the
// write went; nothing throws for the file.
IniFileResult SaveAttachFolderSetting(const std::string& settingsPath, IniFileStore& store,
                                      const std::string& folder);

// Whether the shut-down step is to write the setting, given how the
// start-up step went (`loading`), the folder it gave (`loaded`) and the
// setting now (`current`): always, unless the file could not be read at
// start. Then the agent ran with an empty setting that is not the stored
// one, and writes only a folder the user chose during this run, never the
// empty one over the stored folder.
bool SavesAttachFolderAtEnd(const IniFileResult& loading, std::string_view loaded, std::string_view current);

// What the agent tells the user, once, when the settings file at `path`
// cannot be written: the setting works until the agent ends but is not kept.
std::string SettingsNotSavedMessage(std::string_view path);
// What the agent tells the user when the settings file at `path` exists but
// cannot be read at start: the agent runs without the setting and leaves
// the file as it is.
std::string SettingsNotReadMessage(std::string_view path);
// The one of the two that fits a failed step.
std::string SettingsFailureMessage(const IniFileResult& result);
