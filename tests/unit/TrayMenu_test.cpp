// The tray menu's fixed items: every command reachable once, each by a key
// of its own within its menu, and the anchor of the host window entries
// last.
#include "agent/TrayMenu.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The accelerator of a caption: the character after its one "&", upper-cased.
std::vector<char> Accelerators(const std::string& caption) {
  std::vector<char> keys;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == '&') keys.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(caption[++i]))));
  }
  return keys;
}

TEST(TrayMenuItems, EachMenuGivesEveryItemAKeyOfItsOwn) {
  // A menu is the top level or one submenu, named by its submenu's caption.
  std::map<std::string, std::set<char>> keysByMenu;
  std::string menu = "top";
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.level == 0) menu = "top";
    if (item.kind == TrayItemKind::Separator) {
      EXPECT_EQ(item.caption, nullptr) << item.name;
      continue;
    }
    ASSERT_NE(item.caption, nullptr) << item.name;
    const std::vector<char> keys = Accelerators(item.caption);
    ASSERT_EQ(keys.size(), 1u) << item.name << ": " << item.caption;
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(keys[0]))) << item.name;
    EXPECT_TRUE(keysByMenu[menu].insert(keys[0]).second)
        << item.name << " shares its key " << keys[0] << " in menu " << menu;
    if (item.kind == TrayItemKind::Submenu) menu = item.caption;
  }
  // The host window entries use digits, which no fixed top-level item takes.
  for (char key : keysByMenu["top"]) EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(key)));
}

TEST(TrayMenuItems, SendEachCommandOnceFromInsideASubmenuOrTheTopLevel) {
  const std::set<unsigned> expected = {cmdToCopy,     cmdFromCopy,     cmdAllReplay,    cmdForward,
                                       cmdReplayMailer, cmdAllReplayMailer, cmdSendPaste, cmdFriendsPaste,
                                       cmdFriendsCopy, cmdMochiru,     cmdAttachFolder, cmdStartUp,
                                       cmdHelp,       cmdExit};
  std::multiset<unsigned> seen;
  int level = 0;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.kind == TrayItemKind::Command) seen.insert(item.command);
    if (item.kind == TrayItemKind::Submenu) {
      EXPECT_EQ(item.command, 0u) << item.name;
    }
    // A level-1 item only right after a submenu or another level-1 item.
    if (item.level == 1) {
      EXPECT_TRUE(level == 1 || level == 2) << item.name;
    }
    level = item.kind == TrayItemKind::Submenu ? 2 : item.level;
  }
  EXPECT_EQ(std::set<unsigned>(seen.begin(), seen.end()), expected);
  EXPECT_EQ(seen.size(), expected.size()) << "a command appears twice";
}

TEST(TrayMenuItems, EndWithTheAnchorOfTheHostWindowEntries) {
  const auto items = TrayMenuItems();
  ASSERT_FALSE(items.empty());
  const TrayMenuItem& last = items.back();
  EXPECT_EQ(last.kind, TrayItemKind::Separator);
  EXPECT_EQ(last.level, 0);
  EXPECT_EQ(last.command, kDelimiteId);
  // The entries' identifiers come after every fixed one.
  for (const TrayMenuItem& item : items) EXPECT_LT(item.command, static_cast<unsigned>(cmdWindowItemFirst)) << item.name;
}

}  // namespace
