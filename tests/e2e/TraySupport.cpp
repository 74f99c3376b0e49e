#include "tests/e2e/TraySupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

}  // namespace

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  if (tray == nullptr) return icons;
  for (HWND child = GetWindow(tray, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "__winex11_tray_icon" && IsWindowVisible(child)) icons.push_back(child);
  }
  std::sort(icons.begin(), icons.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
  });
  return icons;
}

HWND WaitForNewTrayIcon(const std::vector<HWND>& before, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND icon : TrayIconWindows()) {
          if (std::find(before.begin(), before.end(), icon) == before.end()) {
            found = icon;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

HWND AgentNotifyWindow(DWORD pid) { return FindProcessWindow(pid, "TNotifyWindow"); }

void ClickTrayIcon(HWND icon, bool rightButton) {
  // A taskbar is never covered by the windows it serves; Wine's tray window
  // is, by a maximised host window: it comes to the top for the click (not
  // always on top, which would cover windows of later tests).
  if (HWND tray = GetAncestor(icon, GA_ROOT)) {
    SetWindowPos(tray, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpFor(100);
  }
  RECT r{};
  GetWindowRect(icon, &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SetCursorPos(centre.x, centre.y);
  PumpFor(50);
  if (rightButton) {
    MouseEventsAt(centre.x, centre.y, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
  } else {
    MouseEventsAt(centre.x, centre.y, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  }
}

std::vector<HWND> OpenMenus(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> menus;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM context) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        if (IsWindowVisible(window) && ProcessOf(window) == s->pid && ClassOf(window) == "#32768") {
          s->menus.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  std::reverse(search.menus.begin(), search.menus.end());  // the newest is on top
  return search.menus;
}

bool WaitForMenus(DWORD pid, std::size_t count, DWORD timeoutMs) {
  return WaitUntil([&] { return OpenMenus(pid).size() == count; }, timeoutMs);
}

bool OpenTrayMenu(DWORD pid, HWND icon, bool rightButton) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickTrayIcon(icon, rightButton);
    if (WaitForMenus(pid, 1, 3000)) {
      // The click is taken: the tray goes back behind the windows it serves.
      // Left above them, it would be the next window in line when one of
      // theirs goes, and the system would activate it (a taskbar is never
      // activated so), standing between the user's window and the agent's
      // task switch.
      if (HWND tray = GetAncestor(icon, GA_ROOT)) {
        SetWindowPos(tray, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      return true;
    }
    // Clicks closer together than the double-click time open no menu.
    PumpFor(GetDoubleClickTime() + 100);
  }
  return false;
}

void PressKey(WORD key) {
  keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), 0, 0);
  keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

bool CloseMenus(DWORD pid) {
  for (std::size_t open = OpenMenus(pid).size(); open > 0; open = OpenMenus(pid).size()) {
    PressKey(VK_ESCAPE);
    if (!WaitForMenus(pid, open - 1, 3000)) return false;
  }
  return true;
}

bool WaitUntilPainted(HWND window, COLORREF colour, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        POINT inside{2, 2};
        ClientToScreen(window, &inside);
        HDC screen = GetDC(nullptr);
        const COLORREF seen = GetPixel(screen, inside.x, inside.y);
        ReleaseDC(nullptr, screen);
        return seen == colour;
      },
      timeoutMs);
}

int WindowHeight(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}

// ---------------------------------------------------------------- TrayAgentTest

void TrayAgentTest::SetUp() { install_ = InstallAgent(ScratchDir()); }

void TrayAgentTest::TearDown() {
  if (!agent_.Running()) return;
  CloseMenus(agent_.Id());
  PostMessageA(window_, WM_CLOSE, 0, 0);
  agent_.WaitForExit(10000);
}

void TrayAgentTest::StartAgent() {
  iconsBefore_ = TrayIconWindows();
  agent_ = e2e::StartAgent(install_);
  window_ = WaitForAgentWindow(agent_.Id());
  ASSERT_NE(window_, nullptr) << "the agent's window never appeared";
  icon_ = WaitForNewTrayIcon(iconsBefore_);
  ASSERT_NE(icon_, nullptr) << "no icon of the agent in the tray";
}

void TrayAgentTest::OpenMenu(bool rightButton) {
  ASSERT_TRUE(OpenTrayMenu(agent_.Id(), icon_, rightButton)) << "the tray menu did not open";
}

void TrayAgentTest::PressInMenu(WORD key, std::size_t menus) {
  PressKey(key);
  ASSERT_TRUE(WaitForMenus(agent_.Id(), menus)) << "after the key " << static_cast<char>(key) << ", "
                                                << OpenMenus(agent_.Id()).size() << " menus are open, not " << menus;
}

void TrayAgentTest::Choose(std::initializer_list<WORD> keys) {
  OpenMenu();
  std::size_t open = 1;
  for (auto key = keys.begin(); key != keys.end(); ++key) {
    const bool last = key + 1 == keys.end();
    PressInMenu(*key, last ? 0 : ++open);
  }
}

void TrayAgentTest::ExitThroughTheMenu() {
  Choose({'X'});
  const auto code = agent_.WaitForExit(10000);
  ASSERT_TRUE(code.has_value()) << "the agent did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconWindows().size() == iconsBefore_.size(); }, 5000))
      << "the icon stayed in the tray";
}

}  // namespace e2e
