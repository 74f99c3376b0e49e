// The agent's start, its single-instance guard and its host watch, seen from
// outside: windows, the shared block and the stand-in host.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostaccess/HookSlots_win.h"
#include "hostaccess/HostIdentifiers.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using e2e::ChildProcess;
using e2e::StandinHost;

// The watch timer ticks every 2000 ms; "within one tick" allows for the
// handling after it.
constexpr DWORD kTick = 2000;
constexpr DWORD kWithinOneTick = kTick + 800;

std::vector<std::uint32_t> Slots() {
  const auto slots = e2e::ReadSharedSlots();
  return slots ? *slots : std::vector<std::uint32_t>{};
}

bool Attached() {
  const auto slots = Slots();
  return slots.size() == 3 && slots[1] != 0 && slots[2] != 0;
}

bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window); }

class AgentStartup : public ::testing::Test {
 protected:
  void SetUp() override { install_ = e2e::InstallAgent(e2e::ScratchDir()); }

  // Starts the agent and waits until it is up: its main window exists before
  // its creation handler has put the icon in the tray and opened the shared
  // block, so the block is waited for too.
  void StartAgent() {
    agent_ = e2e::StartAgent(install_);
    ASSERT_NE(e2e::WaitForAgentWindow(agent_.Id()), nullptr) << "the agent's window never appeared";
    ASSERT_TRUE(e2e::WaitUntil([] { return Slots().size() == 3; }, 5000)) << "the agent opened no shared block";
  }
  HWND Banner() { return e2e::AgentTitleWindow(agent_.Id()); }

  e2e::AgentInstall install_;
  ChildProcess agent_;
};

TEST_F(AgentStartup, StartedBeforeTheHostItAttachesWithinATickAndShowsTheBannerOverTheTitleWindow) {
  StartAgent();
  StandinHost host;
  StandinHost::Options options;
  options.titleWindowMs = -1;  // the host's title window stays until we close it
  ASSERT_TRUE(host.Start(options));
  const DWORD hostUp = GetTickCount();

  ASSERT_TRUE(e2e::WaitUntil(Attached, kWithinOneTick + 1000));
  EXPECT_LE(GetTickCount() - hostUp, kWithinOneTick) << "attached later than one tick";
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Banner()); }, 1000)) << "no banner";

  HWND banner = Banner();
  HWND hostTitle = host.CommandHandle("title");
  EXPECT_TRUE(e2e::IsTopmost(banner));
  const SIZE size = e2e::ClientSize(banner);
  EXPECT_EQ(size.cx, 193);
  EXPECT_EQ(size.cy, 32);
  RECT bannerRect, titleRect, overlap;
  GetWindowRect(banner, &bannerRect);
  GetWindowRect(hostTitle, &titleRect);
  EXPECT_TRUE(IntersectRect(&overlap, &bannerRect, &titleRect)) << "the banner is not over the title window";
  EXPECT_TRUE(e2e::IsAbove(banner, hostTitle));
  e2e::SaveEvidenceScreenshot("AgentStartup.banner");

  // The host's report of its title window closing takes the banner away, and
  // the next ticks do not bring it back.
  ASSERT_TRUE(host.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(hostTitle))));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Visible(Banner()); }, 1500)) << "the banner stayed";
  e2e::PumpFor(kTick + 500);
  EXPECT_FALSE(Visible(Banner()));
}

TEST_F(AgentStartup, StartedWhileTheHostRunsItAttachesAtOnceWithoutTheBanner) {
  StandinHost host;
  StandinHost::Options options;
  options.titleWindowMs = -1;
  ASSERT_TRUE(host.Start(options));
  StartAgent();
  ASSERT_TRUE(e2e::WaitUntil(Attached, kTick));
  // Attached by the watch timer, the agent would show the banner: it stays
  // hidden because the agent attached while it started.
  e2e::PumpFor(kTick + 700);
  EXPECT_FALSE(Visible(Banner()));
  EXPECT_TRUE(Attached());
}

TEST_F(AgentStartup, HostEndingStopsTheWatchWithinATickAndTheAgentAttachesToTheNextHost) {
  StartAgent();
  StandinHost first;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(e2e::WaitUntil(Attached, kWithinOneTick + 1000));
  const auto watched = Slots();

  // Killed, the host's copy of the hook library cannot clear anything: only
  // the agent's stop can.
  first.Process().Kill();
  const DWORD gone = GetTickCount();
  ASSERT_TRUE(e2e::WaitUntil([] { return Slots().size() == 3 && Slots()[2] == 0; }, kWithinOneTick + 1000));
  EXPECT_LE(GetTickCount() - gone, kWithinOneTick);
  EXPECT_EQ(Slots()[1], watched[1]) << "stopping leaves the stale handle in slot 1";
  EXPECT_TRUE(agent_.Running());

  StandinHost second;
  StandinHost::Options withTitle;
  withTitle.titleWindowMs = -1;
  ASSERT_TRUE(second.Start(withTitle));
  ASSERT_TRUE(e2e::WaitUntil([] { return Attached(); }, kWithinOneTick + 1000)) << "not attached again";
  EXPECT_NE(Slots()[2], watched[2]);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Visible(Banner()); }, 1000)) << "the banner comes with the new host";
}

