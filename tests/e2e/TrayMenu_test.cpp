// The agent's tray icon and its menu, used as a user uses them: a click on
// the icon in Wine's tray with either button, then keys for the items (or a
// click on one). Wine cannot read another program's menu, so a menu is
// judged by the popup windows it opens, its height and what its items do.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handles_win.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/TraySupport.h"

namespace {

using e2e::CloseMenus;
using e2e::OpenMenus;
using e2e::PumpFor;
using e2e::StandinHost;
using e2e::WaitUntil;

std::string Id(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

bool Attached() {
  const auto slots = e2e::ReadSharedSlots();
  return slots && slots->size() == 3 && (*slots)[1] != 0 && (*slots)[2] != 0;
}

class TrayMenu : public e2e::TrayAgentTest {
 protected:
  // Presses `key` in the open tray menu and checks that it opens no
  // submenu: the menu stays open alone.
  void ExpectNoSubmenu(WORD key) {
    e2e::PressKey(key);
    PumpFor(700);
    EXPECT_EQ(OpenMenus(agent_.Id()).size(), 1u) << "the key " << static_cast<char>(key);
  }
  // Presses `key` in the open tray menu, checks that its submenu opens, and
  // closes the submenu again.
  void ExpectSubmenu(WORD key) {
    ASSERT_NO_FATAL_FAILURE(PressInMenu(key, 2));
    ASSERT_NO_FATAL_FAILURE(PressInMenu(VK_ESCAPE, 1));
  }
  int MenuHeight() {
    const auto menus = OpenMenus(agent_.Id());
    return menus.empty() ? 0 : e2e::WindowHeight(menus.front());
  }
  void StartHostAndWaitForTheAgent() {
    ASSERT_TRUE(host_.Start());
    ASSERT_TRUE(WaitUntil(Attached, 8000)) << "the agent did not attach to the host";
  }

  StandinHost host_;
};

TEST_F(TrayMenu, TheIconIsInTheTrayAfterStartAndEitherButtonOpensTheMenu) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  EXPECT_EQ(e2e::TrayIconWindows().size(), iconsBefore_.size() + 1);
  for (const bool right : {true, false}) {
    SCOPED_TRACE(right ? "right button" : "left button");
    ASSERT_NO_FATAL_FAILURE(OpenMenu(right));
    // The agent is in the foreground while its menu is open: keys reach it.
    EXPECT_EQ(GetForegroundWindow(), window_);
    ExpectSubmenu('F');
    ASSERT_TRUE(CloseMenus(agent_.Id()));
    PumpFor(GetDoubleClickTime() + 100);  // the next click is no double click
  }
  ExitThroughTheMenu();
}

TEST_F(TrayMenu, BeforeTheHostEverRanTheHostSubmenusAreDisabledAndNoWindowEntriesFollow) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  ASSERT_NO_FATAL_FAILURE(OpenMenu());
  e2e::WaitUntilPainted(OpenMenus(agent_.Id()).front(), GetSysColor(COLOR_MENU));
  e2e::SaveEvidenceScreenshot("TrayMenu.no-host");
  ExpectNoSubmenu('R');  // "受信簿(&R)"
  ExpectNoSubmenu('W');  // "メル書き(&W)"
  ExpectSubmenu('F');    // the keys do reach the menu
  ExpectSubmenu('Z');
  ExpectSubmenu('S');
  // A host window entry would be chosen by its digit and close the menu.
  ExpectNoSubmenu('1');
  EXPECT_TRUE(CloseMenus(agent_.Id()));
}

TEST_F(TrayMenu, TheIconComesBackOnceAfterTheShellLostIt) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  const HWND notify = e2e::AgentNotifyWindow(agent_.Id());
  ASSERT_NE(notify, nullptr);

  // The shell loses the icon, as a restarted shell would have.
  NOTIFYICONDATAA lost{};
  lost.cbSize = NOTIFYICONDATAA_V1_SIZE;
  lost.hWnd = notify;
  lost.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost)) << "the agent's icon is not under ID 1";
  ASSERT_TRUE(WaitUntil([&] { return e2e::TrayIconWindows().size() == iconsBefore_.size(); }, 5000));

  // The shell announces its restart; a second announcement adds no icon.
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  for (int announcement = 1; announcement <= 2; ++announcement) {
    SCOPED_TRACE("announcement " + std::to_string(announcement));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_TRUE(WaitUntil([&] { return e2e::TrayIconWindows().size() == iconsBefore_.size() + 1; }, 5000))
        << "the icon did not come back";
    PumpFor(1000);
    EXPECT_EQ(e2e::TrayIconWindows().size(), iconsBefore_.size() + 1) << "not exactly one icon";
  }

  // The icon that came back opens the menu.
  icon_ = e2e::WaitForNewTrayIcon(iconsBefore_);
  ASSERT_NE(icon_, nullptr);
  ASSERT_NO_FATAL_FAILURE(OpenMenu());
  ExitThroughTheMenu();
}

