#include "tests/soak/SoakRun.h"

#include <winternl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "agent/FriendBook.h"
#include "agent/TrayMenu.h"
#include "tests/e2e/TraySupport.h"
#include "tests/support/CoreKeptAwake.h"
#include "tests/support/Exports_win.h"
#include "tools/standin-host/FriendBookFile.h"
#include "tools/standin-host/StandinProtocol.h"
#include "toolbox/Clipboard_win.h"
#include "toolbox/WindowUtils_win.h"

namespace soak {

namespace {

double g_scale = 1.0;

std::string Handle(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window) != FALSE; }

// The memo's lines: each with one URL and one address, told apart by its
// number.
constexpr int kMemoLines = 10;
std::string MemoLine(int i) {
  return "行" + std::to_string(i) + ": http://example.com/" + std::to_string(i) + "?q=" + std::to_string(i) +
         " と user" + std::to_string(i) + "@example.jp を見て";
}
std::vector<std::string> MemoLinks(int i) {
  return {"http://example.com/" + std::to_string(i) + "?q=" + std::to_string(i),
          "mailto:user" + std::to_string(i) + "@example.jp"};
}

// The print preview's header: recipients with spaces, a plain sender.
const char kHeader[] =
    "モチル for Windows ver. 2.0\r\n"
    "----------------------------------------\r\n"
    "Date:    2024/05/01 (水) 10:00\r\n"
    "To: taro@example.jp, \"花子\" <hanako@example.jp>\r\n"
    "From: jiro@example.jp\r\n"
    "Subject: 来週の会議について\r\n"
    "----------------------------------------\r\n";

// The texts of the controls of `window`, its own included.
std::vector<std::string> ControlTexts(HWND window) {
  std::vector<std::string> texts{ControlText(window, 100000)};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM into) CALLBACK -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(into)->push_back(ControlText(child, 100000));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Whether a control of `window` holds `text` (a paste may come after what
// the control held).
bool Holds(HWND window, const std::string& text) {
  for (const std::string& held : ControlTexts(window)) {
    if (held.find(text) != std::string::npos) return true;
  }
  return false;
}

std::vector<HWND> WindowsOf(const char* cls) {
  std::vector<HWND> found;
  for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, cls, nullptr)) {
    found.push_back(w);
  }
  return found;
}

// A visible window of `cls` that is not in `before`.
HWND NewVisibleWindow(const char* cls, const std::vector<HWND>& before) {
  for (HWND w : WindowsOf(cls)) {
    if (Visible(w) && std::find(before.begin(), before.end(), w) == before.end()) return w;
  }
  return nullptr;
}

}  // namespace

double Scale() { return g_scale; }
void SetScale(double scale) { g_scale = scale; }
int Scaled(int amount, int minimum) {
  return std::max(minimum, static_cast<int>(std::lround(amount * g_scale)));
}

ProcessFigures FiguresOf(HANDLE process) {
  ProcessFigures figures;
  // Wine answers the per-process queries with zeros for another process;
  // its list of all processes carries the counts.
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<unsigned char> buffer(1 << 20);
  ULONG needed = 0;
  if (query != nullptr && query(5 /* SystemProcessInformation */, buffer.data(), static_cast<ULONG>(buffer.size()),
                                &needed) == 0) {
    const DWORD pid = GetProcessId(process);
    for (std::size_t at = 0;;) {
      const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
      if (static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId)) == pid) {
        figures.handles = entry->HandleCount;
        figures.privateBytes = entry->VirtualMemoryCounters.PagefileUsage != 0
                                   ? entry->VirtualMemoryCounters.PagefileUsage
                                   : entry->PrivatePageCount;
        figures.workingSet = entry->VirtualMemoryCounters.WorkingSetSize;
        break;
      }
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles) && handles != 0) figures.handles = handles;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
      memory.PrivateUsage != 0) {
    figures.privateBytes = memory.PrivateUsage;
  }
  figures.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  figures.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  return figures;
}

std::string Describe(const ProcessFigures& f) {
  auto reported = [](DWORD n) { return n == 0 ? std::string("not reported") : std::to_string(n); };
  return "handles " + std::to_string(f.handles) + ", private memory " + std::to_string(f.privateBytes / 1024) +
         " KiB, working set " + std::to_string(f.workingSet / 1024) + " KiB, GDI objects " + reported(f.gdiObjects) + ", USER objects " + reported(f.userObjects);
}

