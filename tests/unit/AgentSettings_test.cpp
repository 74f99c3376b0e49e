// The agent's settings: the paths derived from the attachment folder, the
// settings file's path, and the start-up and shut-down steps over a store
// in memory.
#include "agent/AgentSettings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "tests/unit/MemoryIniStore.h"

namespace {

TEST(ParentFolder, IsThePartUpToTheLastSeparatorFoundCharacterByCharacter) {
  struct Case { const char* path; const char* parent; };
  const Case cases[] = {
      {"C:\\Mail\\Attach", "C:\\Mail\\"},
      {"C:\\Mail\\Attach\\", "C:\\Mail\\Attach\\"},  // a trailing separator is the parent
      {"C:\\", "C:\\"},
      {"C:", "C:"},
      {"C:Attach", "C:"},
      {"\\\\server\\share\\Attach", "\\\\server\\share\\"},
      {"C:\\Mail\\ソ", "C:\\Mail\\"},           // ソ is 0x83 0x5C
      {"C:\\Mail\\表", "C:\\Mail\\"},           // 表 is 0x95 0x5C
      {"C:\\ソ\\表\\添付", "C:\\ソ\\表\\"},
      {"C:\\Mail\\ｱ\\x", "C:\\Mail\\ｱ\\"},      // half-width katakana is single-byte
      {"C:\\a\\\x83", "C:\\a\\"},                // a lead byte cut off at the end
      {"Attach", ""},
      {"表", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ParentFolder(c.path), c.parent) << c.path;
}

TEST(HostPaths, LieInTheParentFolderOfTheAttachmentFolder) {
  struct Case { const char* folder; const char* executable; const char* friendBook; };
  const Case cases[] = {
      {"C:\\Mail\\Attach", "C:\\Mail\\mochiru20.exe", "C:\\Mail\\おともだち帳"},
      {"C:\\Mail\\Attach\\", "C:\\Mail\\Attach\\mochiru20.exe", "C:\\Mail\\Attach\\おともだち帳"},
      {"D:\\", "D:\\mochiru20.exe", "D:\\おともだち帳"},
      {"C:\\モチル\\表", "C:\\モチル\\mochiru20.exe", "C:\\モチル\\おともだち帳"},
      {"", "mochiru20.exe", "おともだち帳"},  // unset: relative to the current folder
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HostExecutablePath(c.folder), c.executable) << c.folder;
    EXPECT_EQ(FriendBookPath(c.folder), c.friendBook) << c.folder;
  }
}

TEST(SettingsPathFor, ReplacesTheExtensionOfTheFileNameOnly) {
  struct Case { const char* executable; const char* settings; };
  const Case cases[] = {
      {"C:\\Program Files\\Sorvik\\Sorvik.exe", "C:\\Program Files\\Sorvik\\Sorvik.INI"},
      {"C:\\App\\Sorvik.EXE", "C:\\App\\Sorvik.INI"},
      {"C:\\App\\Sorvik.v2.exe", "C:\\App\\Sorvik.v2.INI"},   // only the last dot
      {"C:\\App\\Sorvik", "C:\\App\\Sorvik.INI"},             // no extension
      {"C:\\My.Apps\\Sorvik", "C:\\My.Apps\\Sorvik.INI"},     // a dot in a folder name
      {"C:\\My.Apps\\Sorvik.exe", "C:\\My.Apps\\Sorvik.INI"},
      {"C:Sorvik.exe", "C:Sorvik.INI"},
      {"C:\\a.b\\So.表x", "C:\\a.b\\So.INI"},  // the 0x5C in 表 is no separator
      {"C:\\ソフト\\Sorvik.exe", "C:\\ソフト\\Sorvik.INI"},
  };
  for (const Case& c : cases) EXPECT_EQ(SettingsPathFor(c.executable), c.settings) << c.executable;
}

constexpr char kPath[] = "C:\\App\\Sorvik.INI";

// The steps for the attachment folder alone, the other settings empty.
AgentSettings WithFolder(const std::string& folder) {
  AgentSettings settings;
  settings.attachFolder = folder;
  return settings;
}
IniFileResult LoadFolder(MemoryStore& store, std::string& folder) {
  AgentSettings settings = WithFolder(folder);
  const IniFileResult result = LoadAgentSettings(kPath, store, settings);
  folder = settings.attachFolder;
  return result;
}
IniFileResult SaveFolder(MemoryStore& store, const std::string& folder) {
  return SaveAgentSettings(kPath, store, WithFolder(folder));
}
bool SavesFolderAtEnd(const IniFileResult& loading, const std::string& loaded, const std::string& current) {
  return SavesSettingsAtEnd(loading, WithFolder(loaded), WithFolder(current));
}

// Every setting survives a run: saved, then loaded by the next start. The
// binding below names every field; a new field fails to compile here until
// it is given a value of its own, and fails the test until kSettingKeys
// keeps it.
TEST(AgentSettings, EverySettingIsKeptInTheFile) {
  AgentSettings saved;
  auto& [attachFolder] = saved;
  attachFolder = "C:\\Mail\\添付";
  MemoryStore store;
  ASSERT_TRUE(SaveAgentSettings(kPath, store, saved).ok);
  AgentSettings loaded;
  ASSERT_TRUE(LoadAgentSettings(kPath, store, loaded).ok);
  EXPECT_TRUE(loaded == saved) << "a setting was not kept; the file holds:\n" << store.files[kPath];
  // Each setting has a key of its own (the file's names ignore case).
  const auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  std::set<std::string> keys;
  for (const SettingKey& key : kSettingKeys) {
    EXPECT_TRUE(keys.insert(lower(key.section) + "/" + lower(key.key)).second) << key.section << "/" << key.key;
  }
}

TEST(LoadAgentSettings, ReadsTheFolderAndWritesTheFileBack) {
  struct Case { const char* what; const char* before; const char* folder; const char* after; };
  const Case cases[] = {
      {"first start: an empty file is left", nullptr, "", ""},
      {"stored folder", "[options]\r\nfolder=C:\\Mail\\Attach\r\n", "C:\\Mail\\Attach",
       "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n"},
      {"comment and empty lines are gone", ";my folder\r\n\r\n[options]\r\n;old\r\nfolder=D:\\x\r\n",
       "D:\\x", "[options]\r\nfolder=D:\\x\r\n\r\n"},
      {"key in another case", "[OPTIONS]\nFolder=E:\\y\n", "E:\\y", "[OPTIONS]\r\nFolder=E:\\y\r\n\r\n"},
      {"no key: empty", "[other]\r\nfolder=nope\r\n", "", "[other]\r\nfolder=nope\r\n\r\n"},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    if (c.before != nullptr) store.files[kPath] = c.before;
    std::string folder = "stale";
    const IniFileResult result = LoadFolder(store, folder);
    EXPECT_TRUE(result.ok) << c.what;
    EXPECT_EQ(folder, c.folder) << c.what;
    EXPECT_EQ(store.files[kPath], c.after) << c.what;
  }
}

TEST(LoadAgentSettings, ReportsAFileItCannotWriteWithoutThrowing) {
  MemoryStore store;
  store.files[kPath] = "[options]\r\nfolder=C:\\Mail\\Attach\r\n";
  store.writeError = 5;
  std::string folder;
  IniFileResult result;
  EXPECT_NO_THROW(result = LoadFolder(store, folder));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.reading);
  EXPECT_EQ(result.path, kPath);
  EXPECT_EQ(folder, "C:\\Mail\\Attach");  // the agent still has its setting
}

