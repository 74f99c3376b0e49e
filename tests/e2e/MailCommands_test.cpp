// The tray menu's mail commands against the stand-in host, reached as a
// click in the menu reaches them: WM_COMMAND with the item's identifier at
// the agent's main window. What they leave on the clipboard, in the host's
// fields and in their messages, what the default mail program is asked to
// open, and when the print preview closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "agent/MenuCommands.h"
#include "tests/e2e/MailFixture.h"
#include "tests/e2e/ShellStandIns.h"
#include "toolbox/Clipboard_win.h"
#include "tools/standin-host/FriendBookFile.h"

namespace {

using e2e::MailFixture;

// A preview's header text from its lines.
std::string HeaderText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A header whose recipients line has spaces inside the addresses, and
// whose lines carry labels that leave clean texts after the first word.
const std::vector<std::string> kHeader = {
    "モチル for Windows ver. 2.0",
    "----------------------------------------",
    "Date:    2024/05/01 (水) 10:00",
    "To: ta ro@exam ple.jp, \"花子\" <hanako@example.jp>",
    "From: jiro@example.jp",
    "Subject: 来週の会議について",
    "----------------------------------------",
};

class MailCommands : public MailFixture {
 protected:
  void PrintText(const std::vector<std::string>& lines) { Host("print-text " + HeaderText(lines)); }
  // Waits for the preview to be gone.
  bool PreviewCloses(DWORD timeoutMs = 5000) {
    return e2e::WaitUntil([] { return Preview() == nullptr; }, timeoutMs);
  }
};

TEST_F(MailCommands, CopyingRecipientsOrSenderShowsTheTextAndClosesThePreviewAfterTheMessage) {
  Start();
  PrintText(kHeader);
  struct Case { const char* name; unsigned command; std::string copied; const char* evidence; };
  const Case cases[] = {
      {"recipients, every space gone", cmdToCopy, "taro@example.jp,\"花子\"<hanako@example.jp>",
       "MailCommands.recipients-copied"},
      {"sender", cmdFromCopy, "jiro@example.jp", "MailCommands.sender-copied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetClipboardText("before"));
    const std::size_t clicksBefore = HostEvents("clicked ").size();
    Send(c.command);
    HWND box = WaitForBox("クリップボードにコピーしました");
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(e2e::MessageBoxText(box), "クリップボードにコピーしました\n\n" + c.copied);
    EXPECT_EQ(e2e::MessageBoxCaption(box), "Sorvik");
    EXPECT_EQ(GetClipboardText(), c.copied);
    Evidence(c.evidence);
    // The preview stays while the message is up.
    e2e::PumpFor(300);
    EXPECT_NE(Preview(), nullptr) << "the preview closed before the message";
    ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(PreviewCloses()) << "the preview stayed";
    const auto clicks = HostEvents("clicked ");
    ASSERT_EQ(clicks.size(), clicksBefore + 1);
    EXPECT_EQ(clicks.back().rfind("clicked ｷｬﾝｾﾙ ", 0), 0u) << clicks.back();
    EXPECT_EQ(GetClipboardText(), c.copied);
  }
  // Both times the host was asked for the preview of the selected mail.
  EXPECT_EQ(HostEvents("command TRxWnd").size(), 2u);
}

TEST_F(MailCommands, AHeaderOfSevenLinesIsAcceptedAndOfSixGivesTheErrorAndClosesThePreview) {
  Start();
  const std::vector<std::string> six(kHeader.begin(), kHeader.begin() + 6);
  ASSERT_EQ(kHeader.size(), 7u);

  PrintText(kHeader);
  Send(cmdFromCopy);
  HWND box = WaitForBox("クリップボードにコピーしました");
  ASSERT_NE(box, nullptr) << "seven lines were not accepted";
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(PreviewCloses());

  PrintText(six);
  ASSERT_TRUE(SetClipboardText("before"));
  Send(cmdFromCopy);
  box = WaitForBox("メールヘッダー");
  ASSERT_NE(box, nullptr) << "six lines gave no error";
  EXPECT_EQ(e2e::MessageBoxText(box), "メールヘッダー取得に失敗しました");
  EXPECT_EQ(e2e::MessageBoxCaption(box), "エラー");
  Evidence("MailCommands.header-failed");
  EXPECT_NE(Preview(), nullptr) << "the preview closed before the error";
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  EXPECT_TRUE(PreviewCloses()) << "the preview stayed after the error";
  EXPECT_EQ(GetClipboardText(), "before");
}

TEST_F(MailCommands, WithoutAPreviewTheErrorComesAfterFiveSecondsAndTheHostAnswersClicksMeanwhile) {
  Start();
  Host("print-delay -1");
  HWND memo = host_.CommandHandle("memo");
  RECT rect{};
  GetWindowRect(memo, &rect);
  const POINT inMemo{rect.right - 60, rect.bottom - 60};
  ASSERT_EQ(WindowFromPoint(inMemo), memo) << "another window covers the host's memo";

  const DWORD sent = GetTickCount();
  Send(cmdToCopy);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !HostEvents("command TRxWnd").empty(); }, 3000));
  // The agent now waits for the preview. A click in the host makes the
  // host's thread report the button's release to the agent and wait for
  // the answer before it goes on with the click.
  e2e::ClickAt(inMemo.x, inMemo.y);
  const DWORD clicked = GetTickCount();
  ASSERT_TRUE(e2e::WaitUntil([&] { return !HostEvents("lbuttonup TMemo").empty(); }, 3000))
      << "the host did not handle the click at once";
  EXPECT_EQ(e2e::FindProcessWindow(agent_.Id(), "#32770"), nullptr)
      << "the click was handled only after the wait had ended";
  EXPECT_LT(clicked - sent, 4000u) << "the click came too late to show anything";

  HWND box = WaitForBox("メールヘッダー取得に失敗しました", 15000);
  ASSERT_NE(box, nullptr);
  EXPECT_GE(GetTickCount() - sent, 4950u) << "the wait ended early";
  EXPECT_EQ(e2e::MessageBoxCaption(box), "エラー");
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  e2e::PumpFor(300);
  EXPECT_TRUE(HostEvents("clicked ").empty()) << "a button was clicked without a preview";
}

