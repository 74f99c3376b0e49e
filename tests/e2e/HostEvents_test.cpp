// What the agent does as the host's windows open and close and as the user
// clicks in them, seen from outside: the windows' places and sizes, the
// windows it closes, and the stand-in host's log of what reached it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostaccess/HostIdentifiers.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/ShellStandIns.h"
#include "toolbox/Clipboard_win.h"

namespace {

using e2e::StandinHost;

constexpr DWORD kTick = 2000;
constexpr DWORD kWithinOneTick = kTick + 800;

std::string Handle(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }
bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window); }

RECT RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The position in the host's log of the first line that starts with
// `event`, or -1.
int LogIndex(const StandinHost& host, const std::string& event) {
  const auto lines = host.LogLines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto space = lines[i].find(' ');
    if (lines[i].compare(space + 1, event.size(), event) == 0) return static_cast<int>(i);
  }
  return -1;
}

class HostEvents : public ::testing::Test {
 protected:
  // The agent, then the host (with or without its title window), attached.
  void StartAgentThenHost(int titleWindowMs = 0, int connections = 0) {
    install_ = e2e::InstallAgent(e2e::ScratchDir(), "Sorvik.exe", connections);
    agent_ = e2e::StartAgent(install_);
    window_ = e2e::WaitForAgentWindow(agent_.Id());
    ASSERT_NE(window_, nullptr);
    StandinHost::Options options;
    options.titleWindowMs = titleWindowMs;
    ASSERT_TRUE(host_.Start(options));
    ASSERT_TRUE(e2e::WaitUntil(e2e::HookAttached, kWithinOneTick + 1000)) << "not attached";
  }
  HWND Banner() { return e2e::AgentTitleWindow(agent_.Id()); }

  e2e::AgentInstall install_;
  e2e::ChildProcess agent_;
  HWND window_ = nullptr;
  StandinHost host_;
};

TEST_F(HostEvents, WindowsOfEachKindAreArrangedAsTheyOpen) {
  StartAgentThenHost();
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

  HWND takara = host_.CommandHandle("show TTakaraWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(takara) != FALSE; }, 3000)) << "TTakaraWnd not maximised";

  HWND read = host_.CommandHandle("show-read メールを読む");
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(read) != FALSE; }, 3000)) << "TReadWnd not maximised";

  // Shown at (200, 150), 320 x 240: stretched to the screen's height less
  // 20 pixels, from the top, keeping its left edge and width.
  HWND friends = host_.CommandHandle("show TOtomodatiWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] {
    const RECT r = RectOf(friends);
    return r.left == 200 && r.top == 0 && r.right - r.left == 320 && r.bottom - r.top == screenHeight - 20;
  }, 3000)) << "TOtomodatiWnd at " << RectOf(friends).left << "," << RectOf(friends).top;

  // Shown at (300, 200), 260 x 300: moved to the left edge and stretched.
  HWND snacks = host_.CommandHandle("show-with-list TOyatsuWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] {
    const RECT r = RectOf(snacks);
    return r.left == 0 && r.top == 0 && r.right - r.left == 260 && r.bottom - r.top == screenHeight - 20;
  }, 3000)) << "TOyatsuWnd at " << RectOf(snacks).left << "," << RectOf(snacks).top;
  e2e::SaveEvidenceScreenshot("HostEvents.arranged");

  // Kinds the agent leaves alone: an unlisted class (9), "TDeleteWnd" (11),
  // "TPrintWnd" (13).
  for (const char* cls : {"TSomethingElse", "TDeleteWnd", "TPrintWnd"}) {
    HWND window = host_.CommandHandle(std::string("show ") + cls);
    const RECT before = RectOf(window);
    e2e::PumpFor(1200);
    const RECT after = RectOf(window);
    EXPECT_TRUE(EqualRect(&before, &after)) << cls << " was moved";
    EXPECT_FALSE(IsZoomed(window)) << cls << " was maximised";
    EXPECT_TRUE(IsWindow(window)) << cls << " was closed";
  }
}