TEST(LoadAgentSettings, LeavesAFileItCannotReadAlone) {
  MemoryStore store;
  store.files[kPath] = "[options]\r\nfolder=C:\\Mail\\Attach\r\n";
  store.readError = 32;
  std::string folder = "stale";
  const IniFileResult result = LoadFolder(store, folder);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.reading);
  EXPECT_EQ(result.path, kPath);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(store.writes, 0);
}

TEST(SaveAgentSettings, StoresTheFolderAndKeepsTheRest) {
  struct Case { const char* what; const char* before; const char* folder; const char* after; };
  const Case cases[] = {
      {"empty folder after a first start", "", "", "[options]\r\nfolder=\r\n\r\n"},
      {"no file at all", nullptr, "C:\\Mail\\Attach", "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n"},
      {"unchanged folder is written all the same", "[options]\r\nfolder=C:\\A\r\n", "C:\\A",
       "[options]\r\nfolder=C:\\A\r\n\r\n"},
      {"other sections and keys survive",
       "[top]\r\na=1\r\n[options]\r\nx=2\r\nfolder=old\r\ny=3\r\n[tail]\r\nb\r\n", "C:\\new",
       "[top]\r\na=1\r\n\r\n[options]\r\nx=2\r\nfolder=C:\\new\r\ny=3\r\n\r\n[tail]\r\nb\r\n\r\n"},
      {"a new key goes to the end of the section", "[options]\r\nx=2\r\n[tail]\r\n", "C:\\new",
       "[options]\r\nx=2\r\nfolder=C:\\new\r\n\r\n[tail]\r\n\r\n"},
      {"Japanese and = byte for byte", "", "C:\\表\\ソ=添付",
       "[options]\r\nfolder=C:\\表\\ソ=添付\r\n\r\n"},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    if (c.before != nullptr) store.files[kPath] = c.before;
    const IniFileResult result = SaveFolder(store, c.folder);
    EXPECT_TRUE(result.ok) << c.what;
    EXPECT_EQ(store.files[kPath], c.after) << c.what;
  }
}