HostPinger::HostPinger()
    : thread_([this] {
        while (!stop_) {
          HWND target = target_;
          if (target != nullptr) PostMessageA(target, STANDIN_PING, 0, static_cast<LPARAM>(GetTickCount()));
          Sleep(50);
        }
      }) {}

HostPinger::~HostPinger() {
  stop_ = true;
  thread_.join();
}

void Report(const std::string& line) {
  std::printf("soak: %s\n", line.c_str());
  std::fflush(stdout);
}

std::vector<std::string> OursRunning() {
  static const char* const kOurs[] = {"sorvik.exe", "standin-host.exe", "task-switcher.exe", "shell-recorder.exe"};
  std::vector<std::string> running;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return {"(no process list)"};
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    std::string name = entry.szExeFile;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* ours : kOurs) {
      if (name == ours) running.push_back(name + " (" + std::to_string(entry.th32ProcessID) + ")");
    }
  }
  CloseHandle(snapshot);
  return running;
}

// ---------------------------------------------------------------- SoakRun

void SoakRun::SetUp() {
  MailFixture::SetUp();
  if (HasFatalFailure()) return;
  WriteFriendBook(standin::FriendBookBytes({{"ポチ", "太郎", "a1@example.jp"}, {"タマ", "花子", "a2@example.jp"}}));
  pinger_ = std::make_unique<HostPinger>();
  switcher_ = std::make_unique<e2e::TaskSwitcher>(dir_ + "task-switcher.log");
}

void SoakRun::TearDown() {
  if (agent_.Running()) {
    e2e::CloseMenus(agent_.Id());
    PostMessageA(agentWindow_, WM_CLOSE, 0, 0);
    agent_.WaitForExit(10000);
  }
  if (host_.Process().Running()) {
    host_.Command("quit");
    host_.Process().WaitForExit(10000);
  }
  pinger_.reset();
  switcher_.reset();
  ExpectNoModifierDown("the end");
  // Nothing of ours is left behind (the shell's recorders end as they
  // record).
  EXPECT_TRUE(e2e::WaitUntil([] { return OursRunning().empty(); }, 10000))
      << "still running: " << [] {
           std::string names;
           for (const std::string& name : OursRunning()) names += name + " ";
           return names;
         }();
}

void SoakRun::StartHost() {
  ASSERT_TRUE(host_.Start()) << "the host did not start";
  pinger_->Target(host_.Application());
  memo_ = host_.CommandHandle("memo");
  std::string lines;
  for (int i = 0; i < kMemoLines; ++i) lines += MemoLine(i) + "\r\n";
  Host("set-text " + Handle(memo_) + " " + lines);
  Host(std::string("print-text ") + kHeader);
  rx_ = host_.CommandHandle("rx-window");
  ASSERT_NE(rx_, nullptr);
  PutAsideOfTheMemo(rx_);
}

void SoakRun::PutAsideOfTheMemo(HWND window) {
  // The received-mail window stays open all along: where it does not cover
  // the memo's lines, the window manager's restacking after a window shown
  // or brought to the front cannot put it under a double click.
  RECT memo{}, rect{};
  GetWindowRect(memo_, &memo);
  GetWindowRect(window, &rect);
  MoveWindow(window, memo.right + 10, memo.bottom + 10, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void SoakRun::StartAgent(const std::string& boxPart) {
  iconsBefore_ = e2e::TrayIconWindows();
  agent_ = e2e::StartAgent(install_);
  if (!boxPart.empty()) {
    HWND box = e2e::WaitForMessageBox(agent_.Id(), boxPart);
    ASSERT_NE(box, nullptr) << "no message with " << boxPart;
    ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  }
  agentWindow_ = e2e::WaitForAgentWindow(agent_.Id());
  ASSERT_NE(agentWindow_, nullptr) << "the agent's window never appeared";
  icon_ = e2e::WaitForNewTrayIcon(iconsBefore_);
  ASSERT_NE(icon_, nullptr) << "no icon of the agent in the tray";
  ASSERT_TRUE(e2e::WaitUntil(e2e::HookAttached, 10000)) << "the agent does not watch the host";
}

void SoakRun::StartHostAndAgent() {
  StartHost();
  if (HasFatalFailure()) return;
  StartAgent();
}

void SoakRun::EndAgent() {
  ASSERT_TRUE(PostMessageA(agentWindow_, WM_COMMAND, cmdExit, 0));
  const auto code = agent_.WaitForExit(10000);
  ASSERT_TRUE(code.has_value()) << "the agent did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TrayIconWindows().size() == iconsBefore_.size(); }, 5000))
      << "the icon stayed in the tray";
}

void SoakRun::ExpectHostResponsive(const std::string& step) {
  const auto longest = host_.Command("ping-max");
  ASSERT_TRUE(longest.has_value()) << step << ": the host did not answer within 10 s";
  longestPing_ = std::max(longestPing_, static_cast<DWORD>(*longest));
  EXPECT_LE(*longest, kLongestPingMs) << step << ": the host's queue kept a ping waiting " << *longest << " ms";
}

void SoakRun::ExpectNoModifierDown(const std::string& step) {
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
    EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0) << step << ": the key " << key << " is left down";
  }
}

