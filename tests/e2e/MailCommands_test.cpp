// The tray menu's mail commands against the stand-in host, reached as a
// click in the menu reaches them: WM_COMMAND with the item's identifier at
// the agent's main window. What they leave on the clipboard, in the host's
// fields and in their messages, what the default mail program is asked to
// open, and when the print preview closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "agent/MenuCommands.h"
#include "tests/e2e/MailFixture.h"
#include "tests/e2e/ShellStandIns.h"
#include "tests/e2e/TraySupport.h"
#include "toolbox/Clipboard_win.h"
#include "tools/standin-host/FriendBookFile.h"

namespace {

using e2e::MailFields;
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

std::string Handle(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

// What the user has written so far in a mail that is still open.
const char kDraftTo[] = "boss@example.jp";
const char kDraftSubject[] = "見積もりの件";
const char kDraftBody[] = "お世話になっております。";

class MailCommands : public MailFixture {
 protected:
  void PrintText(const std::vector<std::string>& lines) { Host("print-text " + HeaderText(lines)); }
  // Waits for the preview to be gone.
  bool PreviewCloses(DWORD timeoutMs = 5000) {
    return e2e::WaitUntil([] { return Preview() == nullptr; }, timeoutMs);
  }
  // A mail the user is half-way through writing, open in the host.
  MailFields OpenDraft() {
    const std::size_t made = MailWindowsMade();
    EXPECT_NE(host_.CommandHandle("mail-window"), nullptr);
    const auto draft = WaitForMailWindow(5000, made);
    EXPECT_TRUE(draft.has_value()) << "no draft";
    if (!draft) return {};
    Host("set-text " + Handle(draft->to) + " " + kDraftTo);
    Host("set-text " + Handle(draft->subject) + " " + kDraftSubject);
    Host("set-text " + Handle(draft->body) + " " + kDraftBody);
    return *draft;
  }
  // The draft holds what the user wrote, and nothing was pasted into it.
  void ExpectDraftUntouched(const MailFields& draft) {
    EXPECT_EQ(Text(draft.to), kDraftTo);
    EXPECT_EQ(Text(draft.subject), kDraftSubject);
    EXPECT_EQ(Text(draft.body), kDraftBody);
    for (const std::string& paste : HostEvents("paste ")) {
      for (HWND field : {draft.to, draft.cc, draft.subject, draft.body}) {
        EXPECT_EQ(paste.find(" " + Handle(field) + " "), std::string::npos) << "pasted into the draft: " << paste;
      }
    }
  }
};

TEST_F(MailCommands, CopyingRecipientsOrSenderShowsTheTextAndClosesThePreviewAfterTheMessage) {
  Start();
  PrintText(kHeader);
  struct Case { const char* name; unsigned command; std::string copied; const char* evidence; };
  const Case cases[] = {
      {"recipients, every space gone", cmdCopyRecipients, "taro@example.jp,\"花子\"<hanako@example.jp>",
       "MailCommands.recipients-copied"},
      {"sender", cmdCopySender, "jiro@example.jp", "MailCommands.sender-copied"},
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

// The same command as a user reaches it: a click on the tray icon, then
// "受信簿(&R)" and "受取人コピー(&T)" by their keys.
TEST_F(MailCommands, RecipientsCopyChosenInTheTrayMenuCopiesAndShowsTheText) {
  const auto iconsBefore = e2e::TrayIconWindows();
  Start();
  HWND icon = e2e::WaitForNewTrayIcon(iconsBefore);
  ASSERT_NE(icon, nullptr) << "no icon of the agent in the tray";
  PrintText(kHeader);
  ASSERT_TRUE(SetClipboardText("before"));
  e2e::PumpFor(500);  // the host's report of its received-mail window is in
  ASSERT_TRUE(e2e::OpenTrayMenu(agent_.Id(), icon));
  e2e::PressKey('R');
  ASSERT_TRUE(e2e::WaitForMenus(agent_.Id(), 2)) << "受信簿(&R) did not open";
  e2e::PressKey('T');
  ASSERT_TRUE(e2e::WaitForMenus(agent_.Id(), 0));
  HWND box = WaitForBox("クリップボードにコピーしました");
  ASSERT_NE(box, nullptr) << "no message";
  EXPECT_EQ(e2e::MessageBoxText(box), "クリップボードにコピーしました\n\ntaro@example.jp,\"花子\"<hanako@example.jp>");
  EXPECT_EQ(GetClipboardText(), "taro@example.jp,\"花子\"<hanako@example.jp>");
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  EXPECT_TRUE(PreviewCloses()) << "the preview stayed";
}

TEST_F(MailCommands, AHeaderOfSevenLinesIsAcceptedAndOfSixGivesTheErrorAndClosesThePreview) {
  Start();
  const std::vector<std::string> six(kHeader.begin(), kHeader.begin() + 6);
  ASSERT_EQ(kHeader.size(), 7u);

  PrintText(kHeader);
  Send(cmdCopySender);
  HWND box = WaitForBox("クリップボードにコピーしました");
  ASSERT_NE(box, nullptr) << "seven lines were not accepted";
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  ASSERT_TRUE(PreviewCloses());

  PrintText(six);
  ASSERT_TRUE(SetClipboardText("before"));
  Send(cmdCopySender);
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
  Send(cmdCopyRecipients);
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
  Send(cmdReplyToAll);
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

TEST_F(MailCommands, RepliesThroughTheDefaultMailProgramOpenTheEscapedLinkShownAndLeaveTheClipboard) {
  Start();
  struct Case { const char* name; unsigned command; std::vector<std::string> header; std::string url; };
  const std::vector<std::string> ab = {"", "", "", "To: a@x.jp", "From: b@y.jp", "Subject: 予定", ""};
  const std::vector<std::string> bcc = {"", "", "", "To: a@x.jp", "From: b@y.jp",
                                        "Subject: 見積もり&bcc=someone@example.com", ""};
  const Case cases[] = {
      {"reply to the sender: the space before the name escaped", cmdReplyInMailer, kReplyHeader,
       "mailto:jiro@example.jp%20(次郎)?subject=Re:来週の会議について"},
      {"reply to all: a, b and a comma after each", cmdReplyToAllInMailer, ab, "mailto:a@x.jp,b@y.jp,?subject=Re:予定"},
      {"a subject that would add a recipient", cmdReplyInMailer, bcc,
       "mailto:b@y.jp?subject=Re:見積もり%26bcc%3Dsomeone@example.com"},
      {"the same, replying to all", cmdReplyToAllInMailer, bcc,
       "mailto:a@x.jp,b@y.jp,?subject=Re:見積もり%26bcc%3Dsomeone@example.com"},
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
    // The mail program's window is where the reply is written: shown.
    const auto shows = e2e::RecordedShowCommands(mailtoLog_);
    ASSERT_EQ(shows.size(), opened + 1);
    EXPECT_EQ(shows.back(), SW_SHOWNORMAL);
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

TEST_F(MailCommands, ReplyAndForwardWriteIntoTheNewMailAndNeverIntoOneTheUserIsWriting) {
  Start();
  PrintText(kReplyHeader);
  const MailFields draft = OpenDraft();
  ASSERT_NE(draft.window, nullptr);
  // The host takes a moment to open the new mail, and titles it before it
  // makes its fields, as it does.
  Host("mail-delay 200");
  Host("mail-caption-first 400 0");
  struct Case { const char* name; unsigned command; std::string to; std::string subject; std::string bodyStart; };
  const Case cases[] = {
      {"reply to all", cmdReplyToAll, "taro@example.jp,hanako@example.jp,jiro@example.jp,", "Re: 来週の会議について",
       ""},
      {"forward", cmdForward, "", "Fw: 来週の会議について", "----- Fw: ---------------------\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t made = MailWindowsMade();
    Send(c.command);
    const auto mail = WaitForMailWindow(12000, made);
    ASSERT_TRUE(mail.has_value()) << "no new mail";
    ASSERT_NE(mail->window, draft.window);
    ASSERT_TRUE(PreviewCloses(12000));
    EXPECT_EQ(Text(mail->to), c.to);
    EXPECT_EQ(Text(mail->subject), c.subject);
    EXPECT_EQ(Text(mail->body).substr(0, c.bodyStart.size()), c.bodyStart);
    ExpectDraftUntouched(draft);
    Host("close " + Handle(mail->window));
  }
}

TEST_F(MailCommands, ANewMailIsWrittenIntoOnlyOnceItIsShownWithItsFields) {
  Start();
  PrintText(kReplyHeader);
  struct Case { const char* name; std::string build; };
  const Case cases[] = {
      {"its fields come after its title", "mail-caption-first 600 0"},
      {"it is shown after it has its title and fields", "mail-caption-first 0 600"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Host(c.build);
    const std::size_t made = MailWindowsMade();
    Send(cmdReplyToAll);
    const auto mail = WaitForMailWindow(12000, made);
    ASSERT_TRUE(mail.has_value()) << "no new mail";
    ASSERT_TRUE(PreviewCloses(12000));
    EXPECT_EQ(Text(mail->to), "taro@example.jp,hanako@example.jp,jiro@example.jp,");
    EXPECT_EQ(Text(mail->subject), "Re: 来週の会議について");
    // In the host's log, the fields were made and the window shown before
    // anything was pasted into it.
    const auto events = HostEvents("");
    const auto at = [&](const std::string& start) {
      const auto found = std::find_if(events.begin(), events.end(),
                                      [&](const std::string& event) { return event.rfind(start, 0) == 0; });
      return found - events.begin();
    };
    const auto pasted = at("paste TEdit " + Handle(mail->to) + " ");
    ASSERT_LT(pasted, static_cast<std::ptrdiff_t>(events.size())) << "nothing pasted into the recipients";
    EXPECT_LT(at("mailwindow " + Handle(mail->window) + " "), pasted);
    EXPECT_LT(at("shown TMailWnd " + Handle(mail->window)), pasted) << "pasted into a hidden window";
    Host("close " + Handle(mail->window));
  }
}

TEST_F(MailCommands, WhenNoNewMailIsReadyInTimeNothingIsPastedNothingIsShownAndThePreviewStillCloses) {
  Start();
  PrintText(kReplyHeader);
  struct Case { const char* name; bool draft; std::vector<std::string> host; };
  const Case cases[] = {
      {"the host opens none", false, {"mail-delay -1"}},
      {"the host opens none while the user writes another", true, {"mail-delay -1"}},
      {"the new one never gets its fields", false, {"mail-delay 0", "mail-caption-first -1 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MailFields draft = c.draft ? OpenDraft() : MailFields{};
    for (const std::string& command : c.host) Host(command);
    const std::size_t commands = HostEvents("command TMainWnd").size();
    ASSERT_TRUE(SetClipboardText("before"));
    const DWORD sent = GetTickCount();
    Send(cmdReplyToAll);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Preview() != nullptr; }, 5000));
    ASSERT_TRUE(PreviewCloses(20000)) << "the preview stayed";
    EXPECT_GE(GetTickCount() - sent, 9950u) << "the wait for the mail window ended early";
    EXPECT_EQ(HostEvents("command TMainWnd").size(), commands + 1);
    EXPECT_TRUE(HostEvents("paste ").empty());
    EXPECT_EQ(GetClipboardText(), "before");
    EXPECT_EQ(e2e::FindProcessWindow(agent_.Id(), "#32770"), nullptr) << "a message was shown";
    if (c.draft) {
      ExpectDraftUntouched(draft);
      Host("close " + Handle(draft.window));
    }
  }
}

// Wine hands another program's text over in whole characters, so here the
// limit never splits one (that the agent drops half a character is tested
// in MailHeaderText_win_test, within one program).
TEST_F(MailCommands, ForwardOfAHeaderLongerThanTheLimitKeepsItsWholeCharactersUpToTheLimit) {
  Start();
  // 10,000 bytes are read: the last line's filler ends at byte 9,999, and
  // the 10,000th byte is the first of "表".
  std::vector<std::string> lines = {"モチル印刷",
                                    "------------------------------",
                                    "Date:    2024/05/01 10:00",
                                    "To:      taro@example.jp",
                                    "From:    jiro@example.jp",
                                    "Subject: 長いメール",
                                    "本文:      "};
  const std::size_t before = HeaderText(lines).size() - 2;  // without the last line's ending
  const std::string filler(9999 - before, 'x');
  lines.back() += filler + "表表表";
  ASSERT_EQ(static_cast<unsigned char>(HeaderText(lines)[9999]), 0x95u);
  PrintText(lines);
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
      "長いメール\r\n" +
      filler + "\r\n";
  EXPECT_EQ(GetClipboardText(), body) << "the pasted text ends in a broken character";
  EXPECT_EQ(Text(mail->body), body);
}

// The pastes from the friend book: the user works in a window, opens the
// tray menu (the stand-in takes the foreground from that window) and picks
// the command, which switches back with Alt+Tab.
class FriendPastes : public MailFixture {
 protected:
  void SetUp() override {
    MailFixture::SetUp();
    WriteFriendBook(standin::FriendBookBytes({{"ポチ", "太郎", "a1@example.jp"}, {"タマ", "花子", "a2@example.jp"}}));
    Start(false);
    switcher_ = std::make_unique<e2e::TaskSwitcher>(dir_ + "task-switcher.log");
    ASSERT_TRUE(PostMessageA(host_.CommandHandle("main"), WM_COMMAND, 4, 0));
    const auto mail = WaitForMailWindow();
    ASSERT_TRUE(mail.has_value());
    mail_ = *mail;
    // The agent sets a new mail window up as it opens (the body gets the
    // focus); the user works in it after that.
    ASSERT_TRUE(e2e::WaitUntil([&] { return !HostEvents("focus TMemo " + Handle(mail_.body)).empty(); }, 5000))
        << "the agent did not set the mail window up";
  }
  // The user was in `window` when the tray menu opened.
  void WorkingIn(HWND window) {
    ASSERT_TRUE(e2e::BringToFront(window));
    ASSERT_TRUE(menu_.Activate());
  }
  // Chooses the friends `indices` in the dialog and presses OK.
  void Choose(const std::vector<int>& indices) {
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr) << "no friend dialog";
    ASSERT_EQ(SendMessageA(DialogList(dialog), LB_GETCOUNT, 0, 0), 2);
    SelectFriends(dialog, indices);
    ClickOk(dialog);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "the dialog stayed";
  }
  // Cancels the dialog with Escape in its list.
  void Cancel() {
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr) << "no friend dialog";
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
    keybd_event(VK_ESCAPE, static_cast<BYTE>(MapVirtualKeyA(VK_ESCAPE, 0)), 0, 0);
    keybd_event(VK_ESCAPE, static_cast<BYTE>(MapVirtualKeyA(VK_ESCAPE, 0)), KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "Escape did not close it";
  }
  // The field's text once it has changed from `before`, or `before`.
  std::string TextAfterChange(HWND field, const std::string& before) {
    std::string text = before;
    e2e::WaitUntil([&] { return (text = Text(field)) != before; }, 5000);
    return text;
  }

  std::unique_ptr<e2e::TaskSwitcher> switcher_;
  e2e::ForegroundStandIn menu_;
  e2e::MailFields mail_;
};

TEST_F(FriendPastes, RecipientsPasteAddsACommaOnlyAfterWhatTheFieldHolds) {
  // An empty field: the chosen friends as they are.
  WorkingIn(mail_.window);
  Send(cmdPasteFriendsAsRecipients);
  Choose({0, 1});
  EXPECT_EQ(TextAfterChange(mail_.to, ""), "a1@example.jp (太郎),a2@example.jp (花子)");
  EXPECT_EQ(switcher_->Switches(),
            (std::vector<std::string>{"switch " + Handle(menu_.Handle()) + " " + Handle(mail_.window)}));

  // A field the user typed into: the host's edit holds the text, its
  // window title stays empty, and the caret is at the end.
  ASSERT_TRUE(SendMessageA(mail_.to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x@y.jp")));
  SendMessageA(mail_.to, EM_SETSEL, 6, 6);
  ASSERT_EQ(GetWindowTextLengthA(mail_.to), 0) << "the field's title is not what it holds here";
  WorkingIn(mail_.window);
  Send(cmdPasteFriendsAsRecipients);
  Choose({1});
  EXPECT_EQ(TextAfterChange(mail_.to, "x@y.jp"), "x@y.jp,a2@example.jp (花子)");
  EXPECT_EQ(GetClipboardText(), ",a2@example.jp (花子)");
  EXPECT_EQ(Text(mail_.subject), "");
}

TEST_F(FriendPastes, RecipientsPasteWantsAMailWindowInFront) {
  HWND main = host_.CommandHandle("main");
  WorkingIn(main);
  ASSERT_TRUE(SetClipboardText("before"));
  Send(cmdPasteFriendsAsRecipients);
  HWND box = WaitForBox("この機能は");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), "この機能は「メールを書く」ウインドウを最前面にして使ってください");
  EXPECT_EQ(e2e::MessageBoxCaption(box), "");
  Evidence("FriendPastes.not-a-mail-window");
  EXPECT_EQ(switcher_->Switches(), (std::vector<std::string>{"switch " + Handle(menu_.Handle()) + " " + Handle(main)}))
      << "Alt+Tab did not go back to the host's main window";
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  e2e::PumpFor(500);
  HWND dialog = e2e::FindProcessWindow(agent_.Id(), "TPasteFriend");
  EXPECT_FALSE(dialog != nullptr && IsWindowVisible(dialog)) << "the dialog opened all the same";
  EXPECT_EQ(GetClipboardText(), "before");
  EXPECT_TRUE(HostEvents("paste ").empty());
}

TEST_F(FriendPastes, CancellingTheDialogPastesNothingAndLeavesTheClipboardAsItWas) {
  for (const unsigned command : {cmdPasteFriendsAsRecipients, cmdPasteFriends}) {
    SCOPED_TRACE(command);
    WorkingIn(mail_.window);
    ASSERT_TRUE(SetClipboardText("before"));
    Send(command);
    Cancel();
    e2e::PumpFor(1500);  // more than the agent gives its Alt+Tab
    EXPECT_EQ(GetClipboardText(), "before") << "the user's copied text was lost";
    EXPECT_TRUE(HostEvents("paste ").empty());
  }
}

TEST_F(FriendPastes, NamePasteGoesIntoTheControlThatHasTheFocus) {
  // The user was writing the subject.
  RECT subject{};
  GetWindowRect(mail_.subject, &subject);
  ASSERT_TRUE(e2e::BringToFront(mail_.window));
  e2e::ClickAt((subject.left + subject.right) / 2, (subject.top + subject.bottom) / 2);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !HostEvents("lbuttonup TEdit").empty(); }, 5000));
  ASSERT_TRUE(menu_.Activate());

  Send(cmdPasteFriends);
  Choose({0});
  EXPECT_EQ(TextAfterChange(mail_.subject, ""), "a1@example.jp (太郎)");
  EXPECT_EQ(Text(mail_.to), "");
  EXPECT_EQ(Text(mail_.body), "");
  EXPECT_EQ(GetClipboardText(), "a1@example.jp (太郎)");
}

}  // namespace
