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
  void Dismiss() {
    RECT rect{};
    GetWindowRect(parts_.cancel, &rect);
    e2e::ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Visible(parts_.form); }, 2000)) << "やめとく did not hide the window";
  }
  // Double-clicks the entry `index` of the link window's list.
  void OpenEntry(int index) {
    RECT item{};
    SendMessageA(parts_.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(parts_.list, &at);
    DoubleClickAt(at);
  }
  Entries ListedEntries() { return e2e::ListBoxEntries(parts_.list); }

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

TEST_F(LinkWindow, AUrlEntryIsOpenedByTheShellAndTheWindowHides) {
  StartWith("");
  e2e::ShellRecorder opens({"http", "https", "Folder", ".doc"}, e2e::ScratchDir() + "shell-opens.log");
  SetLines(memo_, "http://example.com/a http://example.com/b");
  ASSERT_TRUE(OpenOn(memo_, 0));
  OpenEntry(1);
  ASSERT_TRUE(opens.WaitForOpens(1, 10000)) << "nothing was opened";
  EXPECT_EQ(opens.Opened(), (Entries{"http://example.com/b"}));
  EXPECT_FALSE(Visible(parts_.form));
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
}

TEST_F(LinkWindow, AnAttachmentWithoutAKnownFolderAsksForItAndCancellingEmptiesTheSetting) {
  StartWith(e2e::ScratchDir() + "no such folder");
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

  // The setting is empty now, as the file shows when the agent ends.
  ASSERT_TRUE(PostMessageA(parts_.form, WM_CLOSE, 0, 0));
  ASSERT_TRUE(agent_.WaitForExit(10000).has_value());
  EXPECT_EQ(e2e::ReadWholeFile(install_.dir + "Sorvik.INI"), "[options]\r\nfolder=\r\n\r\n");
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