long long SoakRun::HostMessageCost() {
  // The host is busy measuring for most of a second: no pings meanwhile,
  // and none left in its queue, whose wait would be the measurement's and
  // not the agent's. The best of a few runs: whatever else the machine does
  // only ever adds to a run.
  pinger_->Target(nullptr);
  e2e::PumpFor(200);
  long long best = -1;
  {
    const test_support::CoreKeptAwake awake;
    host_.Command("bench 500");  // warm-up
    for (int run = 0; run < 5; ++run) {
      const auto cost = host_.Command("bench 2000");
      if (cost && *cost > 0 && (best < 0 || *cost < best)) best = static_cast<long long>(*cost);
    }
  }
  e2e::PumpFor(200);
  host_.Command("ping-max");
  pinger_->Target(host_.Application());
  return best;
}

long long SoakRun::HostMessageCostWithEmptyHooks() {
  HMODULE empty = LoadLibraryA((e2e::BinDir() + "emptyhook.dll").c_str());
  auto install = test_support::ExportOf<BOOL WINAPI(DWORD)>(empty, "InstallEmptyHooks");
  auto remove = test_support::ExportOf<void WINAPI()>(empty, "RemoveEmptyHooks");
  long long cost = -1;
  if (install != nullptr && remove != nullptr &&
      install(GetWindowThreadProcessId(host_.Application(), nullptr))) {
    cost = HostMessageCost();
    remove();
  }
  if (empty != nullptr) FreeLibrary(empty);
  return cost;
}

void SoakRun::ExpectHostArranged(const std::string& step) {
  // The agent finds a new host at its next watch tick: until then the
  // window is shown again.
  const DWORD start = GetTickCount();
  for (;;) {
    HWND takara = host_.CommandHandle("show TTakaraWnd");
    ASSERT_NE(takara, nullptr);
    const bool maximised = e2e::WaitUntil([&] { return IsZoomed(takara) != FALSE; }, 500);
    Host("close " + Handle(takara));
    if (maximised) return;
    if (GetTickCount() - start > 8000) {
      ADD_FAILURE() << step << ": the agent did not maximise the host's new window";
      return;
    }
  }
}

DWORD SoakRun::ClipboardChangesOfDoubleClick(int line) {
  const DWORD before = GetClipboardSequenceNumber();
  DoubleClickLine(line);
  // A second report of the same double click would copy again.
  e2e::PumpFor(700);
  return GetClipboardSequenceNumber() - before;
}

