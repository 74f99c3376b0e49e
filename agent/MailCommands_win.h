// The tray menu's mail commands: copy the recipients or the sender of the
// mail selected in the host's received-mail list, reply to all or forward
// in a new host mail, reply through the default mail program, and paste
// friends from the friend book into the mail being written.
//
// The host offers no programming interface: the commands ask its windows
// for the print preview or a new mail with WM_COMMAND, wait for those
// windows to appear, read their controls, and write into them only through
// the clipboard and WM_PASTE. While they wait they keep answering what the
// host's thread sends the agent (its click reports, for which the host
// waits); posted messages and input wait until the command is done. The
// texts they make are in MailCommands.h.
#pragma once

#include <windows.h>

#include <string>

class TSorvik;

// The host's mail-writing window and its fields; Window is null when none
// appeared.
struct MailWriteControls {
  HWND Window = nullptr;
  HWND ToEdit = nullptr;       // the first TEdit in the window's first TPanel
  HWND SubjectEdit = nullptr;  // the window's third direct child
  HWND BodyMemo = nullptr;     // the window's first TMemo
};

// Asks the host's main window for a new mail and waits up to 10000 ms for a
// window of class "TMailWnd" titled "メールを書く" that was not there
// before the request (a mail the user is already writing is never taken
// for it), until it is visible and its recipients, subject and body fields
// exist; brings it to the front. Window stays null when none was ready in
// time.
MailWriteControls OpenMailWriteWindow(HWND hostMainWindow);

// Puts `text` on the clipboard and has `control` paste it; the paste is
// done in the host before this returns.
void PasteInto(HWND control, const std::string& text);

class TMailCommands {
 public:
  explicit TMailCommands(TSorvik& form) : form_(form) {}

  // Opens the print preview of the selected mail and reads its header into
  // MailHeader, leaving the preview open. True when it FAILED: the error
  // has been shown and the preview closed.
  bool FetchMailHeader();
  // Clicks the preview's cancel button that the last FetchMailHeader found.
  void ClosePrintWindow();

  // The commands of the tray menu's table (TrayMenu.h), which runs them one
  // at a time.
  void CopyRecipients();
  void CopySender();
  void ReplyToAll();
  void Forward();
  void ReplyInMailer();
  void ReplyToAllInMailer();
  void PasteFriendsAsRecipients();
  void PasteFriends();
  void CopyFriends();

 private:
  void CopyAndShow(const std::string& text);
  // Alt+Tab back to the window that was active before the tray menu.
  void SwitchToPreviousWindow();
  // Places the friend dialog at the right edge of the screen and runs it;
  // its modal result (mrOk: the chosen addresses are on the clipboard).
  int RunFriendDialog();
  // Runs the friend dialog; the address text its OK put on the clipboard,
  // or empty when it was cancelled or nothing was chosen. Only the OK
  // changes the clipboard.
  std::string ChooseFriends();

  TSorvik& form_;
};