// Addresses without spaces inside, and a sender line with a name after the
// address.
const std::vector<std::string> kReplyHeader = {
    "モチル for Windows ver. 2.0",
    "----------------------------------------",
    "Date:    2024/05/01 (水) 10:00",
    "To: taro@example.jp, \"花子\" <hanako@example.jp>",
    "From: jiro@example.jp (次郎)",
    "Subject: 来週の会議について",
    "----------------------------------------",
};

TEST_F(MailCommands, ReplyToAllPastesTheAddressesAndTheSubjectIntoANewMail) {
  Start();
  PrintText(kReplyHeader);
  Send(cmdAllReplay);
  const auto mail = WaitForMailWindow(12000);
  ASSERT_TRUE(mail.has_value()) << "no new mail";
  ASSERT_TRUE(PreviewCloses(12000));
  EXPECT_EQ(Text(mail->to), "taro@example.jp,hanako@example.jp,jiro@example.jp,");
  EXPECT_EQ(Text(mail->subject), "Re: 来週の会議について");
  EXPECT_EQ(Text(mail->cc), "");
  EXPECT_EQ(Text(mail->body), "");
  EXPECT_EQ(GetClipboardText(), "Re: 来週の会議について") << "the last text pasted stays on the clipboard";
  EXPECT_EQ(HostEvents("command TMainWnd").size(), 1u);
  EXPECT_EQ(HostEvents("paste ").size(), 2u);
}

TEST_F(MailCommands, RepliesThroughTheDefaultMailProgramOpenTheExactLinkAndLeaveTheClipboard) {
  Start();
  struct Case { const char* name; unsigned command; std::vector<std::string> header; std::string url; };
  const std::vector<std::string> ab = {"", "", "", "To: a@x.jp", "From: b@y.jp", "Subject: 予定", ""};
  const Case cases[] = {
      {"reply to the sender", cmdReplayMailer, kReplyHeader,
       "mailto:jiro@example.jp (次郎)?subject=Re:来週の会議について"},
      {"reply to all: a, b and a comma after each", cmdAllReplayMailer, ab, "mailto:a@x.jp,b@y.jp,?subject=Re:予定"},
  };
  std::size_t opened = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrintText(c.header);
    ASSERT_TRUE(SetClipboardText("untouched"));
    Send(c.command);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::RecordedOpens(mailtoLog_).size() > opened; }, 10000))
        << "the default mail program was not asked to open anything";
    const auto opens = e2e::RecordedOpens(mailtoLog_);
    ASSERT_EQ(opens.size(), opened + 1);
    EXPECT_EQ(opens.back(), c.url);
    ++opened;
    EXPECT_TRUE(PreviewCloses());
    EXPECT_EQ(GetClipboardText(), "untouched");
  }
  EXPECT_TRUE(HostEvents("paste ").empty());
}

TEST_F(MailCommands, ForwardPastesTheSubjectAndTheHeaderLinesWithoutTheirPrefix) {
  Start();
  PrintText({"モチル印刷",
             "------------------------------",
             "Date:    2024/05/01 10:00",
             "To:      taro@example.jp",
             "From:    jiro@example.jp",
             "Subject: 来週の会議",
             "本文:"});
  Send(cmdForward);
  const auto mail = WaitForMailWindow(12000);
  ASSERT_TRUE(mail.has_value()) << "no new mail";
  ASSERT_TRUE(PreviewCloses(12000));
  const std::string body =
      "----- Fw: ---------------------\r\n"
      "\r\n"
      "\r\n"
      "---------------------\r\n"
      "2024/05/01 10:00\r\n"
      "taro@example.jp\r\n"
      "jiro@example.jp\r\n"
      "来週の会議\r\n"
      "\r\n";
  EXPECT_EQ(Text(mail->subject), "Fw: 来週の会議");
  EXPECT_EQ(Text(mail->body), body);
  EXPECT_EQ(Text(mail->to), "");
  EXPECT_EQ(GetClipboardText(), body);
}

TEST_F(MailCommands, WhenNoMailWindowAppearsNothingIsPastedAndThePreviewStillCloses) {
  Start();
  Host("mail-delay -1");
  PrintText(kReplyHeader);
  ASSERT_TRUE(SetClipboardText("before"));
  const DWORD sent = GetTickCount();
  Send(cmdAllReplay);
  ASSERT_TRUE(e2e::WaitUntil([&] { return Preview() != nullptr; }, 5000));
  ASSERT_TRUE(PreviewCloses(20000)) << "the preview stayed";
  EXPECT_GE(GetTickCount() - sent, 9950u) << "the wait for the mail window ended early";
  EXPECT_EQ(HostEvents("command TMainWnd").size(), 1u);
  EXPECT_TRUE(HostEvents("paste ").empty());
  EXPECT_EQ(GetClipboardText(), "before");
}

}  // namespace
