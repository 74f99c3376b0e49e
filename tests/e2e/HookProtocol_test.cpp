// The hook library against the stand-in host: what it reports to a window of
// class TSorvik, how (posted or sent), and what it keeps in the shared block.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "hook/sorvikhook.h"
#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HookSlots_win.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/Exports_win.h"
#include "tools/standin-host/StandinProtocol.h"

namespace {

using e2e::FakeAgentWindow;
using e2e::Received;
using e2e::StandinHost;

constexpr DWORD kReportTimeout = 5000;
constexpr DWORD kQuietPeriod = 700;

class HookLibrary {
  using WatchFn = decltype(&WatchMochiruSubWnd);
  using StopFn = decltype(&StopMochiruSubWnd);

 public:
  HookLibrary() {
    module_ = LoadLibraryA((e2e::ReleaseDir() + "sorvikhook.dll").c_str());
    EXPECT_NE(module_, nullptr);
    if (module_ == nullptr) return;
    watch_ = test_support::ExportOf<decltype(WatchMochiruSubWnd)>(module_, "WatchMochiruSubWnd");
    stop_ = test_support::ExportOf<decltype(StopMochiruSubWnd)>(module_, "StopMochiruSubWnd");
    EXPECT_NE(watch_, nullptr);
    EXPECT_NE(stop_, nullptr);
  }
  ~HookLibrary() { Free(); }
  bool Watch(HWND window) { return watch_(window) != 0; }
  void Stop() {
    if (stop_ != nullptr) stop_();
  }
  // Unloads the library from this process now (Stop does nothing after).
  void Free() {
    if (module_ != nullptr) FreeLibrary(TakeModule());
  }
  // Gives up the library without unloading it: the caller frees it.
  HMODULE TakeModule() {
    HMODULE module = module_;
    module_ = nullptr;
    watch_ = nullptr;
    stop_ = nullptr;
    return module;
  }

 private:
  HMODULE module_ = nullptr;
  WatchFn watch_ = nullptr;
  StopFn stop_ = nullptr;
};

std::vector<UINT> MessageNumbers(const std::vector<Received>& messages) {
  std::vector<UINT> numbers;
  for (const Received& r : messages) numbers.push_back(r.message);
  return numbers;
}

std::vector<Received> OfMessage(const std::vector<Received>& messages, UINT message) {
  std::vector<Received> result;
  for (const Received& r : messages) {
    if (r.message == message) result.push_back(r);
  }
  return result;
}

// The host is running, our fake agent window exists, the shared block is held
// open as the agent holds it, and the host is watched.
class HookProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    block_ = e2e::PlantSharedBlock(0, 0, 0);
    ASSERT_NE(block_, nullptr);
    agent_.emplace();
    ASSERT_TRUE(host_.Start());
    ASSERT_FALSE(hook_.Watch(host_.Application())) << "both hooks should install";
    // A thread notices a hook installed for it by another process only
    // after it next retrieves a message; the host's timer sees to that.
    e2e::PumpFor(300);
    agent_->Clear();
  }
  void TearDown() override {
    hook_.Stop();
    if (block_ != nullptr) CloseHandle(block_);
  }

  // Waits until the fake agent holds `count` reports for `window`.
  std::vector<Received> AwaitReports(HWND window, size_t count) {
    e2e::WaitUntil([&] { return agent_->MessagesFor(window).size() >= count; }, kReportTimeout);
    return agent_->MessagesFor(window);
  }

  HANDLE block_ = nullptr;
  std::optional<FakeAgentWindow> agent_;
  StandinHost host_;
  HookLibrary hook_;
};

