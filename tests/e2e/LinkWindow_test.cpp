// The link window as a user meets it: a real double click on a line of a
// host text control, the window that pops up at the mouse with the line's
// links, and what a double click on an entry opens.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostaccess/HostIdentifiers.h"
#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/ShellRecorder.h"
#include "tests/e2e/TraySupport.h"
#include "toolbox/Clipboard_win.h"
#include "toolbox/WindowUtils_win.h"

namespace {

using e2e::StandinHost;
using Entries = std::vector<std::string>;

constexpr DWORD kTick = 2000;
// From the double click to the window: the host copies, the agent waits
// 500 ms for the clipboard and fills the list.
constexpr DWORD kShowLimit = 5000;

std::string Handle(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window); }

void DoubleClickAt(POINT at) { e2e::DoubleClickAt(at.x, at.y); }

class LinkWindow : public ::testing::Test {
 protected:
  // The host runs with the lines in its main window's memo, the agent is
  // attached, and the shell's opens are recorded.
  void StartWith(const std::string& attachFolder) {
    install_ = e2e::InstallAgent(e2e::ScratchDir());
    if (!attachFolder.empty()) e2e::WriteAttachFolder(install_, attachFolder);
    ASSERT_TRUE(host_.Start());
    agent_ = e2e::StartAgent(install_);
    HWND window = e2e::WaitForAgentWindow(agent_.Id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(e2e::WaitUntil(e2e::HookAttached, kTick));
    parts_ = e2e::FindLinkWindowParts(window);
    ASSERT_NE(parts_.list, nullptr);
    ASSERT_NE(parts_.label1, nullptr);
    ASSERT_NE(parts_.cancel, nullptr);
    memo_ = host_.CommandHandle("memo");
  }
  void SetLines(HWND edit, const std::string& text) {
    ASSERT_TRUE(host_.Command("set-text " + Handle(edit) + " " + text));
  }
  POINT LinePoint(HWND edit, int line) {
    const auto packed = host_.Command("line-point " + Handle(edit) + " " + std::to_string(line));
    EXPECT_TRUE(packed && *packed != -1) << "no line " << line;
    if (!packed || *packed == -1) return {};
    return {static_cast<short>(LOWORD(*packed)), static_cast<short>(HIWORD(*packed))};
  }
  // Double-clicks line `line` of `edit` and waits for the link window.
  bool OpenOn(HWND edit, int line) {
    if (Visible(parts_.form)) Dismiss();
    DoubleClickAt(LinePoint(edit, line));
    return e2e::WaitUntil([&] { return Visible(parts_.form); }, kShowLimit);
  }
  void Dismiss() { EXPECT_TRUE(e2e::DismissLinkWindow(parts_)) << "やめとく did not hide the window"; }
  // Double-clicks the entry `index` of the link window's list.
  void OpenEntry(int index) {
    RECT item{};
    SendMessageA(parts_.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    RECT client{};
    GetClientRect(parts_.list, &client);
    if (item.top < client.top || item.bottom > client.bottom) {
      // Scrolled into view first, as a user would.
      SendMessageA(parts_.list, LB_SETTOPINDEX, index, 0);
      SendMessageA(parts_.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(parts_.list, &at);
    DoubleClickAt(at);
  }
  Entries ListedEntries() { return e2e::ListBoxEntries(parts_.list); }
  // Double-clicks entry `index`, which the agent must refuse: a message
  // naming `named` comes up over the window, which stays; it is answered.
  void ExpectRefused(int index, const std::string& named, const char* evidence = nullptr) {
    OpenEntry(index);
    HWND box = e2e::WaitForMessageBox(agent_.Id(), named);
    ASSERT_NE(box, nullptr) << "no message naming " << named;
    if (evidence != nullptr) {
      e2e::WaitUntilPainted(box, GetSysColor(COLOR_BTNFACE));
      e2e::SaveEvidenceScreenshot(evidence);
    }
    const std::string text = e2e::MessageBoxText(box);
    EXPECT_NE(text.find("開けません"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(named)) << text;
    EXPECT_EQ(e2e::MessageBoxCaption(box), "Sorvik");
    EXPECT_TRUE(e2e::AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(Visible(parts_.form)) << "the window went although nothing opened";
  }

  // Whether the screen shows the window with its lower left corner at
  // `corner`: its strip just inside the corner, something else just
  // outside it to the left and below.
  static bool ShownWithLowerLeftAt(POINT corner) {
    return e2e::WaitUntil([&] {
      return e2e::ScreenPixel(corner.x + 1, corner.y - 2) == e2e::kLinkWindowColour &&
             e2e::ScreenPixel(corner.x - 2, corner.y - 2) != e2e::kLinkWindowColour &&
             e2e::ScreenPixel(corner.x + 1, corner.y + 1) != e2e::kLinkWindowColour;
    }, 2000);
  }

  e2e::AgentInstall install_;
  e2e::ChildProcess agent_;
  StandinHost host_;
  e2e::LinkWindowParts parts_;
  HWND memo_ = nullptr;
};

TEST_F(LinkWindow, ListsTheLinksOfTheLineDoubleClickedAtTheMouse) {
  StartWith("");
  struct Case { const char* name; std::string line; Entries entries; };
  const Case cases[] = {
      {"a URL, a comma, a blank and an address ending in a full stop",
       "見て http://example.com/a?b=1, taro@example.com.",
       {"http://example.com/a?b=1", "mailto:taro@example.com."}},
      {"a URL followed directly by Japanese", "http://example.com/pathです。", {"http://example.com/path"}},
      {"a URL with @ before its path", "see http://user@example.com/x now", {"http://user@example.com/x"}},
      {"several URLs and addresses: URLs first, duplicates kept",
       "a@x.jp http://a.jp b@y.jp http://b.jp a@x.jp",
       {"http://a.jp", "http://b.jp", "mailto:a@x.jp", "mailto:b@y.jp", "mailto:a@x.jp"}},
  };
  std::string text;
  for (const Case& c : cases) text += "line: " + c.line + "\r\n";
  SetLines(memo_, text);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    const POINT at = LinePoint(memo_, static_cast<int>(i));
    ASSERT_TRUE(OpenOn(memo_, static_cast<int>(i))) << "no link window";
    EXPECT_EQ(ListedEntries(), cases[i].entries);
    EXPECT_EQ(e2e::WindowText(parts_.label1), "クリッカブルしたいＵＲＬ、");
    EXPECT_EQ(e2e::WindowText(parts_.label2), "メアドをダブルクリック！");
    EXPECT_TRUE(ShownWithLowerLeftAt(at)) << "the lower left corner is not at the mouse";
    RECT rect{};
    GetWindowRect(parts_.form, &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 80);
    EXPECT_TRUE(e2e::IsTopmost(parts_.form));
    EXPECT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == parts_.form; }, 1000)) << "not in front";
    if (i == 0) e2e::SaveEvidenceScreenshot("LinkWindow.links");
  }
  Dismiss();
}

TEST_F(LinkWindow, AtTheRightEdgeOfTheScreenTheWindowKeepsItsRightEdgeOnIt) {
  StartWith("");
  HWND main = host_.CommandHandle("main");
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  MoveWindow(main, screen - 160, 200, 150, 200, TRUE);
  SetLines(memo_, "http://example.com/");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    RECT r{};
    GetWindowRect(main, &r);
    return r.left == screen - 160;
  }, 2000));
  const POINT at = LinePoint(memo_, 0);
  ASSERT_TRUE(OpenOn(memo_, 0));
  // Flush with the screen's right edge: 300 pixels wide, its last column is
  // the screen's last.
  EXPECT_TRUE(ShownWithLowerLeftAt(POINT{screen - 300, at.y}));
  EXPECT_EQ(e2e::ScreenPixel(screen - 2, at.y - 2), e2e::kLinkWindowColour);
  EXPECT_EQ(ListedEntries(), (Entries{"http://example.com/"}));
}

