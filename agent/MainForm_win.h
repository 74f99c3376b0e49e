// The agent's main form, window class TSorvik: hidden at start, it receives
// every private message from the hook library and from the agent itself,
// and doubles as the link window that pops up next to the mouse.
//
// The form owns its window, its controls and the state the capabilities
// share, and routes each message to the capability that handles it. Each
// capability lives in its own file pair, with the decisions it makes in
// portable functions beside it:
//   HostEvents_win   the host's reports: attach and detach, the title banner,
//                    the host's windows as they open and close, clicks
//   LinkWindow_win   the link window: what the user double-clicked in the
//                    host, listed, and opened
//   TrayMenu_win     the tray icon's menu: every command, the host's windows,
//                    the exit
//   SettingsCommands_win  the attachment folder, the start-up shortcut, help
//                    and launching the host
//   MailCommands_win the tray menu's mail commands, and the friend dialog
//                    (FriendDialog_win) they show
// A new capability gets its own pair too; the form only routes to it.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "agent/AgentSettings_win.h"
#include "agent/Controls_win.h"
#include "agent/HostEvents_win.h"
#include "agent/LinkWindow_win.h"
#include "agent/SettingsCommands_win.h"
#include "agent/TrayMenu_win.h"
#include "agent/MailCommands_win.h"
#include "base/Handles_win.h"
#include "base/RoutedWindow_win.h"
#include "components/ClipboardWatcher_win.h"
#include "components/TrayIcon_win.h"
#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/SharedStream_win.h"

class TBannerWindow;
class TPasteFriend;

class TSorvik : public MessageHandler, private HostEventsForm {
 public:
  TSorvik();
  TSorvik(const TSorvik&) = delete;
  TSorvik& operator=(const TSorvik&) = delete;
  ~TSorvik() override;

  // Creates the hidden window and its controls, then runs FormCreate. False
  // when the window cannot be made.
  bool Create(HICON icon, HBITMAP mascot);
  // The banner window, created after this form.
  void SetBannerWindow(TBannerWindow* banner) { BannerWindow = banner; }
  // The friend book's paste dialog, created after the banner window.
  void SetPasteFriend(TPasteFriend* dialog) { PasteFriend = dialog; }
  HWND Handle() const override { return window_; }
  HostState& Host() override { return host_; }

  // The agent's settings: loaded once at start, before Create, and saved
  // once, at the end or when Windows ends the session (TSettingsFile).
  void LoadSettings() { settingsFile_.Load(Settings); }
  void SaveSettings() { settingsFile_.SaveOnce(Settings); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The form's state, in the order the other modules know it.
  AgentSettings Settings;
  std::unique_ptr<TCommonMemoryStream> SharedBlock;
  TListMode ListMode = lmLinks;
  std::vector<std::string> MailHeader;
  HWND PrintCancelButton = nullptr;

  // The other forms and the link window's controls.
  TBannerWindow* BannerWindow = nullptr;
  TPasteFriend* PasteFriend = nullptr;
  HWND ListBox1 = nullptr;
  TPaintedControl Panel1, Image1, Label1, Label2, Panel3;
  TClipboardWatcher ClipboardWatcher;

  // The tray icon and its menu: the user's way to every command.
  std::unique_ptr<TPopupMenu> PopupMenuMain;
  std::unique_ptr<TTaskTray> TaskTray1;

 private:
  TBannerWindow* Banner() override { return BannerWindow; }
  LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void FormDestroy();

  HWND window_ = nullptr;
  HostState host_;
  TSettingsFile settingsFile_;
  UniqueGdiObject font_;
  UniqueGdiObject listBrush_;
  UniqueGdiObject formBrush_;

  THostEvents hostEvents_;
  TLinkWindow linkWindow_;
  TSettingsCommands settingsCommands_;
  TMailCommands mailCommands_;
  TTrayMenu trayMenu_;
};
