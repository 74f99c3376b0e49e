#include "agent/TrayMenu_win.h"

#include "agent/HostWindowMenu_win.h"
#include "agent/MailCommands_win.h"
#include "agent/MainForm_win.h"
#include "agent/SettingsCommands_win.h"
#include "components/TrayIcon_win.h"

namespace {

// The position of the submenu `which` among the top-level items.
UINT TopLevelPosition(TraySubmenu which) {
  UINT position = 0;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.level != 0) continue;
    if (item.kind == TrayItemKind::Submenu && item.submenu == which) return position;
    ++position;
  }
  return position;
}

void EnableSubmenu(HMENU menu, TraySubmenu which, bool enabled) {
  EnableMenuItem(menu, TopLevelPosition(which), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

std::unique_ptr<TPopupMenu> TTrayMenu::CreatePopupMenuMain(HWND formWindow) {
  HMENU top = CreatePopupMenu();
  HMENU submenu = nullptr;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    HMENU into = item.level == 0 ? top : submenu;
    switch (item.kind) {
      case TrayItemKind::Submenu:
        submenu = CreatePopupMenu();
        AppendMenuA(top, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), item.caption);
        break;
      case TrayItemKind::Command:
        AppendMenuA(into, MF_STRING, item.command, item.caption);
        break;
      case TrayItemKind::Separator:
        AppendMenuA(into, MF_SEPARATOR, item.command, nullptr);
        break;
    }
  }
  auto menu = std::make_unique<TPopupMenu>(top, formWindow);
  menu->OnPopup = [this] { PopupMenuMainPopup(); };
  return menu;
}

void TTrayMenu::PopupMenuMainPopup() {
  RebuildWindowMenu();
  HMENU menu = form_.PopupMenuMain->Handle();
  EnableSubmenu(menu, TraySubmenu::ReceivedMail, form_.Host().windows[hwRxWnd] != nullptr);
  EnableSubmenu(menu, TraySubmenu::MailWriting, FindWindowA(HostWindowClassName(hwMailWnd).data(), nullptr) != nullptr);
}

void TTrayMenu::RebuildWindowMenu() {
  WindowMenuParams params;
  params.OwnerWindow = form_.Host().windows[hwApplication];
  params.PopupMenu = form_.PopupMenuMain->Handle();
  params.AnchorItem = kWindowEntriesAnchorId;
  params.FirstItemId = cmdWindowItemFirst;
  TMochiruWindowMenu().BuildMenu(params);
}

void TTrayMenu::WindowMenuItemClick(UINT id) {
  if (HWND window = WindowMenuItemWindow(form_.PopupMenuMain->Handle(), id)) SetForegroundWindow(window);
}

void TTrayMenu::Command(unsigned id) {
  if (id >= cmdWindowItemFirst) {
    WindowMenuItemClick(id);
    return;
  }
  const TrayMenuItem* item = FindTrayCommand(id);
  if (item == nullptr || item->handler == nullptr) return;
  TrayCommandHandlers& handlers = *this;
  if (!item->mailCommand) {
    (handlers.*item->handler)();
    return;
  }
  if (mailCommandRunning_) return;
  mailCommandRunning_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{mailCommandRunning_};
  (handlers.*item->handler)();
}

void TTrayMenu::CopyRecipients() { mail_.CopyRecipients(); }
void TTrayMenu::CopySender() { mail_.CopySender(); }
void TTrayMenu::ReplyToAll() { mail_.ReplyToAll(); }
void TTrayMenu::Forward() { mail_.Forward(); }
void TTrayMenu::ReplyInMailer() { mail_.ReplyInMailer(); }
void TTrayMenu::ReplyToAllInMailer() { mail_.ReplyToAllInMailer(); }
void TTrayMenu::PasteFriendsAsRecipients() { mail_.PasteFriendsAsRecipients(); }
void TTrayMenu::PasteFriends() { mail_.PasteFriends(); }
void TTrayMenu::CopyFriends() { mail_.CopyFriends(); }
void TTrayMenu::StartHost() { settings_.StartHost(); }
void TTrayMenu::SetAttachFolder() { settings_.SetAttachFolder(); }
void TTrayMenu::RegisterStartUp() { settings_.RegisterStartUp(); }
void TTrayMenu::OpenHelp() { settings_.OpenHelp(); }
void TTrayMenu::Exit() { SendMessageA(form_.Handle(), WM_CLOSE, 0, 0); }
