// What the mail command and friend dialog tests share: a stand-in host with
// a received-mail window, the agent attached to it with its attachment
// folder set (so that the friend book lies in "<scratch>モチル\"), the
// "mailto" recorder, and ways to reach the host's windows, the agent's
// message boxes and the friend dialog from outside.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"

namespace e2e {

struct MailFields {
  HWND window = nullptr;
  HWND to = nullptr;
  HWND cc = nullptr;
  HWND subject = nullptr;
  HWND body = nullptr;
};

class MailFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  // Starts the host, then the agent, and waits until the agent watches
  // the host. The received-mail window is shown when `receivedMail`.
  void Start(bool receivedMail = true, const StandinHost::Options& options = {});
  // One command of the tray menu, as a click in it sends it.
  void Send(unsigned command);
  void Host(const std::string& command);

  // The agent's visible message box whose text contains `part`, or null.
  HWND WaitForBox(const std::string& part, DWORD timeoutMs = 10000);
  // A screenshot for people to look at, once the screen is painted.
  static void Evidence(const std::string& name);
  // The host's print preview, or null.
  static HWND Preview();
  // The mail-writing window the host made last, and its fields, from the
  // host's log, once it has made more than `madeBefore` (its fields made);
  // nothing when none was made within `timeoutMs`.
  std::optional<MailFields> WaitForMailWindow(DWORD timeoutMs = 5000, std::size_t madeBefore = 0);
  // How many mail-writing windows the host has made so far.
  std::size_t MailWindowsMade() const { return HostEvents("mailwindow ").size(); }
  // The host's log events (without their time) that start with `prefix`.
  std::vector<std::string> HostEvents(const std::string& prefix) const;
  // What a control of the host holds.
  static std::string Text(HWND control);

  void WriteFriendBook(const std::string& bytes) const;
  // The visible friend dialog of the agent, or null.
  HWND WaitForDialog(DWORD timeoutMs = 10000);
  static HWND DialogList(HWND dialog);
  // Selects the list items `indices` (and no others).
  static void SelectFriends(HWND dialog, const std::vector<int>& indices);
  // A click on the dialog's OK panel.
  static void ClickOk(HWND dialog);

  std::string dir_;
  std::string friendBook_;
  std::string mailtoLog_;
  AgentInstall install_;
  StandinHost host_;
  ChildProcess agent_;
  HWND agentWindow_ = nullptr;
};

}  // namespace e2e