TEST_F(HostEvents, TheTwoListWindowsCloseAfterTheHostHandledTheirButtonOrAListDoubleClick) {
  StartAgentThenHost();
  struct Case { const char* cls; bool doubleClickInList; };
  for (const Case c : {Case{"TOyatsuWnd", false}, Case{"TOyatsuWnd", true}, Case{"TOmochaWnd", false},
                       Case{"TOmochaWnd", true}}) {
    SCOPED_TRACE(std::string(c.cls) + (c.doubleClickInList ? ", list" : ", button"));
    HWND window = host_.CommandHandle(std::string("show-with-list ") + c.cls);
    ASSERT_NE(window, nullptr);
    HWND panel = FindWindowExA(window, nullptr, HOST_PANEL_CLASS, nullptr);
    HWND button = FindWindowExA(panel, nullptr, HOST_BUTTON_CLASS, nullptr);
    HWND list = FindWindowExA(window, nullptr, HOST_LISTBOX_CLASS, nullptr);
    ASSERT_TRUE(button != nullptr && list != nullptr);
    // The agent has seen the window (and remembered its button) once it has
    // arranged it ("TOyatsuWnd" goes to the left edge), or at least been
    // told of it.
    if (std::string(c.cls) == "TOyatsuWnd") {
      ASSERT_TRUE(e2e::WaitUntil([&] { return RectOf(window).left == 0 && RectOf(window).top == 0; }, 3000));
    }
    e2e::PumpFor(700);
    ASSERT_TRUE(e2e::BringToFront(window));
    std::string clicked;
    if (c.doubleClickInList) {
      RECT item{};
      SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
      ClientToScreen(list, &at);
      ASSERT_TRUE(e2e::WaitUntil([&] { return WindowFromPoint(at) == list; }, 2000)) << "the list is covered";
      e2e::DoubleClickAt(at.x, at.y);
      clicked = "dblclick " + std::string(HOST_LISTBOX_CLASS) + " " + Handle(list);
    } else {
      const RECT r = RectOf(button);
      e2e::ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      clicked = "lbuttonup " + std::string(HOST_BUTTON_CLASS) + " " + Handle(button);
    }
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(window); }, 3000)) << "the window stayed";
    const int handled = LogIndex(host_, clicked);
    const int closed = LogIndex(host_, "close " + std::string(c.cls) + " " + Handle(window));
    EXPECT_NE(handled, -1) << "the host never saw the click";
    EXPECT_NE(closed, -1) << "closed other than by WM_CLOSE";
    EXPECT_LT(handled, closed) << "closed before the host handled the click";
  }
}

TEST_F(HostEvents, AMailWindowClosesTheFriendWindowClicksItsInnerPanelAndFocusesItsBody) {
  StartAgentThenHost();
  HWND friends = host_.CommandHandle("show TOtomodatiWnd");
  e2e::PumpFor(700);
  // A mail window as the host builds it: a panel holding a panel, and the
  // body; shown once complete.
  HWND mail = host_.CommandHandle("create TMailWnd");
  HWND outer = host_.CommandHandle("child " + Handle(mail) + " TPanel");
  HWND inner = host_.CommandHandle("child " + Handle(outer) + " TPanel");
  HWND body = host_.CommandHandle("child " + Handle(mail) + " TMemo");
  ASSERT_TRUE(mail && outer && inner && body);
  ASSERT_TRUE(host_.Command("showwin " + Handle(mail)));

  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(friends); }, 3000)) << "the friend window stayed";
  EXPECT_NE(LogIndex(host_, "close TOtomodatiWnd " + Handle(friends)), -1);
  // The click 10 pixels inside the inner panel's top right corner.
  RECT panel{};
  GetClientRect(inner, &panel);
  const std::string click =
      "lbuttondown TPanel " + Handle(inner) + " " + std::to_string(panel.right - 10) + " 10";
  EXPECT_TRUE(e2e::WaitUntil([&] { return LogIndex(host_, click) != -1; }, 3000)) << "no " << click;
  EXPECT_TRUE(e2e::WaitUntil([&] { return LogIndex(host_, "lbuttonup TPanel " + Handle(inner)) != -1; }, 3000))
      << "no release after the press";
  EXPECT_TRUE(e2e::WaitUntil([&] { return LogIndex(host_, "focus TMemo " + Handle(body)) != -1; }, 3000))
      << "the body never got the focus";
}