TEST_F(TrayMenu, HostSubmenusAreEnabledExactlyWhileTheirHostWindowsAreOpen) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  ASSERT_NO_FATAL_FAILURE(StartHostAndWaitForTheAgent());
  struct Case {
    const char* what;
    bool received;  // the host's received-mail window "TRxWnd"
    bool writing;   // a mail-writing window "TMailWnd"
  };
  const Case cases[] = {
      {"the host without either window", false, false},
      {"the received-mail window only", true, false},
      {"both", true, true},
      {"the mail-writing window only", false, true},
      {"both closed again", false, false},
  };
  HWND received = nullptr;
  HWND writing = nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.received && received == nullptr) received = host_.CommandHandle("show TRxWnd 受信簿");
    if (!c.received && received != nullptr) {
      host_.Command("close " + Id(received));
      received = nullptr;
    }
    if (c.writing && writing == nullptr) writing = host_.CommandHandle("show TMailWnd メールを書く");
    if (!c.writing && writing != nullptr) {
      host_.Command("close " + Id(writing));
      writing = nullptr;
    }
    PumpFor(300);
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    if (c.received) {
      ExpectSubmenu('R');
    } else {
      ExpectNoSubmenu('R');
    }
    if (c.writing) {
      ExpectSubmenu('W');
    } else {
      ExpectNoSubmenu('W');
    }
    ExpectSubmenu('F');  // never disabled
    ASSERT_TRUE(CloseMenus(agent_.Id()));
    PumpFor(GetDoubleClickTime() + 100);
  }
}

TEST_F(TrayMenu, WindowEntriesBringTheHostsWindowsForwardInKindOrder) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  ASSERT_NO_FATAL_FAILURE(OpenMenu());
  const int heightWithoutEntries = MenuHeight();
  ASSERT_TRUE(CloseMenus(agent_.Id()));

  ASSERT_NO_FATAL_FAILURE(StartHostAndWaitForTheAgent());
  // Shown in an order unrelated to their kinds.
  const HWND deleting = host_.CommandHandle("show TDeleteWnd ごみ箱");
  const HWND received = host_.CommandHandle("show TRxWnd 受信簿");
  const HWND writing = host_.CommandHandle("show TMailWnd メールを書く");
  const HWND panel = host_.CommandHandle("child " + Id(writing) + " TPanel");
  const HWND recipients = host_.CommandHandle("child " + Id(panel) + " TEdit");
  host_.Command("set-text " + Id(recipients) + " a@example.jp");
  const HWND sent = host_.CommandHandle("show TTxWnd 送信簿");
  const HWND reading = host_.CommandHandle("show TReadWnd お知らせ");
  const HWND main = host_.CommandHandle("main");
  // Neither a hidden host window nor a window the host does not own gets an
  // entry, even of a class that would come first.
  host_.CommandHandle("create TTakaraWnd 宝箱");
  WNDCLASSA mainClass{};
  mainClass.lpfnWndProc = DefWindowProcA;
  mainClass.hInstance = GetModuleHandleA(nullptr);
  mainClass.lpszClassName = "TMainWnd";
  RegisterClassA(&mainClass);
  const UniqueWindow unowned(CreateWindowExA(0, "TMainWnd", "unowned", WS_POPUP | WS_VISIBLE, 600, 600, 80, 40,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_NE(unowned.get(), nullptr);

  const std::vector<HWND> kindOrder = {main, reading, writing, sent, received, deleting};
  ASSERT_NO_FATAL_FAILURE(OpenMenu());
  const int heightWithEntries = MenuHeight();
  e2e::WaitUntilPainted(OpenMenus(agent_.Id()).front(), GetSysColor(COLOR_MENU));
  e2e::SaveEvidenceScreenshot("TrayMenu.host-windows");
  ExpectNoSubmenu(static_cast<WORD>('0' + kindOrder.size() + 1));  // no seventh entry
  ASSERT_TRUE(CloseMenus(agent_.Id()));
  const int entries = static_cast<int>(kindOrder.size());
  ASSERT_GT(heightWithEntries, heightWithoutEntries);
  EXPECT_EQ((heightWithEntries - heightWithoutEntries) % entries, 0)
      << heightWithoutEntries << " without entries, " << heightWithEntries << " with";

  // Each opening has the same entries: the digit of each brings its window
  // to the foreground.
  for (int k = 1; k <= entries; ++k) {
    SCOPED_TRACE("entry " + std::to_string(k));
    PumpFor(GetDoubleClickTime() + 100);
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    EXPECT_EQ(MenuHeight(), heightWithEntries) << "another number of entries";
    ASSERT_NO_FATAL_FAILURE(PressInMenu(static_cast<WORD>('0' + k), 0));
    const HWND expected = kindOrder[k - 1];
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == expected; }, 3000))
        << "the foreground is " << GetForegroundWindow() << ", not " << expected;
  }

  // A click on the last entry does the same.
  PumpFor(GetDoubleClickTime() + 100);
  ASSERT_NO_FATAL_FAILURE(OpenMenu());
  const HWND menu = OpenMenus(agent_.Id()).front();
  RECT r{};
  GetWindowRect(menu, &r);
  const int entryHeight = (heightWithEntries - heightWithoutEntries) / entries;
  e2e::ClickAt((r.left + r.right) / 2, r.bottom - 3 - entryHeight / 2);
  EXPECT_TRUE(e2e::WaitForMenus(agent_.Id(), 0));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == deleting; }, 3000));
}

}  // namespace
