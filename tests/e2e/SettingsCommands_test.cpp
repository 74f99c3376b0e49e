// The settings and shell commands, chosen in the tray menu with the
// keyboard as a user would: the attachment folder, the start-up shortcut,
// the help page and launching the host, and the exit that keeps the
// setting.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "agent/SettingsCommands.h"
#include "hostaccess/HostIdentifiers.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/ShellRecorder.h"
#include "tests/e2e/TraySupport.h"
#include "tools/standin-host/StandinProtocol.h"

namespace {

using e2e::PumpFor;
using e2e::WaitUntil;

constexpr char kConfirmation[] = "添付フォルダを変更していいですか？";
constexpr char kHostMissing[] = "モチルがみつかりません。添付書類フォルダの設定を正しく行ってください";
constexpr char kShortcutName[] = "Sorvikへのショートカット.lnk";

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The texts of a dialog's children (a message box's text is one of them).
std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(WindowText(child));
  }
  return texts;
}

bool HasChildText(HWND dialog, const std::string& text) {
  for (const std::string& t : ChildTexts(dialog)) {
    if (t == text) return true;
  }
  return false;
}

// A message box of process `pid` with a text that contains `part`, once it
// is on the screen (its window and texts exist before it is shown and
// finished); null when none is shown.
HWND WaitForShownBox(DWORD pid, const std::string& part) {
  const HWND box = e2e::WaitForMessageBox(pid, part);
  if (box == nullptr || !WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, 5000)) return nullptr;
  return box;
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Shortcut {
  std::string target;
  std::string workingDirectory;
  std::string arguments;
};

// The shortcut file as the shell reads it; nothing when it is none.
std::optional<Shortcut> ReadShortcut(const std::string& path) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  std::optional<Shortcut> result;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
      char target[MAX_PATH] = {}, folder[MAX_PATH] = {}, arguments[MAX_PATH] = {};
      link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
      link->GetWorkingDirectory(folder, MAX_PATH);
      link->GetArguments(arguments, MAX_PATH);
      result = Shortcut{target, folder, arguments};
    }
    file->Release();
  }
  link->Release();
  return result;
}

class SettingsCommands : public e2e::TrayAgentTest {
 protected:
  void SetUp() override {
    TrayAgentTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    TrayAgentTest::TearDown();
    CoUninitialize();
  }

  std::string Ini() const { return install_.dir + "Sorvik.INI"; }
  void SetAttachFolder(const std::string& folder) {
    e2e::WriteWholeFile(Ini(), "[options]\r\nfolder=" + folder + "\r\n");
  }
  // The agent's folder browse dialog, once it is open.
  HWND WaitForFolderDialog() {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
          dialog = e2e::FindProcessWindow(agent_.Id(), "#32770");
          return dialog != nullptr && FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) != nullptr &&
                 IsWindowVisible(dialog);
        },
        10000);
    return dialog;
  }
  bool AgentHasNoDialog() { return e2e::FindProcessWindow(agent_.Id(), "#32770") == nullptr; }
  static void Press(HWND dialog, int button) { PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

  // "添付フォルダの設定(&F)" up to the question: in the folder dialog the
  // user selects the first folder under the desktop and presses OK. The
  // question's box, or null; `chosen` is the folder the question names.
  HWND ChooseFolderUpToTheQuestion(std::string& chosen) {
    Choose({'S', 'F'});
    const HWND dialog = WaitForFolderDialog();
    EXPECT_NE(dialog, nullptr) << "no folder dialog";
    if (dialog == nullptr) return nullptr;
    const HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    const LPARAM root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    const LPARAM first = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root);
    EXPECT_NE(first, 0);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    Press(dialog, IDOK);
    const HWND question = WaitForShownBox(agent_.Id(), kConfirmation);
    chosen.clear();
    if (question != nullptr) {
      for (const std::string& text : ChildTexts(question)) {
        const std::string lead = std::string(kConfirmation) + "\n\n";
        if (text.rfind(lead, 0) == 0) chosen = text.substr(lead.size());
      }
    }
    return question;
  }
};

