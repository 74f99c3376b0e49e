#include "agent/LinkWindow_win.h"

#include <optional>
#include <utility>

#include "agent/AgentSettings_win.h"
#include "agent/MailCommands_win.h"
#include "agent/MainForm_win.h"
#include "toolbox/Clipboard_win.h"
#include "toolbox/ShellUtils_win.h"
#include "toolbox/Waiting_win.h"
#include "toolbox/WindowUtils_win.h"

namespace {

// The text the host copied: read as soon as the clipboard holds text and
// can be opened, answering what other threads send meanwhile (the host may
// be waiting for the agent). After kClipboardSettleMs whatever the clipboard
// holds is read, with the usual retries to open it; nothing when it cannot
// be opened even then (another program holds it).
std::optional<std::string> ReadCopiedText() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kClipboardSettleMs) {
    if (ClipboardHasText()) {
      if (std::optional<std::string> text = TryGetClipboardText(0)) return text;
    }
    PauseAnsweringSentMessages(kPollPauseMs);
  }
  return TryGetClipboardText();
}

// Fills the list box in one go: without redrawing after every entry, a line
// with thousands of links shows at once.
void FillList(HWND list, const std::vector<std::string>& entries) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_INITSTORAGE, entries.size(), 0);
  for (const std::string& entry : entries) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::string ListEntry(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

// What `path` names: GetFileAttributesA, which fails for anything that is
// not there (or cannot be reached).
PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Nothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

// The work area of the monitor under `point` (the nearest one when the point
// is on none): the screen without the taskbar.
ScreenRect WorkAreaAt(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left, work.top, work.right, work.bottom};
}

}  // namespace

void TLinkWindow::ClipboardChanged() {
  // The flag stays set until the copied text is taken.
  if (form_.Host().copyRequested) PostMessageA(form_.Handle(), UM_CLIPTEXT, 0, 0);
}

void TLinkWindow::WMClipText() {
  form_.Host().copyRequested = false;
  const std::optional<std::string> copied = ReadCopiedText();
  // Another program holds the clipboard: the line cannot be read, and the
  // window stays as it is rather than showing an empty list.
  if (!copied) return;
  const std::string& text = *copied;
  SendMessageA(form_.ListBox1, LB_RESETCONTENT, 0, 0);

  const CopiedLine line = ReadCopiedLine(text);
  if (!line.keepsMode) {
    form_.ListMode = line.mode;
    std::string& attachFolder = form_.Settings.attachFolder;
    if (line.mode == lmAttachment && !IsExistingFolder(attachFolder)) {
      // The notice names a file in a folder the agent does not know yet:
      // the user is asked for it; cancelling keeps the setting as it was
      // and shows nothing.
      std::string chosen = ChooseAttachFolder();
      if (chosen.empty()) return;
      attachFolder = std::move(chosen);
    }
    const LinkLabels labels = LabelsFor(line.mode, attachFolder);
    form_.Label1.SetText(labels.label1);
    form_.Label2.SetText(labels.label2);
    FillList(form_.ListBox1, line.entries);
  }
  ShowAtMouse();
}

void TLinkWindow::ShowAtMouse() {
  HWND window = form_.Handle();
  POINT cursor{};
  GetCursorPos(&cursor);
  const WindowSize form = GetWindowSize(window);
  const ScreenPoint at = LinkWindowPosition(cursor.x, cursor.y, form.width, form.height, WorkAreaAt(cursor));
  SetWindowPos(window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  // These two system commands bring the window to the foreground.
  SendMessageA(window, WM_SYSCOMMAND, SC_HOTKEY, reinterpret_cast<LPARAM>(window));
  SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, reinterpret_cast<LPARAM>(window));
}

void TLinkWindow::PanelCancelClick() { ShowWindow(form_.Handle(), SW_HIDE); }

void TLinkWindow::ListBox1DblClick() { PanelJumpClick(); }

void TLinkWindow::PanelJumpClick() {
  const LRESULT selected = SendMessageA(form_.ListBox1, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;  // nothing selected: nothing to open
  const EntryTarget target =
      TargetOf(form_.ListMode, ListEntry(form_.ListBox1, static_cast<int>(selected)),
               form_.Settings.attachFolder, KindOfPath);
  if (target.action == EntryAction::Refuse) {
    // Nothing opens; the window stays, so that another entry can be chosen.
    MessageBoxA(form_.Handle(), target.target.c_str(), "Sorvik", MB_OK | MB_ICONWARNING);
    return;
  }
  ShowWindow(form_.Handle(), SW_HIDE);
  switch (target.action) {
    case EntryAction::NewMail: {
      // A new host mail with the address in its recipients; nothing when the
      // host opens none in time.
      const MailWriteControls mail = OpenMailWriteWindow(form_.Host().windows[hwMainWnd]);
      if (mail.Window != nullptr) PasteInto(mail.ToEdit, target.target);
      break;
    }
    case EntryAction::OpenLink:
    case EntryAction::OpenAttachment:
      // Shown normally: a program that honours its start-up state (an
      // editor for a text file) would otherwise run unseen.
      ShellOpen(target.target);
      break;
    case EntryAction::OpenFolder:
      ShellOpenFolder(target.target);
      break;
    case EntryAction::Refuse:
      break;
  }
}
