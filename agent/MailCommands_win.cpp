#include "agent/MailCommands_win.h"

#include <algorithm>
#include <vector>

#include "agent/FriendDialog_win.h"
#include "agent/MailCommands.h"
#include "agent/MailHeaderText_win.h"
#include "agent/MainForm_win.h"
#include "hostaccess/HostMailWindows.h"
#include "keys/SendKeys_win.h"
#include "toolbox/Clipboard_win.h"
#include "toolbox/ShellUtils_win.h"
#include "toolbox/Timeout.h"
#include "toolbox/Waiting_win.h"
#include "toolbox/WindowUtils_win.h"

namespace {

// The first child of `parent` of class `cls` with the title `title` (any
// title when null); null when `parent` is null, so that a missing parent is
// never read as "search the top-level windows".
HWND ChildOf(HWND parent, const char* cls, const char* title) {
  return parent != nullptr ? FindWindowExA(parent, nullptr, cls, title) : nullptr;
}

// The first TEdit inside the first TPanel of a mail-writing window.
HWND RecipientsField(HWND mailWindow) {
  return ChildOf(ChildOf(mailWindow, HOST_PANEL_CLASS, nullptr), HOST_EDIT_CLASS, nullptr);
}

// The host's top-level mail-writing windows titled `title` (any title when
// null), in the system's order.
std::vector<HWND> MailWindows(const char* title) {
  std::vector<HWND> windows;
  for (HWND window = FindWindowExA(nullptr, nullptr, HOST_MAIL_CLASS, title); window != nullptr;
       window = FindWindowExA(nullptr, window, HOST_MAIL_CLASS, title)) {
    windows.push_back(window);
  }
  return windows;
}

// The fields of a mail-writing window once it is ready to be written into:
// visible, with its recipients, subject and body fields made. The host
// gives the window its title before it makes the fields; until they are
// all there, Window stays null.
MailWriteControls ReadyMailWindow(HWND window) {
  if (!IsWindowVisible(window)) return {};
  TIntegerList children;
  ListChildWindows(window, children, cwDirectChildren);
  MailWriteControls controls;
  controls.SubjectEdit = children.Count() > 2 ? ListValueToWindow(children.Get(2)) : nullptr;
  controls.ToEdit = RecipientsField(window);
  controls.BodyMemo = ChildOf(window, HOST_MEMO_CLASS, nullptr);
  if (controls.SubjectEdit == nullptr || controls.ToEdit == nullptr || controls.BodyMemo == nullptr) return {};
  controls.Window = window;
  return controls;
}

// Whether the program of `window` has carried out its activation: the
// window is its thread's active window and holds the thread's focus.
bool ActivationDone(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
  return info.hwndActive == window && info.hwndFocus != nullptr &&
         (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

}  // namespace

void PasteInto(HWND control, const std::string& text) {
  SetClipboardText(text);
  if (control != nullptr) SendMessageA(control, WM_PASTE, 0, 0);
}

MailWriteControls OpenMailWriteWindow(HWND hostMainWindow) {
  // A mail the user is already writing is never written into: only a
  // window that was not there before the command was posted is the new one.
  const std::vector<HWND> before = MailWindows(nullptr);
  if (hostMainWindow != nullptr) PostMessageA(hostMainWindow, WM_COMMAND, HOST_CMD_NEW_MAIL, 0);
  StartTimeout(kMailWindowWaitMs);
  while (!TimedOut()) {
    for (HWND window : MailWindows(HOST_MAIL_TITLE)) {
      if (std::find(before.begin(), before.end(), window) != before.end()) continue;
      const MailWriteControls controls = ReadyMailWindow(window);
      if (controls.Window != nullptr) {
        SetForegroundWindow(controls.Window);
        return controls;
      }
    }
    PauseAnsweringSentMessages(kPollPauseMs);
  }
  // None in time: the callers paste nothing, and nothing is shown.
  return {};
}

bool TMailCommands::FetchMailHeader() {
  form_.MailHeader.clear();
  // Only the button this call finds is ever clicked.
  form_.PrintCancelButton = nullptr;
  HWND received = form_.Host().windows[hwRxWnd];
  if (received != nullptr) PostMessageA(received, WM_COMMAND, HOST_CMD_PRINT, 0);
  StartTimeout(kPrintWindowWaitMs);
  while (!TimedOut()) {
    HWND preview = FindWindowA(HOST_PRINT_CLASS, HOST_PRINT_TITLE);
    if (preview != nullptr) {
      // The text is read whether or not the preview comes to the front.
      StartTimeout(kPrintForegroundWaitMs);
      while (!TimedOut()) {
        SetForegroundWindow(preview);
        if (GetForegroundWindow() == preview) break;
        PauseAnsweringSentMessages(kPollPauseMs);
      }
      ProcessPendingMessages();
      // An empty title, not any title: a panel with a caption is not the one.
      HWND panel = ChildOf(preview, HOST_PANEL_CLASS, "");
      HWND edit = ChildOf(panel, HOST_RICHEDIT_CLASS, "");
      form_.PrintCancelButton = ChildOf(panel, HOST_BUTTON_CLASS, HOST_PRINT_CANCEL_CAPTION);
      form_.MailHeader = SplitHeaderText(ReadHeaderText(edit));
      break;
    }
    PauseAnsweringSentMessages(kPollPauseMs);
  }
  if (form_.MailHeader.size() >= kMinHeaderLines) return false;
  ShowMessageBox(kHeaderFailedMessage, kHeaderFailedCaption, MB_OK | MB_ICONERROR);
  ClosePrintWindow();
  return true;
}

void TMailCommands::ClosePrintWindow() {
  HWND button = form_.PrintCancelButton;
  for (int click = 0; click < kPreviewCloseClicks; ++click) {
    if (button != nullptr) {
      // A click at the button's client point (3, 3); the preview closes,
      // and the button with it, once the host has handled it.
      PostMessageA(button, WM_LBUTTONDOWN, 3, MAKELPARAM(3, 3));
      PostMessageA(button, WM_LBUTTONUP, 3, MAKELPARAM(3, 3));
    }
    if (click == 0) ProcessPendingMessages();
    if (button == nullptr) return;
    // Only sent messages meanwhile: a command chosen now waits for this one
    // to end.
    const DWORD start = GetTickCount();
    while (IsWindow(button) && GetTickCount() - start < kPreviewCloseWaitMs) {
      PauseAnsweringSentMessages(kPollPauseMs);
    }
    if (!IsWindow(button)) return;
  }
}

void TMailCommands::CopyAndShow(const std::string& text) {
  SetClipboardText(text);
  ShowMessageBox(CopiedMessage(text), kApplicationTitle, MB_OK);
  // The preview closes only after the message has been read.
  ClosePrintWindow();
}

void TMailCommands::CopyRecipients() {
  if (FetchMailHeader()) return;
  CopyAndShow(RecipientsCopyText(form_.MailHeader));
}

void TMailCommands::CopySender() {
  if (FetchMailHeader()) return;
  CopyAndShow(SenderCopyText(form_.MailHeader));
}

void TMailCommands::ReplyInMailer() {
  if (FetchMailHeader()) return;
  ClosePrintWindow();
  // Shown: the mail program's window is where the reply is written. Its
  // not starting is not reported.
  ShellOpen(ReplyMailerUrl(form_.MailHeader));
}

void TMailCommands::ReplyToAllInMailer() {
  if (FetchMailHeader()) return;
  ClosePrintWindow();
  ShellOpen(ReplyAllMailerUrl(form_.MailHeader));
}

void TMailCommands::ReplyToAll() {
  if (FetchMailHeader()) return;
  const std::string list = ReplyAllList(form_.MailHeader);
  const std::string subject = ReplySubject(form_.MailHeader);
  const MailWriteControls mail = OpenMailWriteWindow(form_.Host().windows[hwMainWnd]);
  if (mail.Window != nullptr) {
    PasteInto(mail.ToEdit, list);
    PasteInto(mail.SubjectEdit, subject);
  }
  ClosePrintWindow();
}

void TMailCommands::Forward() {
  if (FetchMailHeader()) return;
  const std::string subject = ForwardSubject(form_.MailHeader);
  const std::string body = ForwardBody(form_.MailHeader);
  const MailWriteControls mail = OpenMailWriteWindow(form_.Host().windows[hwMainWnd]);
  if (mail.Window != nullptr) {
    PasteInto(mail.SubjectEdit, subject);
    PasteInto(mail.BodyMemo, body);
  }
  ClosePrintWindow();
}

void TMailCommands::SwitchToPreviousWindow() {
  HWND before = GetForegroundWindow();
  SendKeys("%{TAB}", true);
  // Done when another window is in front and its program has activated it
  // (its focus is back in it); the foreground is briefly none meanwhile.
  const DWORD start = GetTickCount();
  for (;;) {
    HWND now = GetForegroundWindow();
    if (now != nullptr && now != before && ActivationDone(now)) return;
    if (GetTickCount() - start >= kTaskSwitchSettleMs) return;
    PauseAnsweringSentMessages(kPollPauseMs);
  }
}

std::string TMailCommands::ChooseFriends() {
  // The clipboard stays the user's until the dialog's OK puts the chosen
  // addresses there: a cancelled dialog leaves it as it was.
  if (RunFriendDialog() != mrOk) return {};
  return GetClipboardText();
}

void TMailCommands::PasteFriendsAsRecipients() {
  SwitchToPreviousWindow();
  HWND mailWindow = GetForegroundWindow();
  if (GetClassNameString(mailWindow) != HOST_MAIL_CLASS) {
    ShowMessageBox(kNotMailWindowMessage, "", MB_OK);
    return;
  }
  HWND to = RecipientsField(mailWindow);
  const std::string chosen = ChooseFriends();
  if (chosen.empty()) return;
  // The field's length as the control itself holds it: the host's edit is
  // in another program, whose text GetWindowTextLengthA cannot read.
  PasteInto(to, RecipientsPasteText(to != nullptr ? ControlTextLength(to) : 0, chosen));
}

void TMailCommands::PasteFriends() {
  const std::string chosen = ChooseFriends();
  if (chosen.empty()) return;
  SwitchToPreviousWindow();
  // Whatever control has the focus in that window, host or not.
  HWND window = GetForegroundWindow();
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD own = GetCurrentThreadId();
  const bool attached = thread != 0 && thread != own && AttachThreadInput(own, thread, TRUE);
  HWND focus = GetFocus();
  if (attached) AttachThreadInput(own, thread, FALSE);
  if (focus != nullptr) SendMessageA(focus, WM_PASTE, 0, 0);
}

void TMailCommands::CopyFriends() { RunFriendDialog(); }

int TMailCommands::RunFriendDialog() {
  TPasteFriend* dialog = form_.PasteFriend;
  if (dialog == nullptr) return mrCancel;
  // At the right edge of the screen, from the top, 20 pixels short of the
  // screen's height.
  const WindowSize screen = GetWindowSize(GetDesktopWindow());
  const WindowSize size = GetWindowSize(dialog->Handle());
  MoveWindow(dialog->Handle(), screen.width - size.width, 0, size.width, screen.height - 20, TRUE);
  return dialog->ShowModal(FriendBookPath(form_.Settings.attachFolder));
}