TEST(SaveAgentSettings, ReportsFailuresWithThePathWithoutThrowing) {
  struct Case { const char* what; std::uint32_t readError; std::uint32_t writeError; const char* folder; };
  const Case cases[] = {
      {"the file cannot be written", 0, 5, "C:\\Mail"},
      {"the file cannot be read", 32, 0, "C:\\Mail"},
      {"a folder the format cannot hold", 0, 0, "C:\\Mail\r\n[x]"},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    store.files[kPath] = "[options]\r\nfolder=old\r\n";
    store.readError = c.readError;
    store.writeError = c.writeError;
    IniFileResult result;
    EXPECT_NO_THROW(result = SaveFolder(store, c.folder)) << c.what;
    EXPECT_FALSE(result.ok) << c.what;
    EXPECT_EQ(result.path, kPath) << c.what;
    EXPECT_EQ(store.files[kPath], "[options]\r\nfolder=old\r\n") << c.what;
  }
}

// The start-up and shut-down steps of one run over a file that another
// program holds while the agent starts and lets go of before it ends.
TEST(AgentSettingsSteps, AFileThatCouldNotBeReadAtStartIsWrittenAtTheEndOnlyWithAFolderTheUserChose) {
  const std::string stored = "[options]\r\nfolder=C:\\Mail\\Attach\r\n[other]\r\nkey=1\r\n";
  struct Case { const char* what; std::uint32_t readError; const char* chosen; const char* after; };
  const Case cases[] = {
      {"held at start, nothing chosen: the stored folder stays", 32, nullptr, nullptr},
      {"access denied at start, nothing chosen: the stored folder stays", 5, nullptr, nullptr},
      {"held at start, a folder chosen: it is stored, the rest kept", 32, "D:\\New",
       "[options]\r\nfolder=D:\\New\r\n\r\n[other]\r\nkey=1\r\n\r\n"},
      {"read at start: the end writes as always", 0, nullptr,
       "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n[other]\r\nkey=1\r\n\r\n"},
      {"read at start, a folder chosen", 0, "D:\\New", "[options]\r\nfolder=D:\\New\r\n\r\n[other]\r\nkey=1\r\n\r\n"},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    store.files[kPath] = stored;
    store.readError = c.readError;
    std::string folder;
    const IniFileResult loading = LoadFolder(store, folder);
    EXPECT_EQ(loading.ok, c.readError == 0) << c.what;
    EXPECT_EQ(loading.reading, c.readError != 0) << c.what;
    const std::string loaded = folder;
    store.readError = 0;  // the other program lets go
    if (c.chosen != nullptr) folder = c.chosen;
    if (SavesFolderAtEnd(loading, loaded, folder)) {
      EXPECT_TRUE(SaveFolder(store, folder).ok) << c.what;
    }
    EXPECT_EQ(store.files[kPath], c.after != nullptr ? c.after : stored) << c.what;
  }
}

TEST(SavesSettingsAtEnd, SkipsOnlyAnUnchangedSettingAfterAFailedRead) {
  IniFileResult read;
  IniFileResult notRead;
  notRead.ok = false;
  notRead.reading = true;
  IniFileResult notWritten;
  notWritten.ok = false;
  struct Case { const char* what; const IniFileResult& loading; const char* loaded; const char* current; bool saves; };
  const Case cases[] = {
      {"read, unchanged", read, "C:\\A", "C:\\A", true},
      {"read, empty and unchanged", read, "", "", true},
      {"read, changed", read, "C:\\A", "C:\\B", true},
      {"not written at start, unchanged", notWritten, "C:\\A", "C:\\A", true},
      {"not read, unchanged", notRead, "", "", false},
      {"not read, a folder chosen", notRead, "", "C:\\B", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SavesFolderAtEnd(c.loading, c.loaded, c.current), c.saves) << c.what;
}

TEST(SettingsFailureMessage, TellsAFailedReadFromAFailedWriteAndNamesThePath) {
  const std::string path = "C:\\ソフト\\表\\Sorvik.INI";
  IniFileResult failure;
  failure.ok = false;
  failure.path = path;
  failure.reading = true;
  const std::string notRead = SettingsFailureMessage(failure);
  EXPECT_NE(notRead.find("読み込めませんでした"), std::string::npos) << notRead;
  EXPECT_NE(notRead.find("\n" + path + "\n"), std::string::npos) << notRead;
  failure.reading = false;
  const std::string notWritten = SettingsFailureMessage(failure);
  EXPECT_NE(notWritten.find("書き込めませんでした"), std::string::npos) << notWritten;
  EXPECT_NE(notWritten.find("\n" + path + "\n"), std::string::npos) << notWritten;
}

TEST(SettingsNotSavedMessage, NamesThePathByteForByte) {
  const std::string path = "C:\\ソフト\\表\\Sorvik.INI";
  const std::string message = SettingsNotSavedMessage(path);
  EXPECT_NE(message.find("\n" + path + "\n"), std::string::npos) << message;
}

}  // namespace