TEST_F(HookProtocol, ShownOwnedWindowIsPostedWithItsKind) {
  struct Case { const char* className; LPARAM kind; };
  const Case cases[] = {
      {"TMainWnd", hwMainWnd},     {"TTxWnd", hwTxWnd},         {"TRxWnd", hwRxWnd},
      {"TMailWnd", hwMailWnd},     {"TTakaraWnd", hwTakaraWnd}, {"TOtomodatiWnd", hwOtomodatiWnd},
      {"TOmochaWnd", hwOmochaWnd}, {"TOyatsuWnd", hwOyatsuWnd}, {"TReadWnd", hwReadWnd},
      {"TDeleteWnd", hwDeleteWnd}, {"TTitleWnd", hwTitleWnd},   {"TApplication", hwApplication},
      {"TPrintWnd", hwUnknown},    // the hook does not know the print window
      {"TSomethingElse", hwUnknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    HWND window = host_.CommandHandle(std::string("show ") + c.className);
    ASSERT_NE(window, nullptr);
    const auto reports = AwaitReports(window, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, UM_WNDSHOWN);
    EXPECT_EQ(reports[0].lParam, c.kind);
    EXPECT_FALSE(reports[0].sentFromOtherThread) << "shown reports are posted";
  }
}

TEST_F(HookProtocol, CloseBoxOnOwnedWindowReportsCloseThenDestroy) {
  HWND window = host_.CommandHandle("show TReadWnd");
  AwaitReports(window, 1);
  agent_->Clear();

  ASSERT_TRUE(host_.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(window))));
  auto reports = AwaitReports(window, 2);
  e2e::PumpFor(kQuietPeriod);
  reports = agent_->MessagesFor(window);
  ASSERT_EQ(MessageNumbers(reports), (std::vector<UINT>{UM_WNDCLOSED, UM_WNDCLOSED}));
  for (const Received& r : reports) {
    EXPECT_EQ(r.lParam, hwReadWnd);
    EXPECT_FALSE(r.sentFromOtherThread) << "close reports are posted";
  }
  EXPECT_FALSE(IsWindow(window));
  // The host handled WM_CLOSE, then the window was destroyed.
  const auto closed = host_.LogTime("close TReadWnd");
  const auto destroyed = host_.LogTime("destroyed " + std::to_string(reinterpret_cast<std::intptr_t>(window)));
  ASSERT_TRUE(closed && destroyed);
  EXPECT_LT(*closed, *destroyed);
}

TEST_F(HookProtocol, RefusedCloseIsStillReported) {
  HWND window = host_.CommandHandle("show TOyatsuWnd");
  AwaitReports(window, 1);
  agent_->Clear();
  const std::string handle = std::to_string(reinterpret_cast<std::intptr_t>(window));
  ASSERT_TRUE(host_.Command("refuse " + handle));
  ASSERT_TRUE(host_.Command("close " + handle));

  AwaitReports(window, 1);
  e2e::PumpFor(kQuietPeriod);
  const auto reports = agent_->MessagesFor(window);
  ASSERT_EQ(MessageNumbers(reports), (std::vector<UINT>{UM_WNDCLOSED}));
  EXPECT_EQ(reports[0].lParam, hwOyatsuWnd);
  EXPECT_TRUE(IsWindow(window)) << "the host refused to close";
  EXPECT_TRUE(host_.LogTime("close-refused TOyatsuWnd"));
}

TEST_F(HookProtocol, HidingAWindowReportsNothing) {
  HWND window = host_.CommandHandle("show TRxWnd");
  AwaitReports(window, 1);
  agent_->Clear();
  ASSERT_TRUE(host_.Command("hide " + std::to_string(reinterpret_cast<std::intptr_t>(window))));
  e2e::PumpFor(kQuietPeriod);
  EXPECT_TRUE(host_.LogTime("hidden TRxWnd"));
  EXPECT_TRUE(agent_->MessagesFor(window).empty());
}

TEST_F(HookProtocol, ChildControlShownIsReportedButNeverItsDestruction) {
  struct Case { const char* className; LPARAM kind; };
  const Case cases[] = {{"TButton", hwUnknown}, {"TPanel", hwUnknown}, {"TTxWnd", hwTxWnd}};
  HWND parent = host_.CommandHandle("main");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    HWND child = host_.CommandHandle("child " + std::to_string(reinterpret_cast<std::intptr_t>(parent)) +
                                     " " + c.className);
    ASSERT_NE(child, nullptr);
    auto reports = AwaitReports(child, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, UM_WNDSHOWN);
    EXPECT_EQ(reports[0].lParam, c.kind);

    // A child has no owner: neither WM_CLOSE nor WM_DESTROY is reported.
    agent_->Clear();
    ASSERT_TRUE(host_.Command("destroy " + std::to_string(reinterpret_cast<std::intptr_t>(child))));
    e2e::PumpFor(300);
    EXPECT_TRUE(agent_->MessagesFor(child).empty());
  }
}