TEST_F(SettingsCommands, TheAttachmentFolderChangesOnlyAfterConfirmationAndTheExitKeepsIt) {
  SetAttachFolder("C:\\before");
  ASSERT_NO_FATAL_FAILURE(StartAgent());

  // Cancel in the folder dialog: no question, nothing changes.
  ASSERT_NO_FATAL_FAILURE(Choose({'S', 'F'}));
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr) << "no folder dialog";
  Press(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
  PumpFor(700);
  EXPECT_TRUE(AgentHasNoDialog()) << "a question after the dialog was cancelled";

  // OK in the dialog, then Cancel in the question.
  std::string chosen;
  HWND question = ChooseFolderUpToTheQuestion(chosen);
  ASSERT_NE(question, nullptr) << "no question";
  EXPECT_EQ(WindowText(question), "Sorvik");
  // The folder on the third line, after an empty line (line feeds only):
  // the first folder under Wine's desktop is its root of the Unix file
  // system, Z:\.
  EXPECT_EQ(chosen, "Z:\\") << "the question's texts: " << ::testing::PrintToString(ChildTexts(question));
  EXPECT_TRUE(IsExistingFolder(chosen));
  e2e::WaitUntilPainted(question, GetSysColor(COLOR_BTNFACE));
  e2e::SaveEvidenceScreenshot("SettingsCommands.attachment-folder-question");
  PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
  ASSERT_NO_FATAL_FAILURE(ExitThroughTheMenu());
  EXPECT_EQ(e2e::ReadWholeFile(Ini()), "[options]\r\nfolder=C:\\before\r\n\r\n");

  // Once more, with OK to the question: the exit saves the new folder.
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  question = ChooseFolderUpToTheQuestion(chosen);
  ASSERT_NE(question, nullptr) << "no question";
  PostMessageA(question, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
  ASSERT_NO_FATAL_FAILURE(ExitThroughTheMenu());
  EXPECT_EQ(e2e::ReadWholeFile(Ini()), "[options]\r\nfolder=" + chosen + "\r\n\r\n");
}

// The settings file could not be read at start (another program held it):
// a folder the user chooses during the run is still stored at the end, and
// what else the file holds is kept.
TEST_F(SettingsCommands, AFolderChosenAfterTheFileCouldNotBeReadIsStoredAtTheEnd) {
  e2e::WriteWholeFile(Ini(), "[options]\r\nfolder=C:\\before\r\n[other]\r\nkey=value\r\n");
  HANDLE held = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  iconsBefore_ = e2e::TrayIconWindows();
  agent_ = e2e::StartAgent(install_);
  const HWND box = WaitForShownBox(agent_.Id(), "読み込めませんでした");
  CloseHandle(held);
  ASSERT_NE(box, nullptr) << "the failed read was not reported";
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  window_ = e2e::WaitForAgentWindow(agent_.Id());
  ASSERT_NE(window_, nullptr);
  icon_ = e2e::WaitForNewTrayIcon(iconsBefore_);
  ASSERT_NE(icon_, nullptr);

  std::string chosen;
  const HWND question = ChooseFolderUpToTheQuestion(chosen);
  ASSERT_NE(question, nullptr) << "no question";
  PostMessageA(question, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
  ASSERT_NO_FATAL_FAILURE(ExitThroughTheMenu());
  EXPECT_EQ(e2e::ReadWholeFile(Ini()), "[options]\r\nfolder=" + chosen + "\r\n\r\n[other]\r\nkey=value\r\n\r\n");
}

TEST_F(SettingsCommands, TheStartUpShortcutStartsTheAgentInItsFolderAndASecondOneReplacesIt) {
  char startup[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, startup)));
  const std::string shortcut = std::string(startup) + "\\" + kShortcutName;
  DeleteFileA(shortcut.c_str());
  struct Cleanup {
    std::string path;
    ~Cleanup() { DeleteFileA(path.c_str()); }
  } cleanup{shortcut};

  ASSERT_NO_FATAL_FAILURE(StartAgent());
  for (const char* round : {"first", "second, over a file that is no shortcut"}) {
    SCOPED_TRACE(round);
    ASSERT_NO_FATAL_FAILURE(Choose({'S', 'S'}));
    std::optional<Shortcut> link;
    ASSERT_TRUE(WaitUntil([&] { return (link = ReadShortcut(shortcut)).has_value(); }, 10000))
        << "no shortcut at " << shortcut;
    EXPECT_EQ(link->target, install_.exe);
    EXPECT_EQ(link->workingDirectory, install_.dir);
    EXPECT_EQ(link->arguments, "");
    EXPECT_TRUE(AgentHasNoDialog()) << "success is not announced";
    e2e::WriteWholeFile(shortcut, "not a shortcut");
  }
}