// Near the top of the screen the window comes down until its top edge is
// on the screen: the whole window stays in the work area of the monitor
// under the mouse. The window manager under test keeps a window that is
// being shown on the screen by itself, so the line near the top is double-
// clicked while the window is already up (it refills and moves).
TEST_F(LinkWindow, NearTheTopOfTheScreenTheWindowComesDownIntoTheWorkArea) {
  StartWith("");
  HWND main = host_.CommandHandle("main");
  SetLines(memo_, "http://example.com/top\r\n\r\n\r\n\r\n\r\n\r\nhttp://example.com/low");
  // Right of Wine's tray window, which sits at the top left.
  MoveWindow(main, 300, 0, 400, 250, TRUE);
  POINT at{};
  ASSERT_TRUE(e2e::WaitUntil([&] {
    RECT r{};
    GetWindowRect(main, &r);
    at = LinePoint(memo_, 0);
    return r.top == 0 && r.left == 300;
  }, 2000));
  ASSERT_GT(at.y, 0);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor));
  const RECT work = monitor.rcWork;
  ASSERT_LT(at.y - 80, work.top) << "the test needs a line closer to the top";

  // The window first opens lower down and to the right, clear of the first
  // line's start.
  POINT low = LinePoint(memo_, 6);
  low.x += 250;
  DoubleClickAt(low);
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(parts_.form); }, kShowLimit));
  ASSERT_EQ(ListedEntries(), Entries{"http://example.com/low"});
  ASSERT_TRUE(ShownWithLowerLeftAt(low));

  DoubleClickAt(at);
  ASSERT_TRUE(e2e::WaitUntil([&] { return ListedEntries() == Entries{"http://example.com/top"}; }, kShowLimit));
  // Its top edge on the work area's top edge, its left edge at the mouse.
  EXPECT_TRUE(ShownWithLowerLeftAt(POINT{at.x, work.top + 80})) << "the window is not right below the top edge";
  RECT rect{};
  GetWindowRect(parts_.form, &rect);
  EXPECT_EQ(rect.top, work.top);
  EXPECT_EQ(rect.left, at.x);
  e2e::SaveEvidenceScreenshot("LinkWindow.top-edge");
}