TEST_F(HookProtocol, DoubleClickIsSentAsButtonUpDoubleClickButtonUpAndTheHostWaits) {
  HWND memo = host_.CommandHandle("memo");
  ASSERT_NE(memo, nullptr);
  SetForegroundWindow(host_.CommandHandle("main"));
  e2e::PumpFor(200);
  // Each report is held for a while: a host that did not wait would handle
  // the click before we return.
  agent_->onMessage = [](const Received&) { Sleep(150); };
  e2e::DoubleClickCentre(memo);

  const auto reports = AwaitReports(memo, 3);
  ASSERT_EQ(MessageNumbers(reports), (std::vector<UINT>{UM_LBUTTONUP, UM_DBLCLICK, UM_LBUTTONUP}));
  for (const Received& r : reports) {
    EXPECT_TRUE(r.sentFromOtherThread) << "mouse reports are sent";
    EXPECT_EQ(r.lParam, 0);
  }
  // The host's memo handled each message only after we had returned.
  std::vector<long long> hostTimes;
  const std::string handle = std::to_string(reinterpret_cast<std::intptr_t>(memo));
  ASSERT_TRUE(e2e::WaitUntil([&] {
    hostTimes.clear();
    for (const std::string& line : host_.LogLines()) {
      const auto space = line.find(' ');
      // The event without the text control's state after " | ".
      const std::string event = line.substr(space + 1, line.find(" | ") - space - 1);
      if (event == "lbuttonup TMemo " + handle || event == "dblclick TMemo " + handle) {
        hostTimes.push_back(std::stoll(line.substr(0, space)));
      }
    }
    return hostTimes.size() >= 3;
  }, kReportTimeout));
  ASSERT_EQ(hostTimes.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_GT(hostTimes[i], reports[i].returnedAt) << i;
}

// An agent that does not answer for a long time (busy, or stuck) holds the
// host's thread for a second at most: the host handles the double click and
// its posted messages go on being handled.
TEST_F(HookProtocol, AnAgentStuckInAReportHoldsTheHostASecondAtMost) {
  HWND memo = host_.CommandHandle("memo");
  ASSERT_NE(memo, nullptr);
  SetForegroundWindow(host_.CommandHandle("main"));
  e2e::PumpFor(200);
  constexpr DWORD kStuckMs = 5000;
  agent_->onMessage = [](const Received& r) {
    if (r.message == UM_DBLCLICK) Sleep(kStuckMs);
  };
  // Pings posted to the host's queue from another thread all along: the
  // host notes the longest time one waited.
  std::atomic<bool> stop{false};
  HWND application = host_.Application();
  std::thread pinger([&] {
    while (!stop) {
      PostMessageA(application, STANDIN_PING, 0, static_cast<LPARAM>(GetTickCount()));
      Sleep(50);
    }
  });
  ASSERT_TRUE(host_.Command("ping-max"));
  e2e::DoubleClickCentre(memo);
  // The wait for the reports began before the agent got stuck in one.
  AwaitReports(memo, 2);
  const auto reports = AwaitReports(memo, 2);
  stop = true;
  pinger.join();
  ASSERT_GE(reports.size(), 2u);
  ASSERT_EQ(reports[1].message, UM_DBLCLICK);

  const auto handled = host_.LogTime("dblclick TMemo");
  ASSERT_TRUE(handled.has_value()) << "the host never handled the double click";
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const long long waitedMs = (*handled - reports[1].receivedAt) * 1000 / frequency.QuadPart;
  EXPECT_LT(waitedMs, 2000) << "the host waited for the stuck agent";
  const auto longestPing = host_.Command("ping-max");
  ASSERT_TRUE(longestPing.has_value());
  EXPECT_LT(*longestPing, 2000) << "a posted message waited for the stuck agent";
}

TEST_F(HookProtocol, MessagePostedToTheThreadIsNeverReported) {
  ASSERT_TRUE(host_.Command("post-thread " + std::to_string(WM_LBUTTONUP)));
  ASSERT_TRUE(host_.Command("post-thread " + std::to_string(WM_LBUTTONDBLCLK)));
  ASSERT_TRUE(e2e::WaitUntil([&] { return host_.LogTime("thread-message 515").has_value(); }, kReportTimeout));
  e2e::PumpFor(300);
  EXPECT_TRUE(OfMessage(agent_->Messages(), UM_LBUTTONUP).empty());
  EXPECT_TRUE(OfMessage(agent_->Messages(), UM_DBLCLICK).empty());
}

TEST_F(HookProtocol, WithoutAnAgentWindowEventsAreDroppedAndTheHostRunsOn) {
  agent_.reset();
  HWND window = host_.CommandHandle("show TMailWnd");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(host_.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(window))));
  HWND memo = host_.CommandHandle("memo");
  SetForegroundWindow(host_.CommandHandle("main"));
  e2e::DoubleClickCentre(memo);
  EXPECT_TRUE(e2e::WaitUntil([&] { return host_.LogTime("dblclick TMemo").has_value(); }, kReportTimeout));
  EXPECT_TRUE(host_.Command("main").has_value()) << "the host still answers";
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(HookProtocol, StopClearsTheGetMessageSlotOnlyAndASecondStopDoesNothing) {
  const auto watched = e2e::ReadSharedSlots();
  ASSERT_TRUE(watched);
  EXPECT_EQ((*watched)[0], 0u);
  EXPECT_NE((*watched)[1], 0u) << "call-window-procedure hook handle";
  EXPECT_NE((*watched)[2], 0u) << "get-message hook handle";
  EXPECT_NE((*watched)[1], (*watched)[2]);

  hook_.Stop();
  const auto stopped = e2e::ReadSharedSlots();
  ASSERT_TRUE(stopped);
  EXPECT_EQ((*stopped)[1], (*watched)[1]) << "slot 1 keeps the stale handle";
  EXPECT_EQ((*stopped)[2], 0u);

  // Nothing is reported any more.
  HWND window = host_.CommandHandle("show TTxWnd");
  e2e::PumpFor(kQuietPeriod);
  EXPECT_TRUE(agent_->MessagesFor(window).empty());

  // A second stop writes nothing: a value planted in slot 2 survives it.
  HANDLE planted = e2e::PlantSharedBlock(0, (*watched)[1], 77);
  hook_.Stop();
  EXPECT_EQ((*e2e::ReadSharedSlots())[2], 77u);
  CloseHandle(planted);
}