long long SoakRun::ClipboardReadGrowth(int reads) {
  // The host's memo puts its copy there as Unicode text, which the reader
  // gets as ANSI text made from it.
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const ProcessFigures before = FiguresOf(GetCurrentProcess());
  for (int i = 0; i < reads; ++i) {
    const std::wstring line = L"行" + std::to_wstring(i) + L": http://example.com/ と user@example.jp";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (line.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr || !OpenClipboard(owner)) {
      if (memory != nullptr) GlobalFree(memory);
      ADD_FAILURE() << "the clipboard could not be written";
      break;
    }
    std::memcpy(GlobalLock(memory), line.c_str(), (line.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    CloseClipboard();
    if (!TryGetClipboardText().has_value()) ADD_FAILURE() << "the clipboard could not be read";
    e2e::PumpFor(5);
  }
  const ProcessFigures after = FiguresOf(GetCurrentProcess());
  DestroyWindow(owner);
  return static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes);
}

// ---------------------------------------------------------------- the work

void SoakRun::OpenAndCloseWindows(int count) {
  // Every kind of the host's table but the application window, in the
  // table's order, the hole standing for a class the table does not know;
  // the commands that make each. The host has one main window, which
  // closing would end (the host's restarts do that), so it is hidden and
  // shown again; and one received-mail window, which is closed and opened
  // anew, so that the mail commands find one.
  struct Kind { HostWindowKind kind; const char* command; bool maximised; };
  static constexpr Kind kKinds[] = {
      {hwMainWnd, "main", false},
      {hwTxWnd, "show TTxWnd", false},
      {hwRxWnd, "rx-window", false},
      {hwMailWnd, "mail-window", false},
      {hwTakaraWnd, "show TTakaraWnd", true},
      {hwOtomodatiWnd, "show TOtomodatiWnd", false},
      {hwOmochaWnd, "show-with-list TOmochaWnd", false},
      {hwOyatsuWnd, "show-with-list TOyatsuWnd", false},
      {hwUnknown, "show TUnlistedWnd", false},
      {hwReadWnd, "show-read 読む", true},
      {hwDeleteWnd, "show TDeleteWnd", false},
      {hwTitleWnd, "show TTitleWnd", false},
      {hwPrintWnd, "show TPrintWnd 印刷", false},
  };
  static_assert(std::size(kKinds) == kWindowKinds, "one row for each kind of the host's table but the application");
  static_assert(
      [] {
        for (std::size_t i = 0; i < std::size(kKinds); ++i) {
          if (static_cast<std::size_t>(kKinds[i].kind) != i + 1) return false;
        }
        return true;
      }(),
      "the rows follow the host's table from the kind after the application");
  for (int i = 0; i < count; ++i) {
    const Kind& kind = kKinds[i % std::size(kKinds)];
    const std::string command = kind.command;
    if (command == "main") {
      HWND main = host_.CommandHandle("main");
      Host("hide " + Handle(main));
      Host("showwin " + Handle(main));
    } else if (command == "rx-window") {
      Host("close " + Handle(rx_));
      rx_ = host_.CommandHandle("rx-window");
      ASSERT_NE(rx_, nullptr);
      PutAsideOfTheMemo(rx_);
    } else {
      HWND window = host_.CommandHandle(command);
      ASSERT_NE(window, nullptr) << command;
      if (kind.maximised) {
        ASSERT_TRUE(e2e::WaitUntil([&] { return IsZoomed(window) != FALSE; }, 3000)) << command << ": not maximised";
      }
      Host("close " + Handle(window));
    }
    ExpectHostResponsive(std::string("window ") + kind.command + " " + std::to_string(i + 1));
  }
  ExpectHostResponsive("windows");
}

bool SoakRun::DoubleClickMemoLine(int line, POINT& at) {
  const auto packed = host_.Command("line-point " + Handle(memo_) + " " + std::to_string(line));
  if (!packed || *packed == -1) {
    ADD_FAILURE() << "no line " << line;
    return false;
  }
  at = {static_cast<short>(LOWORD(*packed)), static_cast<short>(HIWORD(*packed))};
  // The memo must be what is under the point when the click comes: the
  // window manager may raise a window the host has just shown after the
  // main window came to the front.
  HWND main = GetAncestor(memo_, GA_ROOT);
  int uncoveredLooks = 0;  // in a row, 50 ms apart
  const bool uncovered = e2e::WaitUntil([&] {
    if (WindowFromPoint(at) != memo_) {
      uncoveredLooks = 0;
      e2e::BringToFront(main, 500);
      return false;
    }
    if (++uncoveredLooks >= 3) return true;
    e2e::PumpFor(50);
    return false;
  }, 10000);
  if (!uncovered) {
    ADD_FAILURE() << "line " << line << " stays covered by " << GetClassNameString(WindowFromPoint(at));
    return false;
  }
  e2e::DoubleClickAt(at.x, at.y);
  return true;
}

void SoakRun::DoubleClickLine(int line) {
  const e2e::LinkWindowParts parts = e2e::FindLinkWindowParts(agentWindow_);
  ASSERT_NE(parts.form, nullptr);
  POINT at{};
  ASSERT_TRUE(DoubleClickMemoLine(line, at));
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(parts.form); }, 5000))
      << "double click " << doubleClicks_ << ": no link window";
  const auto entries = e2e::ListBoxEntries(parts.list);
  const auto expected = MemoLinks(line);
  EXPECT_EQ(entries, expected) << "double click " << doubleClicks_;
  if (entries != expected) {
    // What the agent saw and what the host did, for the one who reads the
    // failure.
    HWND under = WindowFromPoint(at);
    HWND foreground = GetForegroundWindow();
    POINT cursor{};
    GetCursorPos(&cursor);
    Report("the pointer is at " + std::to_string(cursor.x) + "," + std::to_string(cursor.y) +
           "; the link window before was dismissed by a click at " + std::to_string(lastDismissal_.x) + "," +
           std::to_string(lastDismissal_.y));
    Report("clicked at " + std::to_string(at.x) + "," + std::to_string(at.y) + " on " + Handle(under) + " (" +
           GetClassNameString(under) + "), memo " + Handle(memo_) + ", foreground " + Handle(foreground) + " (" +
           GetClassNameString(foreground) + "); the clipboard holds: " + GetClipboardText());
    // Whose copy it is: the host's, or one that Wine's clipboard manager
    // (in the desktop's process) took over from the X selection.
    HWND owner = GetClipboardOwner();
    DWORD ownerPid = 0;
    GetWindowThreadProcessId(owner, &ownerPid);
    Report("the clipboard's owner " + Handle(owner) + " (" + GetClassNameString(owner) + ") of process " +
           std::to_string(ownerPid) + ", the host's is " + std::to_string(host_.Process().Id()) +
           "; its sequence number " + std::to_string(GetClipboardSequenceNumber()));
    const auto log = host_.LogLines();
    for (std::size_t i = log.size() > 40 ? log.size() - 40 : 0; i < log.size(); ++i) Report("host: " + log[i]);
  }
  ASSERT_TRUE(e2e::DismissLinkWindow(parts, &lastDismissal_))
      << "double click " << doubleClicks_ << ": やめとく did not hide the window";
  ++doubleClicks_;
}