TEST_F(AgentStartup, AHostWhoseTitleDiffersInOneCharacterIsNeverAttached) {
  StandinHost host;
  StandinHost::Options options;
  options.caption = "Mochiru for Windows ver. 2.1";
  ASSERT_TRUE(host.Start(options));
  StartAgent();                    // not at start-up...
  e2e::PumpFor(2 * kTick + 500);   // ...nor by the watch
  EXPECT_EQ(Slots(), (std::vector<std::uint32_t>{0, 0, 0}));
  EXPECT_FALSE(Visible(Banner()));
}

TEST_F(AgentStartup, ASecondStartEndsAtOnceWithExitCodeZeroAndARenamedCopyRuns) {
  StartAgent();
  ChildProcess second = e2e::StartAgent(install_);
  const auto code = second.WaitForExit(5000);
  ASSERT_TRUE(code.has_value()) << "the second copy kept running";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(agent_.Running());
  EXPECT_NE(e2e::FindProcessWindow(agent_.Id(), "TSorvik"), nullptr);

  e2e::CopyFileOrDie(install_.exe, install_.dir + "SorvikCopy.exe");
  e2e::AgentInstall renamed{install_.dir, install_.dir + "SorvikCopy.exe"};
  ChildProcess copy = e2e::StartAgent(renamed);
  EXPECT_NE(e2e::WaitForAgentWindow(copy.Id()), nullptr) << "a copy under another name must run";
  EXPECT_TRUE(copy.Running());
  EXPECT_TRUE(agent_.Running());
}

TEST_F(AgentStartup, AStaleBlockLeftByAPreviousRunIsZeroedAtStart) {
  HANDLE stale = e2e::PlantSharedBlock(0x11, 0x2222, 0x3333);
  ASSERT_NE(stale, nullptr);
  StartAgent();
  EXPECT_TRUE(e2e::WaitUntil([] { return Slots() == std::vector<std::uint32_t>{0, 0, 0}; }, 2000))
      << "slots " << Slots()[0] << " " << Slots()[1] << " " << Slots()[2];
  CloseHandle(stale);
}

TEST_F(AgentStartup, OnlyTheLowByteOfTheKindCountsAndKindsAboveThirteenDoNothing) {
  StandinHost host;
  StandinHost::Options options;
  options.caption = "Mochiru for Windows ver. 2.1";  // never attached by the agent itself
  ASSERT_TRUE(host.Start(options));
  StartAgent();
  HWND agentWindow = e2e::FindProcessWindow(agent_.Id(), "TSorvik");
  const WPARAM app = reinterpret_cast<WPARAM>(host.Application());

  for (LPARAM ignored : {LPARAM{14}, LPARAM{255}, LPARAM{256 + 14}}) {
    SendMessageA(agentWindow, UM_WNDSHOWN, app, ignored);
  }
  EXPECT_EQ(Slots(), (std::vector<std::uint32_t>{0, 0, 0})) << "a kind above 13 attached";
  EXPECT_FALSE(Visible(Banner()));

  SendMessageA(agentWindow, UM_WNDSHOWN, app, 256 + hwTitleWnd);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Visible(Banner()); }, 1000)) << "256 + 12 is the title window";
  SendMessageA(agentWindow, UM_WNDSHOWN, app, 512 + hwApplication);
  EXPECT_TRUE(Attached()) << "512 + 0 is the application window";
}

// The block's name taken by another kind of object: the agent says so and
// runs on without it.
TEST_F(AgentStartup, ABlockThatCannotBeOpenedIsShownInAnErrorBoxAndTheAgentRunsOn) {
  HANDLE squatter = CreateMutexA(nullptr, FALSE, SHARED_BLOCK_NAME);
  ASSERT_NE(squatter, nullptr);
  agent_ = e2e::StartAgent(install_);
  HWND box = e2e::WaitForMessageBox(agent_.Id(), "共有メモリ[SorvikCom]を開けません");
  ASSERT_NE(box, nullptr) << "no error box naming the block";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); }, 3000));
  e2e::PumpFor(500);
  EXPECT_TRUE(agent_.Running());
  EXPECT_NE(e2e::FindProcessWindow(agent_.Id(), "TSorvik"), nullptr);
  CloseHandle(squatter);
}

}  // namespace
