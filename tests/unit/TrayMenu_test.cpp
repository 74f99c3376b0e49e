// The tray menu's table: every command reachable once, each by a key of
// its own within its menu and each with a handler of its own, and the
// anchor of the host window entries last.
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
      EXPECT_EQ(item.caption, nullptr) << "a separator has no caption";
      continue;
    }
    ASSERT_NE(item.caption, nullptr) << "an item after " << menu << " has no caption";
    const std::vector<char> keys = Accelerators(item.caption);
    ASSERT_EQ(keys.size(), 1u) << item.caption;
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(keys[0]))) << item.caption;
    EXPECT_TRUE(keysByMenu[menu].insert(keys[0]).second)
        << item.caption << " shares its key " << keys[0] << " in menu " << menu;
    if (item.kind == TrayItemKind::Submenu) menu = item.caption;
  }
  // The host window entries use digits, which no fixed top-level item takes.
  for (char key : keysByMenu["top"]) EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(key)));
}

TEST(TrayMenuItems, SendEachCommandOnceFromInsideASubmenuOrTheTopLevel) {
  const std::set<unsigned> expected = {cmdCopyRecipients,  cmdCopySender,      cmdReplyToAll,
                                       cmdForward,         cmdReplyInMailer,   cmdReplyToAllInMailer,
                                       cmdPasteFriendsAsRecipients,            cmdPasteFriends,
                                       cmdCopyFriends,     cmdStartHost,       cmdSetAttachFolder,
                                       cmdRegisterStartUp, cmdHelp,            cmdExit};
  std::multiset<unsigned> seen;
  int level = 0;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.kind == TrayItemKind::Command) seen.insert(item.command);
    if (item.kind == TrayItemKind::Submenu) {
      EXPECT_EQ(item.command, 0u) << item.caption;
      EXPECT_EQ(item.level, 0) << item.caption;
      EXPECT_NE(item.submenu, TraySubmenu::None) << item.caption;
    }
    // A level-1 item only right after a submenu or another level-1 item.
    if (item.level == 1) {
      EXPECT_TRUE(level == 1 || level == 2) << (item.caption ? item.caption : "a separator");
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
  EXPECT_EQ(last.command, kWindowEntriesAnchorId);
  // The entries' identifiers come after every fixed one.
  for (const TrayMenuItem& item : items) EXPECT_LT(item.command, static_cast<unsigned>(cmdWindowItemFirst));
}

// Records which handler ran. A handler missing here does not compile.
class Recorder : public TrayCommandHandlers {
 public:
  std::vector<std::string> calls;
  void CopyRecipients() override { calls.push_back("CopyRecipients"); }
  void CopySender() override { calls.push_back("CopySender"); }
  void ReplyToAll() override { calls.push_back("ReplyToAll"); }
  void Forward() override { calls.push_back("Forward"); }
  void ReplyInMailer() override { calls.push_back("ReplyInMailer"); }
  void ReplyToAllInMailer() override { calls.push_back("ReplyToAllInMailer"); }
  void PasteFriendsAsRecipients() override { calls.push_back("PasteFriendsAsRecipients"); }
  void PasteFriends() override { calls.push_back("PasteFriends"); }
  void CopyFriends() override { calls.push_back("CopyFriends"); }
  void StartHost() override { calls.push_back("StartHost"); }
  void SetAttachFolder() override { calls.push_back("SetAttachFolder"); }
  void RegisterStartUp() override { calls.push_back("RegisterStartUp"); }
  void OpenHelp() override { calls.push_back("OpenHelp"); }
  void Exit() override { calls.push_back("Exit"); }
};

TEST(TrayMenuItems, GiveEveryCommandAHandlerOfItsOwnAndNothingElseOne) {
  Recorder recorder;
  TrayCommandHandlers& handlers = recorder;
  std::set<std::string> ran;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.kind != TrayItemKind::Command) {
      EXPECT_EQ(item.handler, nullptr) << (item.caption ? item.caption : "a separator");
      EXPECT_FALSE(item.mailCommand);
      continue;
    }
    ASSERT_NE(item.handler, nullptr) << item.caption << " has no handler";
    recorder.calls.clear();
    (handlers.*item.handler)();
    ASSERT_EQ(recorder.calls.size(), 1u) << item.caption;
    EXPECT_TRUE(ran.insert(recorder.calls[0]).second) << item.caption << " runs the handler of another command";
  }
}

TEST(FindTrayCommand, FindsEachCommandByItsIdentifierAndNothingElse) {
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.kind != TrayItemKind::Command) continue;
    EXPECT_EQ(FindTrayCommand(item.command), &item) << item.caption;
  }
  for (unsigned id : {0u, 1000u, 1007u, 1099u, static_cast<unsigned>(cmdWindowItemFirst), 65535u}) {
    EXPECT_EQ(FindTrayCommand(id), nullptr) << id;
  }
}

// The mail commands are the commands of the three submenus that work on the
// host's mails; the soak runs each of them in turn.
TEST(MailCommandAt, ListsTheMailCommandsInMenuOrder) {
  const std::vector<MenuCommand> expected = {cmdCopyRecipients, cmdCopySender,     cmdReplyToAll,
                                             cmdForward,        cmdReplyInMailer,  cmdReplyToAllInMailer,
                                             cmdPasteFriendsAsRecipients, cmdPasteFriends, cmdCopyFriends};
  ASSERT_EQ(MailCommandCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < MailCommandCount(); ++i) EXPECT_EQ(MailCommandAt(i), expected[i]) << i;
}

}  // namespace
