// Measurements of the mail commands, run by `make bench` (disabled in the
// test run): how long from a command chosen in the tray menu (its
// WM_COMMAND at the agent's window) to what the user waits for: the message
// of "受取人コピー" with the copied recipients, and the new mail of "全員に返信"
// holding its recipients and subject.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "agent/MenuCommands.h"
#include "tests/e2e/MailFixture.h"

namespace {

constexpr int kRounds = 10;
constexpr DWORD kResultLimitMs = 25000;

void PrintFigures(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const std::size_t n = ms.size();
  const double median = n % 2 == 1 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  std::printf("bench: %s over %zu commands: median %.1f ms, max %.1f ms\n", what, n, median, ms.back());
}

// The stand-in host's own print preview text: to taro@example.jp and
// hanako@example.jp, from jiro@example.jp, "来週の会議について".
class MailCommandsBench : public e2e::MailFixture {
 protected:
  void SetUp() override {
    MailFixture::SetUp();
    Start();
  }
};

TEST_F(MailCommandsBench, DISABLED_CommandToResult) {
  std::vector<double> copies;
  for (int i = 0; i < kRounds; ++i) {
    const long long chosen = e2e::Now();
    Send(cmdCopyRecipients);
    HWND box = nullptr;
    const long long shown = e2e::WhenTrue([&] {
      box = e2e::FindProcessWindow(agent_.Id(), "#32770");
      return box != nullptr && IsWindowVisible(box) &&
             e2e::MessageBoxText(box).find("taro@example.jp") != std::string::npos;
    }, kResultLimitMs);
    ASSERT_NE(shown, 0) << "copy " << i << ": no message";
    copies.push_back(e2e::Milliseconds(shown - chosen));
    ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([] { return Preview() == nullptr; }, kResultLimitMs));
  }
  PrintFigures("tray command \"copy the recipients\" -> its message with them", copies);

  std::vector<double> replies;
  for (int i = 0; i < kRounds; ++i) {
    const std::size_t mailsBefore = HostEvents("mailwindow ").size();
    const long long chosen = e2e::Now();
    Send(cmdReplyToAll);
    std::optional<e2e::MailFields> mail;
    const long long filled = e2e::WhenTrue([&] {
      if (HostEvents("mailwindow ").size() == mailsBefore) return false;
      if (!mail) mail = WaitForMailWindow(0);
      return mail && Text(mail->subject) == "Re: 来週の会議について" && !Text(mail->to).empty();
    }, kResultLimitMs);
    ASSERT_NE(filled, 0) << "reply " << i << ": no new mail with the subject";
    replies.push_back(e2e::Milliseconds(filled - chosen));
    ASSERT_TRUE(e2e::WaitUntil([] { return Preview() == nullptr; }, kResultLimitMs));
    Host("close " + std::to_string(reinterpret_cast<std::intptr_t>(mail->window)));
  }
  PrintFigures("tray command \"reply to all\" -> the new mail with its recipients and subject", replies);
}

}  // namespace
