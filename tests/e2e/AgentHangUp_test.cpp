// The hang-up prompt: when the host's main window closes while dial-up
// connections are up, the title window grows into a prompt that hangs them
// up or leaves them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using e2e::StandinHost;

constexpr DWORD kTick = 2000;

bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window); }

class AgentHangUp : public ::testing::Test {
 protected:
  void Start(int connections) {
    StartWithBanner(connections);
    TakeTheBannerAway();
  }
  // Starts the agent, then the host with its title window up. Attached by
  // the watch, the agent shows the banner over the title window.
  void StartWithBanner(int connections) {
    install_ = e2e::InstallAgent(e2e::ScratchDir(), "Sorvik.exe", connections);
    agent_ = e2e::StartAgent(install_);
    ASSERT_NE(e2e::WaitForAgentWindow(agent_.Id()), nullptr);
    StandinHost::Options withTitle;
    withTitle.titleWindowMs = -1;  // up until the test closes it
    ASSERT_TRUE(host_.Start(withTitle));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, kTick + 1500));
  }
  // Takes the banner away: the host's title window closes.
  void TakeTheBannerAway() {
    HWND title = host_.CommandHandle("title");
    ASSERT_TRUE(host_.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(title))));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !Visible(Title()); }, 2000));
  }
  HWND Title() { return e2e::AgentTitleWindow(agent_.Id()); }

  // Closes the host's main window with its close box: the host reports
  // WM_CLOSE and WM_DESTROY, and ends.
  void CloseHostMainWindow() {
    HWND main = host_.CommandHandle("main");
    ASSERT_TRUE(host_.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(main))));
    host_.Process().WaitForExit(5000);
  }

  // Clicks the middle of a panel of the prompt, given in client coordinates.
  void ClickPrompt(int x, int y, int width, int height) {
    POINT at{x + width / 2, y + height / 2};
    ClientToScreen(Title(), &at);
    e2e::ClickAt(at.x, at.y);
  }
  void ClickHangUp() { ClickPrompt(2, 96, 81, 25); }

  // Another program closes the title window: sends `message` and waits for
  // the answer.
  void CloseTitleFromOutside(UINT message, WPARAM wParam) {
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(Title(), message, wParam, 0, SMTO_NORMAL, 5000, &answer), 0);
  }
  void ClickStayConnected() { ClickPrompt(110, 96, 81, 25); }

  e2e::AgentInstall install_;
  e2e::ChildProcess agent_;
  StandinHost host_;
};

TEST_F(AgentHangUp, WithoutAConnectionClosingTheHostShowsNothing) {
  Start(0);
  CloseHostMainWindow();
  e2e::PumpFor(1500);
  EXPECT_FALSE(Visible(Title()));
  EXPECT_TRUE(e2e::FakeHangUps(install_).empty());
}

TEST_F(AgentHangUp, WithAConnectionThePromptAppearsOnceAndHangsUpOnRequest) {
  Start(1);
  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000)) << "no prompt";
  e2e::PumpFor(500);  // both reports (close, destroy) are handled by now
  HWND prompt = Title();
  EXPECT_EQ(e2e::ClientSize(prompt).cy, 123);
  EXPECT_EQ(e2e::ClientSize(prompt).cx, 193);
  EXPECT_TRUE(e2e::IsTopmost(prompt));
  e2e::SaveEvidenceScreenshot("AgentHangUp.prompt");

  ClickHangUp();
  ASSERT_TRUE(e2e::WaitUntil([&] { return !Visible(Title()); }, 2000)) << "the prompt stayed";
  EXPECT_EQ(e2e::FakeHangUps(install_), (std::vector<std::string>{"RasHangUpA 20481"}));

  // The next banner has the banner's height again. (The watch must first
  // have noticed that the host is gone: it polls every tick.)
  e2e::PumpFor(kTick + 300);
  StandinHost next;
  StandinHost::Options withTitle;
  withTitle.titleWindowMs = -1;
  ASSERT_TRUE(next.Start(withTitle));
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, kTick + 1500));
  EXPECT_EQ(e2e::ClientSize(Title()).cy, 32);
}

TEST_F(AgentHangUp, WithTwoConnectionsBothAreHungUpInTheOrderEnumerated) {
  Start(2);
  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000));
  e2e::PumpFor(300);
  ClickHangUp();
  ASSERT_TRUE(e2e::WaitUntil([&] { return !Visible(Title()); }, 2000));
  EXPECT_EQ(e2e::FakeHangUps(install_),
            (std::vector<std::string>{"RasHangUpA 20481", "RasHangUpA 20482"}));
}

TEST_F(AgentHangUp, StayingConnectedHidesThePromptAndHangsUpNothing) {
  Start(1);
  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000));
  e2e::PumpFor(300);
  ClickStayConnected();
  ASSERT_TRUE(e2e::WaitUntil([&] { return !Visible(Title()); }, 2000));
  e2e::PumpFor(300);
  EXPECT_TRUE(e2e::FakeHangUps(install_).empty());
}

TEST_F(AgentHangUp, AConnectionThatDroppedBeforeTheClickIsNotHungUp) {
  Start(1);
  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000));
  e2e::PumpFor(300);
  e2e::SetFakeConnections(install_, 0);
  ClickHangUp();
  ASSERT_TRUE(e2e::WaitUntil([&] { return !Visible(Title()); }, 2000));
  EXPECT_TRUE(e2e::FakeHangUps(install_).empty());
}

// The title window lives as long as the agent: closed from outside, as
// Alt+F4 does (the system command SC_CLOSE, which sends WM_CLOSE), it only
// hides, and the prompt still comes when it is due.
TEST_F(AgentHangUp, TheBannerClosedAsByAltF4ComesBackAsThePrompt) {
  StartWithBanner(1);
  HWND banner = Title();
  CloseTitleFromOutside(WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(IsWindow(banner)) << "the close destroyed the title window";
  TakeTheBannerAway();

  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000)) << "no prompt";
  EXPECT_EQ(Title(), banner);
  EXPECT_EQ(e2e::ClientSize(Title()).cy, 123);
}

// A prompt closed with WM_CLOSE is hidden as "このまま接続" hides it: nothing
// is hung up, and the next banner has the banner's height.
TEST_F(AgentHangUp, ThePromptClosedFromOutsideHidesAndTheNextBannerShows) {
  Start(1);
  CloseHostMainWindow();
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, 2000)) << "no prompt";
  e2e::PumpFor(500);  // both reports (close, destroy) are handled by now
  HWND prompt = Title();

  CloseTitleFromOutside(WM_CLOSE, 0);
  EXPECT_TRUE(IsWindow(prompt)) << "the close destroyed the title window";
  EXPECT_FALSE(Visible(prompt));
  EXPECT_TRUE(e2e::FakeHangUps(install_).empty());

  e2e::PumpFor(kTick + 300);  // the watch notices that the host has gone
  StandinHost next;
  StandinHost::Options withTitle;
  withTitle.titleWindowMs = -1;
  ASSERT_TRUE(next.Start(withTitle));
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Title()); }, kTick + 1500)) << "no banner";
  EXPECT_EQ(e2e::ClientSize(Title()).cy, 32);
}

}  // namespace
