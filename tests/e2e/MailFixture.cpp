#include "tests/e2e/MailFixture.h"

#include <sstream>

#include "tests/e2e/ShellStandIns.h"
#include "toolbox/WindowUtils_win.h"

namespace e2e {

namespace {

bool Watched() {
  const auto slots = ReadSharedSlots();
  return slots && slots->size() == 3 && (*slots)[1] != 0 && (*slots)[2] != 0;
}

HWND ParseHandle(const std::string& text) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::stoll(text)));
}

}  // namespace

void MailFixture::SetUp() {
  dir_ = ScratchDir();
  install_ = InstallAgent(dir_);
  // The attachment folder's name ends in a character whose second byte is
  // a backslash: its parent is "モチル\", not "モチル\表".
  const std::string hostFolder = dir_ + "モチル\\";
  const std::string attachFolder = hostFolder + "表";
  CreateDirectoryA(hostFolder.c_str(), nullptr);
  CreateDirectoryA(attachFolder.c_str(), nullptr);
  friendBook_ = hostFolder + "おともだち帳";
  WriteWholeFile(install_.dir + "Sorvik.INI", "[options]\r\nfolder=" + attachFolder + "\r\n");
  mailtoLog_ = dir_ + "mailto.log";
  ASSERT_TRUE(RegisterShellRecorder("mailto", mailtoLog_));
}

void MailFixture::Start(bool receivedMail, const StandinHost::Options& options) {
  ASSERT_TRUE(host_.Start(options));
  agent_ = StartAgent(install_);
  agentWindow_ = WaitForAgentWindow(agent_.Id());
  ASSERT_NE(agentWindow_, nullptr);
  ASSERT_TRUE(WaitUntil(Watched, 10000)) << "the agent does not watch the host";
  // The host reports the window as it is shown, before our commands arrive.
  if (receivedMail) {
    ASSERT_NE(host_.CommandHandle("rx-window"), nullptr);
  }
}

void MailFixture::Send(unsigned command) {
  ASSERT_TRUE(PostMessageA(agentWindow_, WM_COMMAND, command, 0));
}

void MailFixture::Host(const std::string& command) {
  const auto answer = host_.Command(command);
  ASSERT_TRUE(answer.has_value() && *answer != -1) << "host command failed: " << command;
}

HWND MailFixture::WaitForBox(const std::string& part, DWORD timeoutMs) {
  HWND box = WaitForMessageBox(agent_.Id(), part, timeoutMs);
  if (box != nullptr) WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, 5000);
  return box;
}

void MailFixture::Evidence(const std::string& name) {
  // Time for what was just shown to be painted: the picture is for people.
  PumpFor(400);
  SaveEvidenceScreenshot(name);
}

HWND MailFixture::Preview() { return FindWindowA("TPrintWnd", "印刷"); }

std::optional<MailFields> MailFixture::WaitForMailWindow(DWORD timeoutMs, std::size_t madeBefore) {
  std::optional<MailFields> fields;
  WaitUntil(
      [&] {
        const auto made = HostEvents("mailwindow ");
        if (made.size() <= madeBefore) return false;
        // mailwindow <w> to <t> cc <c> subject <s> body <b>
        std::istringstream in(made.back());
        std::string word, w, to, cc, subject, body;
        in >> word >> w >> word >> to >> word >> cc >> word >> subject >> word >> body;
        fields = MailFields{ParseHandle(w), ParseHandle(to), ParseHandle(cc), ParseHandle(subject), ParseHandle(body)};
        return true;
      },
      timeoutMs);
  return fields;
}

std::vector<std::string> MailFixture::HostEvents(const std::string& prefix) const {
  std::vector<std::string> events;
  for (const std::string& line : host_.LogLines()) {
    const auto space = line.find(' ');
    if (space != std::string::npos && line.compare(space + 1, prefix.size(), prefix) == 0) {
      events.push_back(line.substr(space + 1));
    }
  }
  return events;
}

std::string MailFixture::Text(HWND control) { return ControlText(control, 100000); }

void MailFixture::WriteFriendBook(const std::string& bytes) const { WriteWholeFile(friendBook_, bytes); }

HWND MailFixture::WaitForDialog(DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        dialog = FindProcessWindow(agent_.Id(), "TPasteFriend");
        return dialog != nullptr && IsWindowVisible(dialog);
      },
      timeoutMs);
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND MailFixture::DialogList(HWND dialog) { return FindWindowExA(dialog, nullptr, "ListBox", nullptr); }

void MailFixture::SelectFriends(HWND dialog, const std::vector<int>& indices) {
  HWND list = DialogList(dialog);
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (const int index : indices) SendMessageA(list, LB_SETSEL, TRUE, index);
}

void MailFixture::ClickOk(HWND dialog) {
  // The OK panel: 41 x 33 at (48, 4) of the top strip.
  POINT centre{48 + 20, 4 + 16};
  ClientToScreen(dialog, &centre);
  ClickAt(centre.x, centre.y);
}

}  // namespace e2e