TEST_F(LinkWindow, TheRichEditOfAReadingWindowWorksLikeTheMemo) {
  StartWith("");
  HWND read = host_.CommandHandle("show-read メール");
  ASSERT_NE(read, nullptr);
  HWND rich = FindWindowExA(read, nullptr, HOST_RICHEDIT_CLASS, nullptr);
  ASSERT_NE(rich, nullptr);
  // The agent maximises a reading window when it is shown; the window
  // manager carries the maximising out a moment later.
  ASSERT_TRUE(e2e::WaitUntil([&] {
    RECT r{};
    GetWindowRect(read, &r);
    return IsZoomed(read) != FALSE && r.right - r.left >= GetSystemMetrics(SM_CXSCREEN);
  }, 3000));
  e2e::PumpFor(300);
  SetLines(rich, "1行目\r\nお問い合わせ: info@example.co.jp まで");
  ASSERT_TRUE(OpenOn(rich, 1));
  EXPECT_EQ(ListedEntries(), (Entries{"mailto:info@example.co.jp"}));
}

TEST_F(LinkWindow, AUrlEntryIsOpenedByTheShellShownAndTheWindowHides) {
  StartWith("");
  e2e::ShellRecorder opens({"http", "https", "Folder", ".doc"}, e2e::ScratchDir() + "shell-opens.log");
  SetLines(memo_, "http://example.com/a http://example.com/b");
  ASSERT_TRUE(OpenOn(memo_, 0));
  OpenEntry(1);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000)) << "nothing was opened";
  EXPECT_EQ(opens.Opened(), (Entries{"http://example.com/b"}));
  EXPECT_EQ(opens.ShowCommands(), (Entries{"1"})) << "not started with SW_SHOWNORMAL";
  EXPECT_FALSE(Visible(parts_.form));
}