void SoakRun::DoubleClickLinks(int count) {
  ASSERT_TRUE(e2e::BringToFront(host_.CommandHandle("main")));
  for (int i = 0; i < count; ++i) {
    DoubleClickLine(i % kMemoLines);
    if (HasFatalFailure()) return;
    ExpectHostResponsive("double click " + std::to_string(doubleClicks_));
  }
  ExpectHostResponsive("double clicks");
}

void SoakRun::OpenTrayMenus(int count) {
  const DWORD hostPid = host_.Process().Id();
  for (int i = 0; i < count; ++i) {
    // Two clicks on the icon within the double-click time are a double
    // click, which opens no menu.
    e2e::PumpFor(GetDoubleClickTime() + 100);
    ASSERT_TRUE(e2e::OpenTrayMenu(agent_.Id(), icon_)) << "tray menu " << i << " did not open";
    if (i % 2 == 0) {
      ASSERT_TRUE(e2e::CloseMenus(agent_.Id())) << "tray menu " << i << " did not close";
      continue;
    }
    // The first host window entry brings a host window to the front.
    e2e::PressKey('1');
    ASSERT_TRUE(e2e::WaitForMenus(agent_.Id(), 0)) << "tray menu " << i << ": &1 did not close it";
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
          DWORD pid = 0;
          GetWindowThreadProcessId(GetForegroundWindow(), &pid);
          return pid == hostPid;
        },
        3000))
        << "tray menu " << i << ": &1 brought no host window to the front";
    ExpectHostResponsive("tray menu " + std::to_string(i + 1));
  }
  ExpectHostResponsive("tray menus");
}

