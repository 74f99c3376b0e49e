// The agent's settings: what it keeps between runs in the settings file
// beside its executable. They are one value, AgentSettings, owned by the
// main form: loaded at start-up, changed in memory by the commands and
// saved when the agent ends, in one place (AgentSettings_win.h). Portable:
// the file is reached through an IniFileStore.
//
// A new setting is one field of AgentSettings and one row of kSettingKeys,
// with its tests (AgentSettings_test.cpp lists the fields, so that a field
// the file does not keep fails there).
#pragma once

#include <string>
#include <string_view>

#include "components/IniFile.h"

struct AgentSettings {
  // The folder into which the host saves the attachments of received mail,
  // as the folder dialog returns it: a full path without a trailing
  // separator, except for a drive root; empty when unset. Its parent folder
  // is taken to be the host's installation folder.
  std::string attachFolder;

  friend bool operator==(const AgentSettings&, const AgentSettings&) = default;
};

// Where each setting is kept in the file: its section and key (byte for
// byte, the file outlives versions of the agent), and its field.
struct SettingKey {
  const char* section;
  const char* key;
  std::string AgentSettings::*field;
};
inline constexpr SettingKey kSettingKeys[] = {
    {"options", "folder", &AgentSettings::attachFolder},
};

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

// The start-up step: each setting := its key (empty when missing or
// unreadable), then the file is written back (so a first start leaves an
// empty file). Returns how it went: a file that exists but cannot be read
// (held by another program, access denied) is a failure with `reading`
// set, and is not written; otherwise how the write went. Nothing throws for
// the file.
IniFileResult LoadAgentSettings(const std::string& settingsPath, IniFileStore& store, AgentSettings& settings);

// The shut-down step: each key := its setting, also when empty or
// unchanged, other sections and keys kept. Returns how the write went;
// nothing throws for the file.
IniFileResult SaveAgentSettings(const std::string& settingsPath, IniFileStore& store,
                                const AgentSettings& settings);

// Whether the shut-down step is to write the settings, given how the
// start-up step went (`loading`), the settings it gave (`loaded`) and the
// settings now (`current`): always, unless the file could not be read at
// start. Then the agent ran with empty settings that are not the stored
// ones, and writes only what the user chose during this run, never the
// empty settings over the stored ones.
bool SavesSettingsAtEnd(const IniFileResult& loading, const AgentSettings& loaded, const AgentSettings& current);

// What the agent tells the user, once, when the settings file at `path`
// cannot be written: the setting works until the agent ends but is not kept.
std::string SettingsNotSavedMessage(std::string_view path);
// What the agent tells the user when the settings file at `path` exists but
// cannot be read at start: the agent runs without the setting and leaves
// the file as it is.
std::string SettingsNotReadMessage(std::string_view path);
// The one of the two that fits a failed step.
std::string SettingsFailureMessage(const IniFileResult& result);