// A mail's text is a stranger's: of its links only web and ftp addresses
// reach the shell. Any other stays listed, and a double click on it names it
// in a message and opens nothing.
TEST_F(LinkWindow, OnlyWebAndFtpLinksReachTheShellAndAnyOtherIsNamedAndOpensNothing) {
  StartWith("");
  e2e::ShellRecorder opens({"http", "https", "ftp", "sorvik-test"}, e2e::ScratchDir() + "shell-opens.log");
  SetLines(memo_, "file://host/share/x.js sorvik-test://run/me xhttp://example.com/ HTTP://EXAMPLE.COM/a "
                  "ftp://ftp.example.jp/pub/");
  ASSERT_TRUE(OpenOn(memo_, 0));
  ASSERT_EQ(ListedEntries(), (Entries{"file://host/share/x.js", "sorvik-test://run/me", "xhttp://example.com/",
                                      "HTTP://EXAMPLE.COM/a", "ftp://ftp.example.jp/pub/"}));
  for (int refused = 0; refused < 3; ++refused) {
    SCOPED_TRACE(ListedEntries()[refused]);
    ASSERT_NO_FATAL_FAILURE(
        ExpectRefused(refused, ListedEntries()[refused], refused == 0 ? "LinkWindow.link-refused" : nullptr));
  }
  // The scheme in capitals is still a web address; so is ftp.
  OpenEntry(3);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000)) << "the web address was not opened";
  EXPECT_FALSE(Visible(parts_.form));
  ASSERT_TRUE(OpenOn(memo_, 0));
  OpenEntry(4);
  ASSERT_TRUE(opens.WaitForOpens(2, 10000)) << "the ftp address was not opened";
  e2e::PumpFor(500);
  EXPECT_EQ(opens.Opened(), (Entries{"HTTP://EXAMPLE.COM/a", "ftp://ftp.example.jp/pub/"}));
}

TEST_F(LinkWindow, TheHostsNoticesListTheAttachmentOrTheFolderAndOpenThem) {
  const std::string attach = e2e::ScratchDir() + "Attach";
  ASSERT_TRUE(CreateDirectoryA(attach.c_str(), nullptr));
  e2e::WriteWholeFile(attach + "\\report.doc", "a document");
  const std::string extracted = attach + "\\abc";
  ASSERT_TRUE(CreateDirectoryA(extracted.c_str(), nullptr));
  StartWith(attach);
  e2e::ShellRecorder opens({"http", "https", "Folder", ".doc"}, e2e::ScratchDir() + "shell-opens.log");
  SetLines(memo_, "Mochiru>>>>>添付ファイル:report.doc がありました。\r\n"
                  "Mochiru>>>>>" + extracted + "に展開しました\r\n"
                  "Mochiru>>>>>お知らせです\r\n");

  ASSERT_TRUE(OpenOn(memo_, 0));
  EXPECT_EQ(ListedEntries(), (Entries{"report.doc"}));
  EXPECT_EQ(e2e::WindowText(parts_.label1), attach);
  EXPECT_EQ(e2e::WindowText(parts_.label2), "開きたい添付ファイルをダブルクリック！");
  e2e::SaveEvidenceScreenshot("LinkWindow.attachment");
  OpenEntry(0);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000));
  EXPECT_FALSE(Visible(parts_.form));

  ASSERT_TRUE(OpenOn(memo_, 1));
  EXPECT_EQ(ListedEntries(), (Entries{extracted}));
  EXPECT_EQ(e2e::WindowText(parts_.label1), "添付書類フォルダを開きたいときは");
  EXPECT_EQ(e2e::WindowText(parts_.label2), "↑のフォルダ名をダブルクリック！");
  e2e::SaveEvidenceScreenshot("LinkWindow.folder");
  OpenEntry(0);
  ASSERT_TRUE(opens.WaitForOpens(2, 10000));

  // A marker line that is neither: an empty list under the labels it had.
  ASSERT_TRUE(OpenOn(memo_, 2));
  EXPECT_EQ(ListedEntries(), Entries{});
  EXPECT_EQ(e2e::WindowText(parts_.label1), "添付書類フォルダを開きたいときは");
  // A double click in the empty list opens nothing.
  OpenEntry(0);
  e2e::PumpFor(1500);
  EXPECT_TRUE(Visible(parts_.form));

  const Entries opened = opens.Opened();
  ASSERT_EQ(opened.size(), 2u);
  // The shell hands paths over in their Z:\ form.
  EXPECT_TRUE(opened[0].ends_with("\\Attach\\report.doc")) << opened[0];
  EXPECT_TRUE(opened[1].ends_with("\\Attach\\abc")) << opened[1];
  // Both shown normally: an editor opened for an attachment would otherwise
  // run unseen.
  EXPECT_EQ(opens.ShowCommands(), (Entries{"1", "1"}));
}

