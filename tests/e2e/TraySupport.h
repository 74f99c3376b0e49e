// The agent's tray icon and menu, reached as a user reaches them: through
// Wine's own tray (the standalone tray window at the top left of the
// screen, one child window per icon), the mouse and the keyboard. Menus of
// another process cannot be read under Wine: a menu is judged by the popup
// windows ("#32768") it shows, their size, and what its keys do.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"

namespace e2e {

// The icon windows of Wine's tray, in the order of their positions.
std::vector<HWND> TrayIconWindows();
// Waits for an icon window that is not in `before`; null when none came.
HWND WaitForNewTrayIcon(const std::vector<HWND>& before, DWORD timeoutMs = 10000);

// The agent's notify window (class TNotifyWindow) in process `pid`.
HWND AgentNotifyWindow(DWORD pid);

// Clicks the tray icon window `icon` with the left or the right button.
void ClickTrayIcon(HWND icon, bool rightButton);

// The visible popup menu windows of process `pid`, the first opened first.
std::vector<HWND> OpenMenus(DWORD pid);
// Waits until process `pid` shows exactly `count` popup menu windows.
bool WaitForMenus(DWORD pid, std::size_t count, DWORD timeoutMs = 5000);

// Clicks `icon` until process `pid` shows its tray menu (a click can be
// lost to Wine's tray while it takes the focus); false when it never
// opened.
bool OpenTrayMenu(DWORD pid, HWND icon, bool rightButton = true);

// One key pressed and released (a virtual-key code: 'R', '1', VK_ESCAPE).
void PressKey(WORD key);
// Closes every open menu of `pid` with Escape presses.
bool CloseMenus(DWORD pid);

// Waits until the screen shows `window` painted: the point just inside its
// client area has `colour` (a message box: COLOR_BTNFACE). For screenshots
// meant for people, taken after a window is known to be up.
bool WaitUntilPainted(HWND window, COLORREF colour, DWORD timeoutMs = 3000);

// The height of a popup menu window.
int WindowHeight(HWND window);

// A test of the agent through its tray icon: the agent installed in the
// test's scratch folder, started, and found in the tray. A running agent is
// ended normally when the test ends, so that its icon leaves the tray.
class TrayAgentTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the agent and waits for its window and its new tray icon.
  void StartAgent();
  // Opens the tray menu with a click on the icon; fails the test when it
  // does not open.
  void OpenMenu(bool rightButton = true);
  // Chooses an item as a user does with the keyboard: opens the menu, then
  // presses the accelerator keys, each submenu's key first.
  void Choose(std::initializer_list<WORD> keys);
  // Presses one key in the open menu and waits until `menus` popup windows
  // remain open.
  void PressInMenu(WORD key, std::size_t menus);
  // "終了(&X)": the agent ends with exit code 0 and its icon leaves the tray.
  void ExitThroughTheMenu();

  AgentInstall install_;
  ChildProcess agent_;
  HWND window_ = nullptr;  // the agent's main window
  HWND icon_ = nullptr;    // its icon in Wine's tray
  std::vector<HWND> iconsBefore_;
};

}  // namespace e2e
