// The settings' start-up and shut-down steps on real files, the folder
// test, and the paths derived with the system's lead bytes.
#include "agent/AgentSettings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "components/IniFile_win.h"
#include "tests/unit/SettingsScratch_win.h"

namespace {

using namespace settings_test;

class SettingsSteps : public ::testing::Test {
 protected:
  IniFileResult Load(std::string& folder) {
    AgentSettings settings;
    settings.attachFolder = folder;
    const IniFileResult result = LoadAgentSettings(path, SystemIniFileStore(), settings);
    folder = settings.attachFolder;
    return result;
  }
  IniFileResult Save(const std::string& folder) {
    AgentSettings settings;
    settings.attachFolder = folder;
    return SaveAgentSettings(path, SystemIniFileStore(), settings);
  }

  ScratchFolder folder{"SorvikAttachTest"};
  const std::string path = folder / "Sorvik.INI";
};

TEST_F(SettingsSteps, FirstStartLeavesAnEmptyFileAndTheFirstEndThreeLines) {
  std::string attach = "stale";
  EXPECT_TRUE(Load(attach).ok);
  EXPECT_EQ(attach, "");
  EXPECT_EQ(FileBytes(path), "");

  EXPECT_TRUE(Save(attach).ok);
  EXPECT_EQ(FileBytes(path), "[options]\r\nfolder=\r\n\r\n");
  EXPECT_FALSE(Exists(IniTemporaryPath(path)));
}

TEST_F(SettingsSteps, ACommentLineIsGoneAfterTheNextStart) {
  ASSERT_TRUE(PutFile(path, "; where the host saves attachments\r\n[options]\r\n;old=1\r\nfolder=C:\\Mail\\Attach\r\n"));
  std::string attach;
  EXPECT_TRUE(Load(attach).ok);
  EXPECT_EQ(attach, "C:\\Mail\\Attach");
  EXPECT_EQ(FileBytes(path), "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n");
}

TEST_F(SettingsSteps, OtherSectionsSurviveStartAndEnd) {
  ASSERT_TRUE(PutFile(path, "[before]\r\na=1\r\n[options]\r\nfolder=C:\\Old\r\nextra=2\r\n[after]\r\nno key line\r\n"));
  std::string attach;
  ASSERT_TRUE(Load(attach).ok);
  EXPECT_TRUE(Save("D:\\New").ok);
  EXPECT_EQ(FileBytes(path),
            "[before]\r\na=1\r\n\r\n[options]\r\nfolder=D:\\New\r\nextra=2\r\n\r\n[after]\r\nno key line\r\n\r\n");
}

TEST_F(SettingsSteps, AJapaneseFolderWithEqualsRoundTripsByteForByte) {
  const std::string japanese = "C:\\メール\\表ソ=添付";
  EXPECT_TRUE(Save(japanese).ok);
  EXPECT_EQ(FileBytes(path), "[options]\r\nfolder=" + japanese + "\r\n\r\n");
  std::string attach;
  EXPECT_TRUE(Load(attach).ok);
  EXPECT_EQ(attach, japanese);
  EXPECT_EQ(FileBytes(path), "[options]\r\nfolder=" + japanese + "\r\n\r\n");
}

TEST_F(SettingsSteps, AFileThatCanBeReadButNotReplacedKeepsTheSettingInMemory) {
  const std::string stored = "[options]\r\nfolder=C:\\Mail\\Attach\r\n";
  ASSERT_TRUE(PutFile(path, stored));
  const UniqueHandle holder = HoldSharingReadOnly(path);
  ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);

  std::string attach;
  IniFileResult loaded;
  ASSERT_NO_THROW(loaded = Load(attach));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.path, path);
  EXPECT_EQ(attach, "C:\\Mail\\Attach");

  IniFileResult saved;
  ASSERT_NO_THROW(saved = Save("D:\\Changed"));
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(FileBytes(path), stored);
  EXPECT_FALSE(Exists(IniTemporaryPath(path)));
}