TEST_F(SettingsCommands, WithoutAStartUpFolderNoShortcutIsMadeAndTheUserIsTold) {
  // The shell cannot give the start-up folder when the one it is told of
  // does not exist.
  const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  HKEY folders = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &folders), ERROR_SUCCESS);
  char old[MAX_PATH] = {};
  DWORD oldSize = sizeof old;
  DWORD oldType = 0;
  const bool hadValue =
      RegQueryValueExA(folders, "Startup", nullptr, &oldType, reinterpret_cast<BYTE*>(old), &oldSize) == ERROR_SUCCESS;
  const char missing[] = "C:\\sorvik-no-such-folder\\Startup";
  ASSERT_EQ(RegSetValueExA(folders, "Startup", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(missing), sizeof missing),
            ERROR_SUCCESS);
  struct Restore {
    HKEY key;
    bool had;
    DWORD type;
    const char* value;
    DWORD size;
    ~Restore() {
      if (had) {
        RegSetValueExA(key, "Startup", 0, type, reinterpret_cast<const BYTE*>(value), size);
      } else {
        RegDeleteValueA(key, "Startup");
      }
      RegCloseKey(key);
    }
  } restore{folders, hadValue, oldType, old, oldSize};
  char startup[MAX_PATH] = {};
  ASSERT_FALSE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, startup)))
      << "the shell still gives " << startup;

  ASSERT_NO_FATAL_FAILURE(StartAgent());
  ASSERT_NO_FATAL_FAILURE(Choose({'S', 'S'}));
  const HWND box = WaitForShownBox(agent_.Id(), "スタートアップフォルダがわからない");
  ASSERT_NE(box, nullptr) << "the user was not told";
  EXPECT_EQ(WindowText(box), "Sorvik");
  EXPECT_TRUE(HasChildText(box, kStartUpFolderUnknownMessage)) << ::testing::PrintToString(ChildTexts(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
  // Not at the root of the agent's current drive (it runs in its own
  // folder), nor anywhere else it could have gone.
  for (const std::string& where : {install_.dir.substr(0, 3), std::string("C:\\"), install_.dir}) {
    EXPECT_FALSE(FileExists(where + kShortcutName)) << "a shortcut in " << where;
  }
  EXPECT_FALSE(FileExists(std::string(missing) + "\\" + kShortcutName));
}

TEST_F(SettingsCommands, HelpOpensTheHelpPageBesideTheAgentThroughTheShell) {
  e2e::ShellRecorder recorder({".htm"}, e2e::ScratchDir() + "opened.log");
  ASSERT_NO_FATAL_FAILURE(StartAgent());

  // Without the page nothing opens and nothing is said.
  ASSERT_NO_FATAL_FAILURE(Choose({'H'}));
  PumpFor(1500);
  EXPECT_TRUE(recorder.Opened().empty());
  EXPECT_TRUE(AgentHasNoDialog());

  e2e::WriteWholeFile(install_.dir + "help.htm", "<html><body>help</body></html>");
  ASSERT_NO_FATAL_FAILURE(Choose({'H'}));
  ASSERT_TRUE(WaitUntil([&] { return !recorder.Opened().empty(); }, 10000)) << "the shell opened nothing";
  PumpFor(500);
  EXPECT_EQ(recorder.Opened(), std::vector<std::string>{install_.dir + "help.htm"});
  // Shown normally: a browser that honours its start-up state would
  // otherwise open the page unseen.
  EXPECT_EQ(recorder.ShowCommands(), std::vector<std::string>{"1"});
}

TEST_F(SettingsCommands, TheHostIsLaunchedFromBesideTheAttachmentFolder) {
  const std::string hostDir = e2e::ScratchDir() + "Mochiru\\";
  ASSERT_TRUE(CreateDirectoryA(hostDir.c_str(), nullptr));
  const std::string hostExe = hostDir + "mochiru20.exe";
  e2e::CopyFileOrDie(e2e::BinDir() + "standin-host.exe", hostExe);
  SetAttachFolder(hostDir + "Attach");  // need not exist
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  ASSERT_EQ(FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION), nullptr);

  ASSERT_NO_FATAL_FAILURE(Choose({'Z', 'P'}));
  HWND app = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (app = FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION)) != nullptr; }, 15000))
      << "the host did not start";
  DWORD pid = 0;
  GetWindowThreadProcessId(app, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  ASSERT_NE(process, nullptr);
  char image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameA(process, 0, image, &size);
  EXPECT_EQ(std::string(image), hostExe);

  // The host ends; the launched process is ours to end if it does not.
  COPYDATASTRUCT quit{STANDIN_COMMAND, 4, const_cast<char*>("quit")};
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(app, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&quit), SMTO_ABORTIFHUNG, 5000, &answer);
  if (!WaitUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 10000)) {
    ADD_FAILURE() << "the host did not end";
    TerminateProcess(process, 9);
  }
  CloseHandle(process);
}

TEST_F(SettingsCommands, WithoutTheHostBesideTheAttachmentFolderTheUserIsTold) {
  struct Case {
    const char* what;
    std::string folder;
  };
  const Case cases[] = {
      {"no folder set: looked for in the current folder", ""},
      {"a folder whose parent has no host", e2e::ScratchDir() + "Empty\\Attach"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetAttachFolder(c.folder);
    ASSERT_NO_FATAL_FAILURE(StartAgent());
    ASSERT_NO_FATAL_FAILURE(Choose({'Z', 'P'}));
    const HWND box = WaitForShownBox(agent_.Id(), kHostMissing);
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(WindowText(box), "") << "the box has an empty caption";
    EXPECT_TRUE(HasChildText(box, kHostMissing)) << ::testing::PrintToString(ChildTexts(box));
    e2e::WaitUntilPainted(box, GetSysColor(COLOR_BTNFACE));
    e2e::SaveEvidenceScreenshot("SettingsCommands.host-missing");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return AgentHasNoDialog(); }, 5000));
    EXPECT_EQ(FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION), nullptr);
    ASSERT_NO_FATAL_FAILURE(ExitThroughTheMenu());
  }
}

}  // namespace