TEST_F(HookProtocol, KillingTheWatchingProcessLeavesTheHostRunning) {
  hook_.Stop();
  e2e::ChildProcess watcher = e2e::ChildProcess::Start(
      e2e::BinDir() + "e2e_tests.exe",
      "--watch " + std::to_string(reinterpret_cast<std::intptr_t>(host_.Application())));
  const auto before = e2e::ReadSharedSlots();
  ASSERT_TRUE(e2e::WaitUntil([&] {
    const auto slots = e2e::ReadSharedSlots();
    return slots && (*slots)[2] != 0 && (*slots)[2] != (*before)[2];
  }, kReportTimeout)) << "the watcher installed its hooks";
  HWND shown = host_.CommandHandle("show TTxWnd");
  AwaitReports(shown, 1);
  ASSERT_TRUE(host_.Command("destroy " + std::to_string(reinterpret_cast<std::intptr_t>(shown))));

  watcher.Kill();
  // The host keeps answering, showing and closing windows, and handling
  // clicks.
  HWND window = host_.CommandHandle("show TRxWnd");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(host_.Command("close " + std::to_string(reinterpret_cast<std::intptr_t>(window))));
  SetForegroundWindow(host_.CommandHandle("main"));
  e2e::DoubleClickCentre(host_.CommandHandle("memo"));
  EXPECT_TRUE(e2e::WaitUntil([&] { return host_.LogTime("dblclick TMemo").has_value(); }, kReportTimeout));
  EXPECT_TRUE(host_.Process().Running());
  EXPECT_TRUE(host_.Command("main").has_value());
}

TEST_F(HookProtocol, UnloadingTheLibraryWhileWatchingStopsTheWatch) {
  const auto watched = e2e::ReadSharedSlots();
  ASSERT_TRUE(watched);
  ASSERT_NE((*watched)[2], 0u);

  hook_.Free();
  const auto unloaded = e2e::ReadSharedSlots();
  ASSERT_TRUE(unloaded);
  EXPECT_EQ((*unloaded)[1], (*watched)[1]) << "slot 1 keeps the stale handle";
  EXPECT_EQ((*unloaded)[2], 0u);

  HWND window = host_.CommandHandle("show TTxWnd");
  ASSERT_NE(window, nullptr);
  e2e::PumpFor(kQuietPeriod);
  EXPECT_TRUE(agent_->MessagesFor(window).empty()) << "the hooks are gone";
  EXPECT_TRUE(OfMessage(agent_->Messages(), UM_ERROR).empty());
}

