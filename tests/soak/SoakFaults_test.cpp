// What goes wrong beside the agent in a long day: the agent or the host
// killed and started again, the settings file made read-only, held or
// deleted, the clipboard held by another program, the tray's process
// ended and started again. Through all of it the host stays responsive
// and nothing that could be kept is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "agent/MenuCommands.h"
#include "tests/e2e/TraySupport.h"
#include "tests/soak/SoakRun.h"

namespace soak {
namespace {

class SoakFaults : public SoakRun {
 protected:
  std::string SettingsFile() const { return install_.dir + "Sorvik.INI"; }
};

TEST_F(SoakFaults, TheAgentKilledAndRestartedAttachesOnceEveryTime) {
  StartHostAndAgent();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(e2e::BringToFront(host_.CommandHandle("main")));
  // What one double click does to the clipboard with one pair of hooks.
  const DWORD single = ClipboardChangesOfDoubleClick(0);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_GE(single, 1u);
  const int restarts = Scaled(30, 3);
  const DWORD began = GetTickCount();
  for (int i = 0; i < restarts; ++i) {
    SCOPED_TRACE("restart " + std::to_string(i + 1));
    agent_.Kill();
    ExpectHostResponsive("agent killed " + std::to_string(i + 1));
    StartAgent();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(e2e::HookSlots().size(), 3u);
    // The link window works, and a double click is reported once.
    EXPECT_EQ(ClipboardChangesOfDoubleClick(i % 10), single) << "the double click was handled more than once";
    ASSERT_FALSE(HasFatalFailure());
    ExpectHostResponsive("agent restarted " + std::to_string(i + 1));
  }
  Report("agent killed and restarted " + std::to_string(restarts) + " times in " +
         std::to_string((GetTickCount() - began) / 1000) + " s; longest wait of the host's queue " +
         std::to_string(longestPing_) + " ms");
  ExpectNoModifierDown("agent restarts");
}

TEST_F(SoakFaults, TheHostKilledAndRestartedIsAttachedEveryTime) {
  StartHostAndAgent();
  ASSERT_FALSE(HasFatalFailure());
  const int restarts = Scaled(30, 3);
  const DWORD began = GetTickCount();
  for (int i = 0; i < restarts; ++i) {
    SCOPED_TRACE("restart " + std::to_string(i + 1));
    host_.Process().Kill();
    // Every other time the new host comes within the agent's watch tick
    // (2 s); else the agent sees a tick without a host first.
    if (i % 2 == 1) e2e::PumpFor(2500);
    StartHost();
    ASSERT_FALSE(HasFatalFailure());
    ExpectHostArranged("host restart " + std::to_string(i + 1));
    ASSERT_FALSE(HasFatalFailure());
    ExpectHostResponsive("host restart " + std::to_string(i + 1));
  }
  // The last host gets the link window, too.
  ASSERT_TRUE(e2e::BringToFront(host_.CommandHandle("main")));
  DoubleClickLine(3);
  Report("host killed and restarted " + std::to_string(restarts) + " times in " +
         std::to_string((GetTickCount() - began) / 1000) + " s");
}

// Another program that watches the clipboard takes it the moment the host
// has copied the line, before the agent hears of the change, and holds it:
// the agent cannot read the line, gives up after its bounded wait, shows
// nothing and says nothing; the host never waits for it.
class ClipboardTaker {
 public:
  ClipboardTaker() {
    current_ = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SorvikTestClipboardTaker";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    // Joined after the agent: the chain tells this window first, and it
    // passes the news on only once it holds the clipboard.
    next_ = SetClipboardViewer(window_);
  }
  ~ClipboardTaker() {
    Release();
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
    current_ = nullptr;
  }
  ClipboardTaker(const ClipboardTaker&) = delete;
  ClipboardTaker& operator=(const ClipboardTaker&) = delete;
  bool Valid() const { return window_ != nullptr; }
  // From now on, the next change is taken.
  void Arm() { armed_ = true; }
  bool Holding() const { return holding_; }
  void Release() {
    if (holding_) CloseClipboard();
    holding_ = false;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ClipboardTaker* self = current_;
    if (self == nullptr || self->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
      case WM_DRAWCLIPBOARD:
        if (self->armed_ && !self->holding_ && OpenClipboard(window)) {
          self->holding_ = true;
          self->armed_ = false;
        }
        if (self->next_ != nullptr) SendMessageA(self->next_, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == self->next_) {
          self->next_ = reinterpret_cast<HWND>(lParam);
        } else if (self->next_ != nullptr) {
          SendMessageA(self->next_, message, wParam, lParam);
        }
        return 0;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }
  static inline ClipboardTaker* current_ = nullptr;
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  bool armed_ = false;
  bool holding_ = false;
};

TEST_F(SoakFaults, AClipboardHeldByAnotherProgramIsGivenUpQuietly) {
  StartHostAndAgent();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(e2e::BringToFront(host_.CommandHandle("main")));
  const e2e::LinkWindowParts parts = e2e::FindLinkWindowParts(agentWindow_);
  ClipboardTaker taker;
  ASSERT_TRUE(taker.Valid());
  for (int i = 0; i < Scaled(5, 2); ++i) {
    SCOPED_TRACE("hold " + std::to_string(i + 1));
    taker.Arm();
    POINT at{};
    ASSERT_TRUE(DoubleClickMemoLine(1, at));
    ASSERT_TRUE(e2e::WaitUntil([&] { return taker.Holding(); }, 5000)) << "the host did not copy";
    // Held for longer than the agent waits for the clipboard and then
    // tries to open it.
    bool shown = false;
    const DWORD held = GetTickCount();
    while (GetTickCount() - held < 2500) {
      e2e::PumpFor(50);
      shown = shown || IsWindowVisible(parts.form);
    }
    ExpectHostResponsive("clipboard held");
    taker.Release();
    e2e::PumpFor(500);
    shown = shown || IsWindowVisible(parts.form);
    EXPECT_FALSE(shown) << "a link window came up without the line";
    EXPECT_EQ(e2e::FindProcessWindow(agent_.Id(), "#32770"), nullptr) << "the agent said something";
    // Once the clipboard is free again, the next double click works.
    DoubleClickLine(2);
    ASSERT_FALSE(HasFatalFailure());
  }
  ExpectNoModifierDown("clipboard held");
}

// The shell's tray restarts: Windows' shell comes back without the icons
// it showed and announces its new taskbar with the registered message
// "TaskbarCreated". Wine's tray process cannot be restarted inside a
// session (a new "explorer /desktop" finds the killed one's desktop window
// and ends at once) and never makes that announcement, so the test does
// what the restarted tray would show the agent: the icon taken away, then
// the announcement. The icon comes back, once, and opens the menu.
TEST_F(SoakFaults, TheTraysRestartGetsTheIconBackOnce) {
  StartHostAndAgent();
  ASSERT_FALSE(HasFatalFailure());
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  const int restarts = Scaled(30, 3);
  for (int i = 0; i < restarts; ++i) {
    SCOPED_TRACE("tray restart " + std::to_string(i + 1));
    NOTIFYICONDATAA lost{};
    lost.cbSize = NOTIFYICONDATAA_V1_SIZE;
    lost.hWnd = e2e::AgentNotifyWindow(agent_.Id());
    lost.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost)) << "the agent's icon is not under ID 1";
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TrayIconWindows().size() == iconsBefore_.size(); }, 5000));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    icon_ = e2e::WaitForNewTrayIcon(iconsBefore_);
    ASSERT_NE(icon_, nullptr) << "the icon did not come back";
    e2e::PumpFor(300);
    EXPECT_EQ(e2e::TrayIconWindows().size(), iconsBefore_.size() + 1) << "not exactly one icon";
    e2e::PumpFor(GetDoubleClickTime() + 100);
    ASSERT_TRUE(e2e::OpenTrayMenu(agent_.Id(), icon_)) << "the icon that came back opens no menu";
    ASSERT_TRUE(e2e::CloseMenus(agent_.Id()));
    ExpectHostResponsive("tray restart " + std::to_string(i + 1));
  }
  Report("the tray's restart announced " + std::to_string(restarts) + " times; the icon came back each time");
}