namespace {
// How long a mail command may take on a busy machine: its own waits are up
// to 5 s for the print preview, 5 s for it to come to the front and 10 s
// for a new mail-writing window, and a program it starts starts slowly.
constexpr DWORD kMailCommandLimitMs = 25000;

// The mail commands in the order the soak runs them, each once: every
// mail command of the tray menu's table (the friend book's copy before its
// pastes, as the soak has always run them).
constexpr MenuCommand kMailCommandOrder[] = {
    cmdCopyRecipients, cmdCopySender,  cmdReplyToAll,   cmdForward,
    cmdReplyInMailer,  cmdReplyToAllInMailer, cmdCopyFriends, cmdPasteFriends,
    cmdPasteFriendsAsRecipients,
};
static_assert(std::size(kMailCommandOrder) == MailCommandCount(), "every mail command of the tray menu, once");
static_assert(
    [] {
      for (MenuCommand command : kMailCommandOrder) {
        int found = 0;
        for (int i = 0; i < MailCommandCount(); ++i) found += MailCommandAt(i) == command ? 1 : 0;
        if (found != 1) return false;
      }
      return true;
    }(),
    "only mail commands of the tray menu, each once");
}  // namespace

void SoakRun::RunMailCommands(int count) {
  for (int i = 0; i < count; ++i) {
    RunMailCommand(kMailCommandOrder[mailCommands_ % std::size(kMailCommandOrder)]);
    if (HasFatalFailure()) return;
    ++mailCommands_;
    ExpectHostResponsive("mail command " + std::to_string(mailCommands_));
  }
  ExpectHostResponsive("mail commands");
}

void SoakRun::RunMailCommand(MenuCommand command) {
  const std::string subject = "来週の会議について";
  switch (command) {
    case cmdCopyRecipients: return CopyCommand(command, "taro@example.jp,\"花子\"<hanako@example.jp>");
    case cmdCopySender: return CopyCommand(command, "jiro@example.jp");
    case cmdReplyToAll: return NewMailCommand(command, "Re: " + subject);
    case cmdForward: return NewMailCommand(command, "Fw: " + subject);
    case cmdReplyInMailer: return MailerCommand(command, "mailto:jiro@example.jp?subject=Re:" + subject);
    case cmdReplyToAllInMailer:
      return MailerCommand(command,
                           "mailto:taro@example.jp,hanako@example.jp,jiro@example.jp,?subject=Re:" + subject);
    case cmdCopyFriends:
    case cmdPasteFriends:
    case cmdPasteFriendsAsRecipients:
      return FriendCommand(command);
    // Not mail commands. (No default: a new command fails to compile here
    // until the soak has a step for it or says it is none.)
    case cmdStartHost:
    case cmdSetAttachFolder:
    case cmdRegisterStartUp:
    case cmdHelp:
    case cmdExit:
    case cmdWindowItemFirst:
      break;
  }
  ADD_FAILURE() << "the soak has no step for mail command " << command;
}

void SoakRun::CopyCommand(unsigned command, const std::string& expected) {
  Send(command);
  HWND box = WaitForBox("クリップボードにコピーしました");
  ASSERT_NE(box, nullptr) << "mail command " << mailCommands_ << ": no message";
  EXPECT_EQ(GetClipboardText(), expected) << "mail command " << mailCommands_;
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(e2e::WaitUntil([] { return Preview() == nullptr; }, 5000))
      << "mail command " << mailCommands_ << ": the preview stayed";
}

void SoakRun::NewMailCommand(unsigned command, const std::string& subject) {
  const std::vector<HWND> before = WindowsOf("TMailWnd");
  Send(command);
  HWND mail = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (mail = NewVisibleWindow("TMailWnd", before)) != nullptr; },
                             kMailCommandLimitMs))
      << "mail command " << mailCommands_ << ": no new mail";
  EXPECT_TRUE(e2e::WaitUntil([&] { return Holds(mail, subject); }, 5000))
      << "mail command " << mailCommands_ << ": the new mail has no subject " << subject;
  ASSERT_TRUE(e2e::WaitUntil([] { return Preview() == nullptr; }, 12000))
      << "mail command " << mailCommands_ << ": the preview stayed";
  Host("close " + Handle(mail));
}