// The agent ends and a new one watches the same host, which keeps running
// and keeps its view of the shared block: the host takes the new hooks'
// handles from the block at once, and every event is reported once, by the
// new hooks alone.
TEST_F(HookProtocol, AWatchRenewedWhileTheHostRunsReportsEachEventOnce) {
  HWND memo = host_.CommandHandle("memo");
  ASSERT_NE(memo, nullptr);
  hook_.Stop();
  hook_.Free();
  HookLibrary renewed;
  ASSERT_FALSE(renewed.Watch(host_.Application()));
  const auto slots = e2e::ReadSharedSlots();
  ASSERT_TRUE(slots);
  ASSERT_NE((*slots)[2], 0u);
  e2e::PumpFor(300);
  agent_->Clear();

  SetForegroundWindow(host_.CommandHandle("main"));
  e2e::PumpFor(200);
  e2e::DoubleClickCentre(memo);
  AwaitReports(memo, 3);
  HWND shown = host_.CommandHandle("show TTxWnd");
  ASSERT_NE(shown, nullptr);
  e2e::PumpFor(kQuietPeriod);
  EXPECT_EQ(MessageNumbers(agent_->MessagesFor(memo)), (std::vector<UINT>{UM_LBUTTONUP, UM_DBLCLICK, UM_LBUTTONUP}));
  EXPECT_EQ(MessageNumbers(agent_->MessagesFor(shown)), (std::vector<UINT>{UM_WNDSHOWN}));
  renewed.Stop();
}

// Without a host window there is no thread to hook.// Without a host window there is no thread to hook.
TEST(HookLibraryFresh, WatchOnSomethingThatIsNotAWindowFailsAndInstallsNothing) {
  HANDLE block = e2e::PlantSharedBlock(0, 0, 0);
  {
    HookLibrary hook;
    EXPECT_TRUE(hook.Watch(reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x7FFF1234))));
    EXPECT_TRUE(hook.Watch(nullptr));
    const auto slots = e2e::ReadSharedSlots();
    ASSERT_TRUE(slots);
    EXPECT_EQ(*slots, (std::vector<std::uint32_t>{0, 0, 0}));
  }
  CloseHandle(block);
}

// ------------------------------------------------- the library's unload path

constexpr DWORD kWatchTick = 2000;