TEST_F(SoakFaults, TheSettingsFileReadOnlyHeldOrDeletedLosesNothing) {
  StartHostAndAgent();
  ASSERT_FALSE(HasFatalFailure());
  const std::string ini = SettingsFile();
  const std::string kept = e2e::ReadWholeFile(ini);
  const std::string folderLine = "folder=" + dir_ + "モチル\\表\r\n";
  ASSERT_NE(kept.find(folderLine), std::string::npos) << kept;

  // Read-only while the agent runs: its end says so once, naming the file,
  // and the file stays as it was.
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(PostMessageA(agentWindow_, WM_COMMAND, cmdExit, 0));
  HWND box = e2e::WaitForMessageBox(agent_.Id(), ini);
  ASSERT_NE(box, nullptr) << "no message naming " << ini;
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(agent_.WaitForExit(10000).has_value()) << "the agent did not end after the message";
  EXPECT_EQ(e2e::ReadWholeFile(ini), kept);
  EXPECT_NE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << "the file was replaced";

  // Read-only at the start: one message, then the agent runs on with the
  // setting it read, and its end says nothing more.
  StartAgent(ini);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(e2e::BringToFront(host_.CommandHandle("main")));
  DoubleClickLine(4);
  ASSERT_TRUE(PostMessageA(agentWindow_, WM_COMMAND, cmdExit, 0));
  EXPECT_TRUE(agent_.WaitForExit(10000).has_value()) << "the agent waits at its end (a second message?)";
  EXPECT_EQ(e2e::ReadWholeFile(ini), kept);
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL));

  // Held open by another program without sharing: the same.
  StartAgent();
  ASSERT_FALSE(HasFatalFailure());
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(PostMessageA(agentWindow_, WM_COMMAND, cmdExit, 0));
  box = e2e::WaitForMessageBox(agent_.Id(), ini);
  EXPECT_NE(box, nullptr) << "no message naming " << ini;
  if (box != nullptr) e2e::AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(agent_.WaitForExit(10000).has_value());
  CloseHandle(held);
  EXPECT_EQ(e2e::ReadWholeFile(ini), kept);

  // Deleted while the agent runs: its end writes the setting again.
  StartAgent();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(DeleteFileA(ini.c_str()));
  EndAgent();
  EXPECT_EQ(e2e::ReadWholeFile(ini), kept);

  // And the next start finds it.
  StartAgent();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(e2e::FindProcessWindow(agent_.Id(), "#32770"), nullptr);
  EndAgent();
  EXPECT_EQ(e2e::ReadWholeFile(ini), kept);
}

}  // namespace
}  // namespace soak
