#include "agent/TrayMenu_win.h"

#include <cstring>

#include "agent/HostWindowMenu_win.h"
#include "agent/MainForm_win.h"
#include "agent/TrayMenu.h"
#include "components/TrayIcon_win.h"

namespace {

// The position of the top-level item `name` among the top-level items.
UINT TopLevelPosition(const char* name) {
  UINT position = 0;
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.level != 0) continue;
    if (std::strcmp(item.name, name) == 0) return position;
    ++position;
  }
  return position;
}

void EnableTopLevel(HMENU menu, const char* name, bool enabled) {
  EnableMenuItem(menu, TopLevelPosition(name), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
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
  EnableTopLevel(menu, "R1", form_.HostWindows[hwRxWnd] != nullptr);
  EnableTopLevel(menu, "N1", FindWindowA(HostWindowClassNames[hwMailWnd].data(), nullptr) != nullptr);
}

void TTrayMenu::RebuildWindowMenu() {
  WindowMenuParams params;
  params.OwnerWindow = form_.HostWindows[hwApplication];
  params.PopupMenu = form_.PopupMenuMain->Handle();
  params.AnchorItem = kDelimiteId;
  params.FirstItemId = cmdWindowItemFirst;
  TMochiruWindowMenu().BuildMenu(params);
}

void TTrayMenu::WindowMenuItemClick(UINT id) {
  if (HWND window = WindowMenuItemWindow(form_.PopupMenuMain->Handle(), id)) SetForegroundWindow(window);
}

void TTrayMenu::MenuItemExitClick() { SendMessageA(form_.Handle(), WM_CLOSE, 0, 0); }