// An attachment notice opens only a file right in the attachment folder:
// a name with a path in it, or one that is not there, is named in a
// message. The second byte of 表 and ソ is 0x5C, and such a name opens.
TEST_F(LinkWindow, AnAttachmentOpensOnlyAsAFileOfTheAttachmentFolder) {
  const std::string attach = e2e::ScratchDir() + "Attach";
  ASSERT_TRUE(CreateDirectoryA(attach.c_str(), nullptr));
  e2e::WriteWholeFile(attach + "\\表ソ.doc", "a Japanese name");
  e2e::WriteWholeFile(e2e::ScratchDir() + "secret.doc", "beside the attachment folder");
  ASSERT_TRUE(CreateDirectoryA((attach + "\\sub.doc").c_str(), nullptr));
  StartWith(attach);
  e2e::ShellRecorder opens({"Folder", ".doc"}, e2e::ScratchDir() + "shell-opens.log");
  struct Refused { const char* what; std::string name; std::string named; };
  const Refused refused[] = {
      {"climbs out of the folder", "..\\secret.doc", "..\\secret.doc"},
      {"a full path", e2e::ScratchDir() + "secret.doc", e2e::ScratchDir() + "secret.doc"},
      {"a forward slash", "../secret.doc", "../secret.doc"},
      {"not in the folder", "gone.doc", attach + "\\gone.doc"},
      {"a folder of that name", "sub.doc", attach + "\\sub.doc"},
  };
  std::string lines;
  for (const Refused& r : refused) lines += "Mochiru>>>>>添付ファイル:" + r.name + " がありました。\r\n";
  lines += "Mochiru>>>>>添付ファイル:表ソ.doc がありました。\r\n";
  SetLines(memo_, lines);
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    SCOPED_TRACE(refused[i].what);
    ASSERT_TRUE(OpenOn(memo_, static_cast<int>(i)));
    ASSERT_EQ(ListedEntries(), Entries{refused[i].name});
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(0, refused[i].named));
  }
  ASSERT_TRUE(OpenOn(memo_, static_cast<int>(std::size(refused))));
  EXPECT_EQ(ListedEntries(), Entries{"表ソ.doc"});
  OpenEntry(0);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000)) << "the Japanese name was not opened";
  e2e::PumpFor(500);
  const Entries opened = opens.Opened();
  ASSERT_EQ(opened.size(), 1u) << ::testing::PrintToString(opened);
  EXPECT_TRUE(opened[0].ends_with("\\Attach\\表ソ.doc")) << opened[0];
  EXPECT_EQ(opens.ShowCommands(), Entries{"1"});
}