TEST_F(SettingsSteps, AnUnusableSettingsPathIsReportedWithItsPathNotThrown) {
  struct Case { const char* what; bool folderAtPath; };
  for (const Case c : {Case{"a folder stands at the path", true}, Case{"held open without sharing", false}}) {
    UniqueHandle holder;
    if (c.folderAtPath) {
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << c.what;
    } else {
      ASSERT_TRUE(PutFile(path, "[options]\r\nfolder=C:\\Old\r\n")) << c.what;
      holder = HoldWithoutSharing(path);
      ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE) << c.what;
    }
    std::string attach = "stale";
    IniFileResult loaded;
    ASSERT_NO_THROW(loaded = Load(attach)) << c.what;
    EXPECT_FALSE(loaded.ok) << c.what;
    EXPECT_EQ(loaded.path, path) << c.what;
    EXPECT_EQ(attach, "") << c.what;
    IniFileResult saved;
    ASSERT_NO_THROW(saved = Save("D:\\Changed")) << c.what;
    EXPECT_FALSE(saved.ok) << c.what;
    EXPECT_EQ(saved.path, path) << c.what;
    EXPECT_FALSE(Exists(IniTemporaryPath(path))) << c.what;

    holder.reset();
    if (c.folderAtPath) {
      EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << c.what;
      RemoveDirectoryA(path.c_str());
    } else {
      EXPECT_EQ(FileBytes(path), "[options]\r\nfolder=C:\\Old\r\n") << c.what;
      DeleteFileA(path.c_str());
    }
  }
}

TEST(SettingsFileOfThisProgram, LivesBesideTheExecutableInAnIniFile) {
  char executable[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, executable, sizeof executable), 4u);
  std::string expected = executable;
  ASSERT_EQ(expected.substr(expected.size() - 4), ".exe");
  expected = expected.substr(0, expected.size() - 4) + ".INI";
  EXPECT_EQ(SettingsFilePath(), expected);

  DeleteFileA(expected.c_str());
  AgentSettings settings;
  settings.attachFolder = "stale";
  EXPECT_TRUE(LoadSettingsFile(settings).ok);
  EXPECT_EQ(settings.attachFolder, "");
  settings.attachFolder = "C:\\Mail\\Attach";
  EXPECT_TRUE(SaveSettingsFile(settings).ok);
  EXPECT_EQ(FileBytes(expected), "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n");
  DeleteFileA(expected.c_str());
}

TEST(IsExistingFolder, OnlyAnExistingDirectoryCounts) {
  ScratchFolder scratch{"SorvikFolderTest"};
  ASSERT_TRUE(PutFile(scratch / "file.txt", "x"));
  struct Case { std::string path; bool folder; };
  const Case cases[] = {
      {scratch.Path(), true},
      {scratch.Path() + "\\", true},
      {"C:\\", true},
      {scratch / "file.txt", false},
      {scratch / "missing", false},
      {scratch / "missing\\deeper", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsExistingFolder(c.path), c.folder) << c.path;
}

TEST(HostPathsOfTheSetting, FollowTheSystemCodePage) {
  ASSERT_EQ(GetACP(), 932u) << "the tests run in a Japanese Wine prefix";
  struct Case { const char* folder; const char* executable; const char* friendBook; };
  const Case cases[] = {
      {"C:\\Mail\\Attach", "C:\\Mail\\mochiru20.exe", "C:\\Mail\\おともだち帳"},
      {"C:\\Mail\\表", "C:\\Mail\\mochiru20.exe", "C:\\Mail\\おともだち帳"},
      {"C:\\ソ", "C:\\mochiru20.exe", "C:\\おともだち帳"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HostExecutablePath(c.folder), c.executable) << c.folder;
    EXPECT_EQ(FriendBookPath(c.folder), c.friendBook) << c.folder;
  }
}

}  // namespace