void SoakRun::MailerCommand(unsigned command, const std::string& url) {
  const std::size_t before = e2e::RecordedOpens(mailtoLog_).size();
  Send(command);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::RecordedOpens(mailtoLog_).size() > before; }, kMailCommandLimitMs))
      << "mail command " << mailCommands_ << ": the default mail program was asked nothing";
  EXPECT_EQ(e2e::RecordedOpens(mailtoLog_).back(), url) << "mail command " << mailCommands_;
  ASSERT_TRUE(e2e::WaitUntil([] { return Preview() == nullptr; }, 5000))
      << "mail command " << mailCommands_ << ": the preview stayed";
}

bool SoakRun::Choose(int friendIndex) {
  HWND dialog = WaitForDialog();
  if (dialog == nullptr) {
    ADD_FAILURE() << "mail command " << mailCommands_ << ": no friend dialog";
    return false;
  }
  SelectFriends(dialog, {friendIndex});
  ClickOk(dialog);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000))
      << "mail command " << mailCommands_ << ": the dialog stayed";
  return true;
}

namespace {

std::string Described(HWND window) {
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  return Handle(window) + " (" + GetClassNameString(window) + " \"" + title + "\")";
}

}  // namespace

void SoakRun::ReportTaskSwitches(std::size_t since, HWND mail, HWND standIn) {
  const auto describe = [](const std::string& handle) {
    return Described(reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::stoll(handle))));
  };
  Report("the mail " + Handle(mail) + ", the tray menu's stand-in " + Handle(standIn) + ", the foreground " +
         Described(GetForegroundWindow()));
  const auto switches = switcher_->Switches();
  for (std::size_t i = since; i < switches.size(); ++i) {
    std::istringstream words(switches[i]);
    std::string verb, from, to;
    words >> verb >> from >> to;
    Report("task switch from " + describe(from) + " to " + describe(to));
  }
}

bool SoakRun::ClickIntoBody(HWND mail) {
  HWND body = FindWindowExA(mail, nullptr, "TMemo", nullptr);
  if (body == nullptr) return false;
  const DWORD thread = GetWindowThreadProcessId(body, nullptr);
  const auto focused = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == body;
  };
  return e2e::ClickCentreUntil(body, focused);
}

void SoakRun::FriendCommand(unsigned command) {
  const std::string first = "a1@example.jp (太郎)";
  if (command == cmdCopyFriends) {
    // Copied from the friend book while the user is in a window of their own.
    e2e::ForegroundStandIn user;
    ASSERT_TRUE(user.Activate());
    ASSERT_TRUE(SetClipboardText("before"));
    Send(command);
    Choose(0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return GetClipboardText() == first; }, 3000))
        << "mail command " << mailCommands_ << ": the copy holds " << GetClipboardText();
    // The agent gives that window the foreground back and watches it keep it
    // for a moment; a user moves on only after that.
    EXPECT_TRUE(e2e::KeepsForeground(user.Handle(), kForegroundSteadyMs * 2, kForegroundBackMs))
        << "mail command " << mailCommands_ << ": the user's window did not get the foreground back";
    return;
  }
  // The pastes go into a mail the user is writing: the tray menu (its
  // stand-in) took the front from it, and the agent switches back.
  HWND mail = host_.CommandHandle("mail-window");
  ASSERT_NE(mail, nullptr);
  e2e::ForegroundStandIn menu;
  ASSERT_TRUE(e2e::BringToFront(mail));
  ASSERT_TRUE(ClickIntoBody(mail)) << "mail command " << mailCommands_ << ": the mail's body did not take the focus";
  ASSERT_TRUE(menu.Activate());
  const std::size_t switchesBefore = switcher_->Switches().size();
  Send(command);
  const bool chosen = Choose(command == cmdPasteFriendsAsRecipients ? 1 : 0);
  const std::string pasted = command == cmdPasteFriendsAsRecipients ? "a2@example.jp (花子)" : first;
  const bool done = chosen && e2e::WaitUntil([&] { return Holds(mail, pasted); }, 5000);
  EXPECT_TRUE(done) << "mail command " << mailCommands_ << " (" << command << "): " << pasted
                    << " was not pasted into the mail";
  if (!done) ReportTaskSwitches(switchesBefore, mail, menu.Handle());
  Host("close " + Handle(mail));
}

}  // namespace soak