// A folder notice opens only an existing folder, as a folder: a file or a
// program of that name, a share or a relative path is named in a message.
TEST_F(LinkWindow, AFolderNoticeOpensOnlyAnExistingFolder) {
  const std::string attach = e2e::ScratchDir() + "Attach";
  ASSERT_TRUE(CreateDirectoryA(attach.c_str(), nullptr));
  const std::string file = attach + "\\tool.doc";
  e2e::WriteWholeFile(file, "a file, not a folder");
  const std::string folder = attach + "\\表ソ";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  StartWith(attach);
  e2e::ShellRecorder opens({"Folder", ".doc", ".exe"}, e2e::ScratchDir() + "shell-opens.log");
  const std::string refused[] = {file, "\\\\server\\pub\\setup.exe", attach + "\\nowhere", "Attach"};
  std::string lines;
  for (const std::string& path : refused) lines += "Mochiru>>>>>" + path + "に展開しました\r\n";
  lines += "Mochiru>>>>>" + folder + "に展開しました\r\n";
  SetLines(memo_, lines);
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    SCOPED_TRACE(refused[i]);
    ASSERT_TRUE(OpenOn(memo_, static_cast<int>(i)));
    ASSERT_EQ(ListedEntries(), Entries{refused[i]});
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(0, refused[i]));
  }
  ASSERT_TRUE(OpenOn(memo_, static_cast<int>(std::size(refused))));
  OpenEntry(0);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000)) << "the folder was not opened";
  e2e::PumpFor(500);
  const Entries opened = opens.Opened();
  ASSERT_EQ(opened.size(), 1u) << ::testing::PrintToString(opened);
  EXPECT_TRUE(opened[0].ends_with("\\Attach\\表ソ")) << opened[0];
  EXPECT_EQ(opens.ShowCommands(), Entries{"1"});
}

TEST_F(LinkWindow, AnAttachmentWithoutAKnownFolderAsksForItAndCancellingKeepsTheSetting) {
  const std::string missing = e2e::ScratchDir() + "no such folder";
  StartWith(missing);
  SetLines(memo_, "Mochiru>>>>>添付ファイル:report.doc がありました。");
  DoubleClickAt(LinePoint(memo_, 0));
  HWND dialog = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (dialog = e2e::FindProcessWindow(agent_.Id(), "#32770")) != nullptr &&
                                          IsWindowVisible(dialog); },
                             kShowLimit))
      << "no folder dialog";
  EXPECT_TRUE(e2e::WaitUntil([&] {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (e2e::WindowText(child) == "添付書類が保存されているフォルダを選んでください") return true;
    }
    return false;
  }, 3000)) << "the dialog does not ask for the attachment folder";
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  e2e::PumpFor(1000);
  EXPECT_FALSE(Visible(parts_.form)) << "the window was shown after the cancel";

  // The setting is as it was (a folder that is not there yet may be one
  // the user has still to plug in), as the file shows when the agent ends.
  ASSERT_TRUE(PostMessageA(parts_.form, WM_CLOSE, 0, 0));
  ASSERT_TRUE(agent_.WaitForExit(10000).has_value());
  EXPECT_EQ(e2e::ReadWholeFile(install_.dir + "Sorvik.INI"), "[options]\r\nfolder=" + missing + "\r\n\r\n");
}

TEST_F(LinkWindow, ACopyThatChangesNothingLeavesTheNextClipboardChangeToOpenTheWindow) {
  StartWith("");
  SetLines(memo_, "http://first.example/\r\n\r\nlast line");
  DoubleClickAt(LinePoint(memo_, 1));  // the empty line: its copy changes nothing
  e2e::PumpFor(1500);
  ASSERT_FALSE(Visible(parts_.form)) << "an empty line opened the window";
  // Any program's next copy is taken for the line the agent waits for.
  ASSERT_TRUE(SetClipboardText("from another program: http://later.example/"));
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(parts_.form); }, kShowLimit));
  EXPECT_EQ(ListedEntries(), (Entries{"http://later.example/"}));
  // Taken once: a further change opens nothing.
  Dismiss();
  ASSERT_TRUE(SetClipboardText("http://again.example/"));
  e2e::PumpFor(1500);
  EXPECT_FALSE(Visible(parts_.form));
}

