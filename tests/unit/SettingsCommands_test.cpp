// The settings and shell commands' texts and paths.
#include "agent/SettingsCommands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AttachFolderConfirmation, ShowsTheFolderOnTheThirdLineAfterLineFeedsOnly) {
  EXPECT_EQ(AttachFolderConfirmation("C:\\Mail\\Attach"), "添付フォルダを変更していいですか？\n\nC:\\Mail\\Attach");
  EXPECT_EQ(AttachFolderConfirmation("D:\\"), "添付フォルダを変更していいですか？\n\nD:\\");
  EXPECT_EQ(AttachFolderConfirmation("C:\\ソフト\\表"), "添付フォルダを変更していいですか？\n\nC:\\ソフト\\表");
  EXPECT_EQ(AttachFolderConfirmation("x").find('\r'), std::string::npos);
}

TEST(StartUpShortcutPath, IsInTheStartUpFolderOrNothingWhenItIsUnknown) {
  EXPECT_EQ(StartUpShortcutPath("C:\\Users\\u\\Start Menu\\Programs\\Startup"),
            "C:\\Users\\u\\Start Menu\\Programs\\Startup\\Sorvikへのショートカット.lnk");
  EXPECT_EQ(StartUpShortcutPath("C:\\ソフト"), "C:\\ソフト\\Sorvikへのショートカット.lnk");
  // Unknown: not "\Sorvikへのショートカット.lnk" at the root of the current drive.
  EXPECT_EQ(StartUpShortcutPath(""), std::nullopt);
}

TEST(HelpPagePath, IsBesideTheExecutable) {
  struct Case {
    const char* executable;
    const char* help;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Sorvik\\Sorvik.exe", "C:\\Program Files\\Sorvik\\help.htm"},
      {"C:\\ソ\\Sorvik.exe", "C:\\ソ\\help.htm"},  // 0x5C in ソ is no separator
      {"C:Sorvik.exe", "C:help.htm"},
      {"Sorvik.exe", "help.htm"},
      {"", "help.htm"},
  };
  for (const Case& c : cases) EXPECT_EQ(HelpPagePath(c.executable), c.help) << c.executable;
}

}  // namespace
