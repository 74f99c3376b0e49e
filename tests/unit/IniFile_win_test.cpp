// The settings file on disk: whole-file reads, and writes that leave either
// the old file or the new one, never a cut one, and no temporary behind.
#include "components/IniFile_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/SettingsScratch_win.h"

namespace {

using namespace settings_test;

// Whether a directory entry named as `path` exists, whatever it is (Wine
// reports no attributes for a link to a device).
bool IsListed(const std::string& path) {
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA(path.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

// Under Wine only: runs a Unix command on the Unix path of `windowsPath`
// ("<command> '<unix path>'") and waits until `IsListed(windowsPath)` is
// `listed`. Wine hands out no process handle for a Unix program.
bool RunUnixCommandOn(const std::string& command, const std::string& windowsPath, bool listed) {
  using UnixFileName = char*(__cdecl*)(const WCHAR*);
  const FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (proc == nullptr) return false;
  const auto toUnix = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(proc));
  WCHAR wide[MAX_PATH] = {};
  if (MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) == 0) return false;
  char* unixPath = toUnix(wide);
  if (unixPath == nullptr) return false;
  std::string commandLine = command + " \"" + unixPath + "\"";
  HeapFree(GetProcessHeap(), 0, unixPath);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  const DWORD start = GetTickCount();
  while (IsListed(windowsPath) != listed) {
    if (GetTickCount() - start > 10000) return false;
    Sleep(10);
  }
  return true;
}

// Makes `windowsPath` a link to /dev/full, where every write fails with
// ERROR_DISK_FULL, as on a full disk; and removes the link again. Wine
// cannot delete a link to a device itself.
bool LinkToFullDevice(const std::string& windowsPath) {
  return RunUnixCommandOn("/bin/ln -s /dev/full", windowsPath, true);
}
bool RemoveLink(const std::string& windowsPath) {
  return RunUnixCommandOn("/bin/rm -f", windowsPath, false);
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  ScratchFolder folder{"SorvikIniTest"};
  const std::string path = folder / "Sorvik.INI";
  const std::string temporary = IniTemporaryPath(path);
  const std::string old = "[options]\r\nfolder=C:\\Old\r\n\r\n[keep]\r\nme=1\r\n\r\n";
};

TEST_F(SettingsFileOnDisk, AMissingFileReadsEmptyAndSavingCreatesAnEmptyOne) {
  TQuoIniFile ini(path, SystemIniFileStore());
  EXPECT_TRUE(ini.ReadResult().ok);
  EXPECT_EQ(ini.Text(), "");
  EXPECT_TRUE(ini.Save().ok);
  EXPECT_EQ(FileBytes(path), "");
  EXPECT_FALSE(Exists(temporary));
}

TEST_F(SettingsFileOnDisk, SaveReplacesTheWholeFileByteForByte) {
  struct Case { const char* what; std::string before; std::string read; std::string value; std::string after; };
  const std::string longValue(10000, 'x');  // more than one read buffer
  const Case cases[] = {
      {"LF file with a comment", ";c\n[options]\nfolder=a\n[keep]\nme=1\n", "a", "C:\\表\\ソ=添付",
       "[options]\r\nfolder=C:\\表\\ソ=添付\r\n\r\n[keep]\r\nme=1\r\n\r\n"},
      {"a file longer than the read buffer", "[options]\r\nfolder=" + longValue + "\r\n", longValue, "y",
       "[options]\r\nfolder=y\r\n\r\n"},
      {"a value longer than the read buffer", old, "C:\\Old", longValue,
       "[options]\r\nfolder=" + longValue + "\r\n\r\n[keep]\r\nme=1\r\n\r\n"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(PutFile(path, c.before));
    TQuoIniFile ini(path, SystemIniFileStore());
    ASSERT_TRUE(ini.ReadResult().ok) << c.what;
    EXPECT_EQ(ini.ReadString("options", "folder", "none"), c.read) << c.what;
    ini.WriteString("options", "folder", c.value);
    EXPECT_TRUE(ini.Save().ok) << c.what;
    EXPECT_EQ(FileBytes(path), c.after) << c.what;
    EXPECT_FALSE(Exists(temporary)) << c.what;
  }
}

TEST_F(SettingsFileOnDisk, AFullDiskMidWriteIsReportedAndLeavesTheOldFile) {
  ASSERT_TRUE(PutFile(path, old));
  TQuoIniFile ini(path, SystemIniFileStore());
  ini.WriteString("options", "folder", "C:\\New");
  if (!LinkToFullDevice(temporary)) GTEST_SKIP() << "needs Wine and /dev/full";

  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(saved.failedCall, "WriteFile");
  EXPECT_EQ(saved.error, static_cast<std::uint32_t>(ERROR_DISK_FULL));
  EXPECT_EQ(FileBytes(path), old);
  // What is left at the temporary path is the device link, which Wine cannot
  // delete; a real temporary file is removed (see the failed replace below).
  EXPECT_TRUE(RemoveLink(temporary));
}

TEST_F(SettingsFileOnDisk, AFailedReplaceLeavesTheOldFileAndNoTemporary) {
  ASSERT_TRUE(PutFile(path, old));
  TQuoIniFile ini(path, SystemIniFileStore());
  ini.WriteString("options", "folder", "C:\\New");
  IniFileResult saved;
  {
    const UniqueHandle holder = HoldWithoutSharing(path);
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    saved = ini.Save();
  }
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(saved.failedCall, "MoveFileExA");
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_FALSE(Exists(temporary));
}

// The user made the file read-only: it is not replaced (Windows refuses to
// rename over it; Wine would not without our check), and the refusal is
// reported.
TEST_F(SettingsFileOnDisk, AReadOnlyFileIsReportedAndLeftAsItIs) {
  ASSERT_TRUE(PutFile(path, old));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  TQuoIniFile ini(path, SystemIniFileStore());
  ini.WriteString("options", "folder", "C:\\New");
  const IniFileResult saved = ini.Save();
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(saved.error, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_FALSE(Exists(temporary));
}

TEST_F(SettingsFileOnDisk, ALeftoverOfAnInterruptedWriteIsIgnoredAndReplaced) {
  ASSERT_TRUE(PutFile(path, old));
  ASSERT_TRUE(PutFile(temporary, "[options]\r\nfolder=C:\\Ha"));  // cut off mid-write
  TQuoIniFile ini(path, SystemIniFileStore());
  EXPECT_EQ(ini.ReadString("options", "folder", ""), "C:\\Old");
  EXPECT_TRUE(ini.Save().ok);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_FALSE(Exists(temporary));
}

TEST_F(SettingsFileOnDisk, SomethingElseStandingAtTheTemporaryPathIsLeftAlone) {
  ASSERT_TRUE(PutFile(path, old));
  ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
  TQuoIniFile ini(path, SystemIniFileStore());
  ini.WriteString("options", "folder", "C:\\New");
  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.failedCall, "CreateFileA");
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_TRUE(GetFileAttributesA(temporary.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SettingsFileOnDisk, AFileThatCouldNotBeReadIsReportedAndNeverReplaced) {
  ASSERT_TRUE(PutFile(path, old));
  UniqueHandle holder = HoldWithoutSharing(path);  // another program has it open
  ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
  TQuoIniFile ini(path, SystemIniFileStore());
  EXPECT_FALSE(ini.ReadResult().ok);
  EXPECT_EQ(ini.ReadResult().path, path);
  EXPECT_EQ(ini.ReadResult().error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ini.ReadString("options", "folder", "none"), "none");

  holder.reset();  // now the file could be replaced, but its contents are unknown
  ini.WriteString("options", "folder", "C:\\New");
  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_FALSE(Exists(temporary));
}

TEST_F(SettingsFileOnDisk, AFolderStandingAtThePathIsReportedAndLeftAlone) {
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  TQuoIniFile ini(path, SystemIniFileStore());
  EXPECT_FALSE(ini.ReadResult().ok);
  ini.WriteString("options", "folder", "C:\\New");
  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(Exists(temporary));
}

}  // namespace