// The agent's thread waits 500 ms before it reads the copied text; the
// host's thread, which sends it every button release and waits for the
// answer, must not wait with it.
TEST_F(LinkWindow, AClickInTheHostWhileTheAgentWaitsForTheClipboardIsHandledAtOnce) {
  StartWith("");
  SetLines(memo_, "first\r\n\r\nthird");
  DoubleClickAt(LinePoint(memo_, 1));  // the agent now waits for a copy
  e2e::PumpFor(1000);
  ASSERT_FALSE(Visible(parts_.form));
  const POINT click = LinePoint(memo_, 2);
  SetCursorPos(click.x, click.y);
  e2e::PumpFor(100);

  const long long changed = e2e::Now();
  ASSERT_TRUE(SetClipboardText("http://example.com/waited"));  // the agent's 500 ms begin
  e2e::PumpFor(100);
  const long long clicked = e2e::Now();
  e2e::MouseEventsAt(click.x, click.y, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  ASSERT_TRUE(e2e::WaitUntil([&] { return Visible(parts_.form); }, kShowLimit));

  long long released = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    for (const std::string& line : host_.LogLines()) {
      const auto space = line.find(' ');
      if (line.compare(space + 1, 14, "lbuttonup TMem") != 0) continue;
      const long long at = std::stoll(line.substr(0, space));
      if (at > clicked) released = at;
    }
    return released != 0;
  }, 3000)) << "the host never handled the click";
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const auto ms = [&](long long ticks) { return ticks * 1000 / frequency.QuadPart; };
  EXPECT_LT(ms(released - changed), 400) << "the host waited for the agent's pause: released "
                                         << ms(released - clicked) << " ms after the click";
}

TEST_F(LinkWindow, AMailtoEntryOpensANewHostMailWithTheAddressInItsRecipients) {
  StartWith("");
  const auto recipientsOf = [](HWND mail) {
    return FindWindowExA(FindWindowExA(mail, nullptr, HOST_PANEL_CLASS, nullptr), nullptr, HOST_EDIT_CLASS, nullptr);
  };
  // The user is writing another mail, which must stay as it is; the host
  // takes a moment to open the new one, and titles it before it makes its
  // fields.
  HWND draft = host_.CommandHandle("mail-window");
  ASSERT_NE(draft, nullptr);
  HWND draftTo = recipientsOf(draft);
  SetLines(draftTo, "boss@example.jp");
  ASSERT_TRUE(host_.Command("mail-delay 200"));
  ASSERT_TRUE(host_.Command("mail-caption-first 400 0"));

  SetLines(memo_, "連絡先: hanako@example.jp まで");
  ASSERT_TRUE(OpenOn(memo_, 0));
  ASSERT_EQ(ListedEntries(), (Entries{"mailto:hanako@example.jp"}));
  OpenEntry(0);
  HWND to = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    for (HWND mail = FindWindowExA(nullptr, nullptr, "TMailWnd", "メールを書く"); mail != nullptr;
         mail = FindWindowExA(nullptr, mail, "TMailWnd", "メールを書く")) {
      if (mail != draft && (to = recipientsOf(mail)) != nullptr) return true;
    }
    return false;
  }, 10000)) << "no new mail";
  EXPECT_TRUE(e2e::WaitUntil([&] { return ControlText(to, 1000) == "hanako@example.jp"; }, 5000))
      << "the recipients hold \"" << ControlText(to, 1000) << "\"";
  EXPECT_EQ(ControlText(draftTo, 1000), "boss@example.jp") << "pasted into the mail being written";
  EXPECT_FALSE(Visible(parts_.form));
}

}  // namespace
