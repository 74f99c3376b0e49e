#include "agent/TrayMenu.h"

namespace {

using K = TrayItemKind;

constexpr TrayMenuItem kItems[] = {
    {"R1", 0, K::Submenu, "受信簿(&R)", 0},
    {"MenuItemToCopy", 1, K::Command, "受取人コピー(&T)", cmdToCopy},
    {"MenuItemFromCopy", 1, K::Command, "差出人コピー(&F)", cmdFromCopy},
    {"N5", 1, K::Separator, nullptr, 0},
    {"MenuItemAllReplay", 1, K::Command, "全員に返信(&A)", cmdAllReplay},
    {"MenuItemForward", 1, K::Command, "転送する(&W)", cmdForward},
    {"N4", 1, K::Separator, nullptr, 0},
    {"MenuItemReplayMailer", 1, K::Command, "標準メーラーで返信(&R)", cmdReplayMailer},
    {"MenuItemAllReplayMailer", 1, K::Command, "標準メーラーで全員に返信(&M)", cmdAllReplayMailer},
    {"N1", 0, K::Submenu, "メル書き(&W)", 0},
    {"MenuItemSendPaste", 1, K::Command, "宛先貼り(&T)", cmdSendPaste},
    {"F1", 0, K::Submenu, "友達帳(&F)", 0},
    {"MenuItemFriendsPaste", 1, K::Command, "宛名貼り(&V)", cmdFriendsPaste},
    {"MenuItemFriendsCopy", 1, K::Command, "コピーだけ(&C)", cmdFriendsCopy},
    {"N2", 0, K::Submenu, "そのほか(&Z)", 0},
    {"MenuItemMochiru", 1, K::Command, "モチル起動(&P)", cmdMochiru},
    {"N3", 0, K::Separator, nullptr, 0},
    {"S1", 0, K::Submenu, "設定(&S)", 0},
    {"MenuItemAttachFolder", 1, K::Command, "添付フォルダの設定(&F)", cmdAttachFolder},
    {"MenuItemStartUp", 1, K::Command, "スタートアップへ登録(&S)", cmdStartUp},
    {"MenuItemHelp", 0, K::Command, "ヘルプ(&H)", cmdHelp},
    {"MenuItemExit", 0, K::Command, "終了(&X)", cmdExit},
    {"delimite", 0, K::Separator, nullptr, kDelimiteId},
};

}  // namespace

std::span<const TrayMenuItem> TrayMenuItems() { return kItems; }