bool ProcessHasModule(DWORD pid, const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Module32First(snapshot, &entry); more && !found; more = Module32Next(snapshot, &entry)) {
    found = _stricmp(entry.szModule, name) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// Takes the shared block's name for a mutex, so that no slot operation can
// create or open the block any more. The host's get-message hook opens the
// block for a moment at every message: try until the name is free.
HANDLE TakeSharedBlockName() {
  HANDLE mutex = nullptr;
  e2e::WaitUntil([&] { return (mutex = CreateMutexA(nullptr, FALSE, SHARED_BLOCK_NAME)) != nullptr; },
                 kReportTimeout);
  return mutex;
}

// A window of class TSorvik on a thread of its own. It answers every message
// at once except the report of a failed slot write (UM_ERROR 103): there it
// hangs, as an agent that no longer answers would, until released (a minute
// at most, so that a failing test still ends).
class UnansweringAgent {
 public:
  UnansweringAgent() {
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    EXPECT_EQ(WaitForSingleObject(ready_, 10000), WAIT_OBJECT_0);
  }
  ~UnansweringAgent() {
    Release();
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(release_);
  }
  UnansweringAgent(const UnansweringAgent&) = delete;
  UnansweringAgent& operator=(const UnansweringAgent&) = delete;

  // From now on it answers everything at once.
  void Release() { SetEvent(release_); }
  int SlotWriteErrorsSent() const { return sent_; }
  int SlotWriteErrorsPosted() const { return posted_; }

 private:
  static DWORD WINAPI Run(void* context) {
    auto* self = static_cast<UnansweringAgent*>(context);
    FakeAgentWindow window;
    window.onMessage = [self](const Received& r) {
      if (r.message != UM_ERROR || r.lParam != errSlotWrite) return;
      ++(r.sentFromOtherThread ? self->sent_ : self->posted_);
      WaitForSingleObject(self->release_, 60000);
    };
    SetEvent(self->ready_);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
  }

  HANDLE release_ = nullptr;
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  std::atomic<int> sent_{0};
  std::atomic<int> posted_{0};
};

DWORD WINAPI FreeLibraryThread(void* module) {
  FreeLibrary(static_cast<HMODULE>(module));
  return 0;
}

// The host is watched from this process, and its copy of the library knows
// the get-message hook; the agent window does not answer the report of a
// failed slot write.
class HookLibraryUnload : public ::testing::Test {
 protected:
  void SetUp() override {
    block_ = e2e::PlantSharedBlock(0, 0, 0);
    ASSERT_NE(block_, nullptr);
    ASSERT_TRUE(host_.Start());
    ASSERT_FALSE(hook_.Watch(host_.Application()));
    // The host's copy takes the hook's handle from the block on the
    // procedure's first call: a message to the host's thread makes sure it
    // has run.
    const std::string message = std::to_string(WM_APP + 7);
    ASSERT_TRUE(host_.Command("post-thread " + message));
    ASSERT_TRUE(e2e::WaitUntil([&] { return host_.LogTime("thread-message " + message).has_value(); },
                               kReportTimeout));
    ASSERT_TRUE(ProcessHasModule(host_.Process().Id(), "sorvikhook.dll"));
  }
  void TearDown() override {
    agent_.Release();
    hook_.Stop();
    if (block_ != nullptr) CloseHandle(block_);
  }

  UnansweringAgent agent_;
  HANDLE block_ = nullptr;
  StandinHost host_;
  HookLibrary hook_;
};

// The host's copy of the library is unloaded as the host ends: it must not
// wait for the agent then.
TEST_F(HookLibraryUnload, AHostThatEndsWhileTheAgentDoesNotAnswerEndsAtOnce) {
  ASSERT_TRUE(host_.Command("quit"));
  const auto exitCode = host_.Process().WaitForExit(5000);
  agent_.Release();  // a host that is waiting for the agent can end now
  ASSERT_TRUE(exitCode.has_value()) << "the host hung while its copy of the library was unloaded";
  EXPECT_EQ(*exitCode, 0u);
  EXPECT_EQ(agent_.SlotWriteErrorsSent(), 0);
}

// A process whose copy of the library never could open the shared block
// (its name taken by another object) still watches; unloading the library
// there stops the watch, whose write of slot 2 fails again: that is
// reported without waiting, under the loader lock.
TEST(HookLibraryUnloadWithoutBlock, UnloadingWhileWatchingReportsTheFailedWriteWithoutWaiting) {
  HANDLE squatter = TakeSharedBlockName();
  ASSERT_NE(squatter, nullptr);
  StandinHost host;
  ASSERT_TRUE(host.Start());
  HookLibrary hook;
  EXPECT_FALSE(hook.Watch(host.Application())) << "both hooks install, though their handles reach no slot";
  UnansweringAgent agent;
  HANDLE freeing = CreateThread(nullptr, 0, FreeLibraryThread, hook.TakeModule(), 0, nullptr);
  ASSERT_NE(freeing, nullptr);
  const bool freed = WaitForSingleObject(freeing, 5000) == WAIT_OBJECT_0;
  agent.Release();  // an unload that is waiting for the agent can end now
  WaitForSingleObject(freeing, 60000);
  CloseHandle(freeing);
  CloseHandle(squatter);
  ASSERT_TRUE(freed) << "unloading the library waited for the agent";
  EXPECT_TRUE(e2e::WaitUntil([&] { return agent.SlotWriteErrorsPosted() == 1; }, kReportTimeout))
      << "the failed write was not reported";
  EXPECT_EQ(agent.SlotWriteErrorsSent(), 0);
}

// Windows unloads the host's copy of the library once no hook needs it
// (the stand-in host does it on command: Wine never does), closing its view
// of the block; a new watch loads it again, and the new copy maps the block
// anew and reports as the first did.
TEST_F(HookProtocol, TheLibraryUnloadedFromTheHostAndLoadedAgainReportsAsBefore) {
  const DWORD hostPid = host_.Process().Id();
  ASSERT_TRUE(ProcessHasModule(hostPid, "sorvikhook.dll"));
  hook_.Stop();
  ASSERT_EQ(host_.Command("free-library sorvikhook.dll"), std::optional<LRESULT>(1));
  ASSERT_FALSE(ProcessHasModule(hostPid, "sorvikhook.dll"));
  ASSERT_TRUE(host_.Command("main").has_value()) << "the host did not survive the unload";
  ASSERT_FALSE(hook_.Watch(host_.Application()));
  HWND shown = host_.CommandHandle("show TTxWnd");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(MessageNumbers(AwaitReports(shown, 1)), (std::vector<UINT>{UM_WNDSHOWN}));
  EXPECT_TRUE(ProcessHasModule(hostPid, "sorvikhook.dll"));
  EXPECT_TRUE(OfMessage(agent_->Messages(), UM_ERROR).empty());
}

// The host's library may find the shared block impossible to open (its
// name taken by another object): it reports that to the agent, passes every
// message on and reports the events all the same; once the block can be
// opened, it opens it and the reports of the failure stop.
TEST(HookLibraryBlockMissing, TheHostReportsTheFailureGoesOnAndOpensTheBlockOnceItCan) {
  HANDLE squatter = TakeSharedBlockName();
  ASSERT_NE(squatter, nullptr);
  FakeAgentWindow agent;
  StandinHost host;
  ASSERT_TRUE(host.Start());
  HookLibrary hook;
  ASSERT_FALSE(hook.Watch(host.Application()));
  const auto slotReadErrors = [&] {
    int count = 0;
    for (const Received& r : agent.Messages()) count += r.message == UM_ERROR && r.lParam == errSlotRead;
    return count;
  };
  HWND shown = host.CommandHandle("show TTxWnd");
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !agent.MessagesFor(shown).empty(); }, kReportTimeout))
      << "events are no longer reported";
  EXPECT_TRUE(e2e::WaitUntil([&] { return slotReadErrors() > 0; }, kReportTimeout)) << "the failure was not reported";
  EXPECT_TRUE(host.Command("main").has_value()) << "the host no longer answers";

  CloseHandle(squatter);
  HANDLE block = e2e::PlantSharedBlock(0, 0, 0);
  ASSERT_NE(block, nullptr);
  // A few messages for the host's thread: the first opens the block.
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(host.Command("post-thread " + std::to_string(WM_APP + 7)));
  e2e::PumpFor(kQuietPeriod);
  const int reported = slotReadErrors();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.Command("post-thread " + std::to_string(WM_APP + 7)));
  HWND later = host.CommandHandle("show TRxWnd");
  EXPECT_TRUE(e2e::WaitUntil([&] { return !agent.MessagesFor(later).empty(); }, kReportTimeout));
  e2e::PumpFor(kQuietPeriod);
  EXPECT_EQ(slotReadErrors(), reported) << "the host did not open the block once it could";
  hook.Stop();
  CloseHandle(block);
}

