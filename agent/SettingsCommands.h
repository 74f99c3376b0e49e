// The settings and shell commands of the tray menu, decided without Win32:
// the texts they show and the paths they use. SettingsCommands_win.h runs
// them. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The attachment folder change is confirmed in a box with this caption and
// this text, which ends in the chosen folder after an empty line (line
// feeds only).
inline constexpr char kSettingsCaption[] = "Sorvik";
std::string AttachFolderConfirmation(std::string_view folder);

// The start-up shortcut in the start-up folder `startupFolder`; nothing
// when the folder is not known (empty), since the bare file name would put
// the shortcut at the root of the current drive.
std::optional<std::string> StartUpShortcutPath(std::string_view startupFolder);
// What the user is told when the start-up folder is not known.
inline constexpr char kStartUpFolderUnknownMessage[] =
    "スタートアップフォルダがわからないため、スタートアップへ登録できませんでした。";

// The help page beside the agent's executable at `executablePath`.
std::string HelpPagePath(std::string_view executablePath);

// What the user is told when the host's executable is not beside the
// attachment folder (the box has an empty caption).
inline constexpr char kHostMissingMessage[] =
    "モチルがみつかりません。添付書類フォルダの設定を正しく行ってください";