TEST_F(HostEvents, AHostThatEndsAndStartsAgainBetweenTwoTicksIsAttachedAgain) {
  StartAgentThenHost();
  const auto first = e2e::HookSlots();
  // The next host is up before the agent notices that the first one ended.
  StandinHost second;
  ASSERT_TRUE(second.Start());
  host_.Process().Kill();
  ASSERT_TRUE(e2e::WaitUntil([&] {
    const auto slots = e2e::HookSlots();
    return e2e::HookAttached() && slots[1] != first[1] && slots[2] != first[2];
  }, 2 * kTick + 1000)) << "the new host was never attached";
  // Its events reach the agent.
  HWND takara = second.CommandHandle("show TTakaraWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(takara) != FALSE; }, 3000));
}

TEST_F(HostEvents, TheWatchedApplicationWindowReportedAgainStacksNoHooks) {
  StartAgentThenHost();
  const auto slots = e2e::HookSlots();
  SendMessageA(window_, UM_WNDSHOWN, reinterpret_cast<WPARAM>(host_.Application()), hwApplication);
  SendMessageA(window_, UM_WNDSHOWN, reinterpret_cast<WPARAM>(host_.Application()), 256 + hwApplication);
  EXPECT_EQ(e2e::HookSlots(), slots) << "the hook library was asked to watch again";
  HWND takara = host_.CommandHandle("show TTakaraWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(takara) != FALSE; }, 3000)) << "events stopped";
}

TEST_F(HostEvents, TheBannerGoesWithTheHostAndComesOnlyOverATitleWindow) {
  // The host's title window stays up; the host is killed: the banner goes
  // within a tick and does not come back.
  StartAgentThenHost(-1);
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Banner()); }, 1500)) << "no banner over the title window";
  host_.Process().Kill();
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Visible(Banner()); }, kWithinOneTick)) << "the banner outlived the host";
  e2e::PumpFor(kTick + 300);
  EXPECT_FALSE(Visible(Banner()));

  // A host whose title window closed before the watch found it: no banner.
  StandinHost quick;
  StandinHost::Options options;
  options.titleWindowMs = 100;
  ASSERT_TRUE(quick.Start(options));
  ASSERT_TRUE(e2e::WaitUntil([&] { return quick.CommandHandle("title") == nullptr; }, 3000));
  ASSERT_TRUE(e2e::WaitUntil(e2e::HookAttached, kWithinOneTick + 1000));
  e2e::PumpFor(kTick + 300);
  EXPECT_FALSE(Visible(Banner())) << "a banner over no title window";
}

TEST_F(HostEvents, TheHangUpPromptStaysWhenTheHostItWasShownForEnds) {
  StartAgentThenHost(0, 1);
  HWND main = host_.CommandHandle("main");
  ASSERT_TRUE(host_.Command("close " + Handle(main)));
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(Banner()); }, 3000)) << "no prompt";
  ASSERT_TRUE(host_.Process().WaitForExit(5000).has_value());
  e2e::PumpFor(kTick + 800);  // the watch has noticed the host's end
  EXPECT_TRUE(Visible(Banner())) << "the prompt went with the host";
  EXPECT_EQ(e2e::ClientSize(Banner()).cy, 123);
}

TEST_F(HostEvents, AnAgentThatEndsNormallyLeavesNoHooksInTheHost) {
  StartAgentThenHost();
  ASSERT_TRUE(PostMessageA(window_, WM_CLOSE, 0, 0));
  ASSERT_TRUE(agent_.WaitForExit(10000).has_value());
  // Another agent window: the host's reports must not reach it now.
  e2e::FakeAgentWindow next;
  HWND shown = host_.CommandHandle("show TTakaraWnd");
  e2e::PumpFor(1000);
  EXPECT_TRUE(next.MessagesFor(shown).empty()) << "the ended agent's hooks still report";
}

}  // namespace

namespace {

// A double click report can reach the agent after the host stopped waiting
// for it (the host waits a second at most) and the user went on elsewhere:
// the agent then types nothing into what has the focus now.
TEST_F(HostEvents, ADoubleClickReportedAfterTheFocusMovedOnTypesNothing) {
  StartAgentThenHost();
  HWND memo = host_.CommandHandle("memo");
  ASSERT_NE(memo, nullptr);
  ASSERT_TRUE(host_.Command("set-text " + Handle(memo) + " see http://example.com/late"));
  ASSERT_TRUE(SetClipboardText("the user's own copy"));

  // The user writes a mail: its body has the focus.
  HWND draft = host_.CommandHandle("mail-window");
  ASSERT_NE(draft, nullptr);
  HWND body = FindWindowExA(draft, nullptr, HOST_MEMO_CLASS, nullptr);
  ASSERT_NE(body, nullptr);
  ASSERT_TRUE(host_.Command("set-text " + Handle(body) + " a draft line"));
  RECT rect{};
  GetWindowRect(body, &rect);
  e2e::ClickAt((rect.left + rect.right) / 2, rect.top + 8);
  ASSERT_TRUE(e2e::WaitUntil([&] { return LogIndex(host_, "focus TMemo " + Handle(body)) != -1; }, 5000))
      << "the draft's body did not take the focus";

  // The memo's double click, reported late.
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutA(window_, UM_DBLCLICK, reinterpret_cast<WPARAM>(memo), 0, SMTO_NORMAL, 5000,
                                  &result));
  e2e::PumpFor(1500);
  EXPECT_EQ(GetClipboardText(), "the user's own copy") << "keys reached the draft";
  EXPECT_FALSE(IsWindowVisible(window_)) << "a link window opened";
}

}  // namespace