// The user quits the host while the agent watches it: the host ends at once
// and normally, and once the agent's watch has noticed, the agent's stop
// clears slot 2.
TEST(HostEnding, TheHostEndsNormallyAndTheAgentClearsTheSlotWhenItDetaches) {
  const e2e::AgentInstall install = e2e::InstallAgent(e2e::ScratchDir());
  e2e::ChildProcess agent = e2e::StartAgent(install);
  ASSERT_NE(e2e::WaitForAgentWindow(agent.Id()), nullptr);
  StandinHost host;
  ASSERT_TRUE(host.Start());
  const auto getMessageSlot = [] {
    const auto slots = e2e::ReadSharedSlots();
    return slots ? (*slots)[2] : 0u;
  };
  ASSERT_TRUE(e2e::WaitUntil([&] { return getMessageSlot() != 0; }, kWatchTick + 3000)) << "never attached";
  ASSERT_TRUE(e2e::WaitUntil([&] { return ProcessHasModule(host.Process().Id(), "sorvikhook.dll"); },
                             kReportTimeout))
      << "the host never loaded the library";

  ASSERT_TRUE(host.Command("quit"));
  EXPECT_EQ(host.Process().WaitForExit(5000), std::optional<DWORD>(0));
  EXPECT_TRUE(e2e::WaitUntil([&] { return getMessageSlot() == 0; }, kWatchTick + 1500))
      << "the agent did not detach";
  EXPECT_TRUE(agent.Running());
}

}  // namespace
