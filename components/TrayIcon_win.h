// An icon in the task tray's notification area, kept in step with its
// properties, and the popup menu it shows. The shell's mouse notifications
// for the icon become the component's events; a press of the left or right
// button shows the popup menu assigned to that button.
//
// One hidden window per process, of class TNotifyWindow, receives the
// shell's notifications for every component. It is owned by the window of
// the first component that adds its icon and is destroyed with it. It also
// hears the shell announce a restart ("TaskbarCreated"), and then puts back
// every icon that is to be in the tray: the tray may be a program's only
// door, and a restarted shell knows none of the icons it had.
//
// Everything runs on the thread that owns the owner window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "components/TrayIcon.h"

class TTaskTray;

// A popup menu: a menu handle it owns and the window its commands go to.
// A click on an item, or its accelerator key, reaches that window as
// WM_COMMAND with the item's identifier once the menu has closed.
class TPopupMenu {
 public:
  // Takes `menu` (from CreatePopupMenu) and destroys it with itself.
  TPopupMenu(HMENU menu, HWND window) : menu_(menu), window_(window) {}
  // Tells every component that refers to this menu to forget it, then
  // destroys the menu.
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  HMENU Handle() const { return menu_; }
  HWND Window() const { return window_; }

  // Called each time the menu is about to open.
  std::function<void()> OnPopup;

  // OnPopup, then the menu at the screen point (x, y). Returns when the
  // menu has closed; a chosen command is then on its way to Window().
  void Popup(int x, int y);

 private:
  friend class TTaskTray;
  void FreeNotification(TTaskTray* component);
  void RemoveFreeNotification(TTaskTray* component);

  HMENU menu_;
  HWND window_;
  std::vector<TTaskTray*> notified_;
};

// Mouse buttons held, as the component's events report them: exactly the
// button of the notification; keyboard modifiers are never reported.
enum TShiftFlag : unsigned { ssLeft = 1, ssRight = 2, ssMiddle = 4 };
using TShiftState = unsigned;

// How the component talks to the shell: Shell_NotifyIconA with NIM_ADD,
// NIM_MODIFY or NIM_DELETE and the record. Tests give their own.
using TrayShellCall = std::function<bool(DWORD message, NOTIFYICONDATAA& data)>;
bool SystemTrayShellCall(DWORD message, NOTIFYICONDATAA& data);

class TTaskTray {
 public:
  using TButtonDblClick = std::function<void(TTaskTray& sender, TrayButton button)>;
  using TMouseMoveEvent = std::function<void(TTaskTray& sender, TShiftState shift, int x, int y)>;
  using TMouseEvent =
      std::function<void(TTaskTray& sender, TrayButton button, TShiftState shift, int x, int y)>;

  // `owner` is the window of the form that holds the component: it owns the
  // notify window, is brought to the foreground before a popup menu opens
  // and is told (TRAY_MENU_CLOSED_MESSAGE) when the menu has closed. The
  // component takes the next icon ID (TrayIconIdList::NextId), is not
  // registered and has no icon.
  explicit TTaskTray(HWND owner, TrayShellCall shell = SystemTrayShellCall);
  // Takes the icon out of the tray and forgets the component's ID.
  virtual ~TTaskTray();
  TTaskTray(const TTaskTray&) = delete;
  TTaskTray& operator=(const TTaskTray&) = delete;

  // The menus shown when the left or the right button goes down on the
  // icon; none by default. A menu that is destroyed is forgotten.
  TPopupMenu* PopupMenuL() const { return popupL_; }
  TPopupMenu* PopupMenuR() const { return popupR_; }
  void SetPopupMenuL(TPopupMenu* menu);
  void SetPopupMenuR(TPopupMenu* menu);

  // The tool tip; the shell gets at most 63 bytes of it (CutTrayTip).
  const std::string& TipString() const { return tip_; }
  void SetTipString(const std::string& tip);

  // The image in the tray: the component keeps its own copy. Null takes the
  // icon out of the tray (and clears Registered).
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon);

  // The icon's identifier towards the shell. Throws TrayIconError for 0 or
  // less and for an ID another component has; moves a registered icon to
  // the new ID.
  int IconID() const { return iconId_; }
  void SetIconID(int id);

  // Whether the icon is to be in the tray. Setting it true adds the icon;
  // throws TrayIconError when there is no icon image (Registered stays
  // false) or when the shell refuses (Registered stays true, IconAdded
  // false: a shell restart tries again).
  bool Registered() const { return registered_; }
  void SetRegistered(bool registered);

  // Whether the shell holds the icon (after a successful add, until a
  // delete).
  bool IconAdded() const { return iconAdded_; }

  // The record sent to the shell, in its first form, which every version
  // of the shell accepts (88 bytes on 32-bit Windows).
  const NOTIFYICONDATAA& NotifyData() const { return data_; }
  static constexpr DWORD kNotifyDataSize = NOTIFYICONDATAA_V1_SIZE;

  TButtonDblClick OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // Takes the icon out of the tray, if the shell has it; Registered false.
  virtual void DeleteIcon();
  // Adds the icon, or refreshes it when the shell has it; nothing unless
  // Registered. Throws TrayIconError when the shell refuses.
  virtual void ModifyIcon();
  virtual void DblClick(TrayButton button);
  // Brings the owner to the foreground and handles the messages waiting in
  // this thread's queue, calls OnMouseDown, then shows the button's popup
  // menu at (x, y) and, when it has closed, posts TRAY_MENU_CLOSED_MESSAGE
  // to the owner (wParam 1 after the left button's menu, lParam 1 after
  // the right one's). The middle button shows no menu.
  virtual void MouseDown(TrayButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseUp(TrayButton button, TShiftState shift, int x, int y);

  // The process's notify window; null before the first icon is added and
  // after its owner was destroyed.
  static HWND NotifyWindow();
  // True while a notification is being dispatched: every other notification
  // that arrives meanwhile, for any icon of the process, is dropped.
  static bool Busy();

 private:
  friend class TPopupMenu;
  friend class TNotifyWindow;
  // `menu` is being destroyed.
  void Notification(TPopupMenu* menu);
  // The shell has restarted and holds no icon.
  void ShellRestarted();
  void Dispatch(LPARAM mouseMessage, POINT cursor);

  HWND owner_;
  TrayShellCall shell_;
  NOTIFYICONDATAA data_{};
  TPopupMenu* popupL_ = nullptr;
  TPopupMenu* popupR_ = nullptr;
  std::string tip_;
  HICON icon_ = nullptr;
  int iconId_ = 0;
  bool registered_ = false;
  bool iconAdded_ = false;
};
