#include "components/TrayIcon_win.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/RoutedWindow_win.h"
#include "toolbox/Waiting_win.h"

#ifndef _WIN64
static_assert(TTaskTray::kNotifyDataSize == 88, "the tray record's first form is 88 bytes on i686");
#endif

// The window that receives the shell's notifications for every component of
// the process.
class TNotifyWindow : public MessageHandler {
 public:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Creates the window, owned by `owner`; null when it cannot be made.
  HWND Create(HWND owner);

 private:
  void WMTaskTrayNotify(WPARAM wParam, LPARAM lParam);
};

namespace {

constexpr char kNotifyWindowClass[] = "TNotifyWindow";

// The process-wide state of the components: their IDs, the one notify
// window, and the guard against a notification arriving while another is
// being dispatched. GUI thread only.
TrayIconIdList TrayIconList;
TNotifyWindow TrayNotifyHandler;
HWND TrayNotifyWindow = nullptr;
bool TrayBusy = false;

// What a shell sends to every top-level window when it starts.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

TShiftState ShiftOf(TrayButton button) {
  switch (button) {
    case TrayButton::Left: return ssLeft;
    case TrayButton::Right: return ssRight;
    case TrayButton::Middle: return ssMiddle;
  }
  return 0;
}

}  // namespace

// ---------------------------------------------------------------- TPopupMenu

TPopupMenu::~TPopupMenu() {
  // A component told here removes itself from the list.
  while (!notified_.empty()) notified_.back()->Notification(this);
  if (menu_ != nullptr) DestroyMenu(menu_);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup();
  // Either button chooses an item; the command is posted to the window.
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, window_, nullptr);
}

void TPopupMenu::FreeNotification(TTaskTray* component) {
  if (std::find(notified_.begin(), notified_.end(), component) == notified_.end()) {
    notified_.push_back(component);
  }
}

void TPopupMenu::RemoveFreeNotification(TTaskTray* component) {
  notified_.erase(std::remove(notified_.begin(), notified_.end(), component), notified_.end());
}

// ---------------------------------------------------------------- TNotifyWindow

HWND TNotifyWindow::Create(HWND owner) {
  if (!RegisterRoutedClass(kNotifyWindowClass)) return nullptr;
  TaskbarCreatedMessage();
  // A hidden top-level window owned by the form rather than its child: only
  // top-level windows hear the shell's restart, and an owned window still
  // goes with its owner.
  return CreateRoutedWindow(this, WS_EX_TOOLWINDOW, kNotifyWindowClass, "", WS_POPUP, 0, 0, 0, 0, owner);
}

LRESULT TNotifyWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TRAY_CALLBACK_MESSAGE) {
    WMTaskTrayNotify(wParam, lParam);
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    for (void* component : TrayIconList.Components()) static_cast<TTaskTray*>(component)->ShellRestarted();
    return 0;
  }
  if (message == WM_NCDESTROY && window == TrayNotifyWindow) TrayNotifyWindow = nullptr;
  return DefWindowProcA(window, message, wParam, lParam);
}

void TNotifyWindow::WMTaskTrayNotify(WPARAM wParam, LPARAM lParam) {
  // The position of every event is where the cursor is now.
  POINT cursor{};
  GetCursorPos(&cursor);
  if (wParam > static_cast<WPARAM>(INT_MAX)) return;
  auto* component = static_cast<TTaskTray*>(TrayIconList.Find(static_cast<int>(wParam)));
  if (component == nullptr || TrayBusy) return;
  TrayBusy = true;
  struct ClearBusy {
    ~ClearBusy() { TrayBusy = false; }
  } clearBusy;  // also when a handler throws
  component->Dispatch(lParam, cursor);
}

// ---------------------------------------------------------------- TTaskTray

bool SystemTrayShellCall(DWORD message, NOTIFYICONDATAA& data) {
  return Shell_NotifyIconA(message, &data) != FALSE;
}

TTaskTray::TTaskTray(HWND owner, TrayShellCall shell) : owner_(owner), shell_(std::move(shell)) {
  iconId_ = TrayIconList.NextId();
  TrayIconList.Add(iconId_, this);
}

TTaskTray::~TTaskTray() {
  DeleteIcon();
  TrayIconList.Remove(this);
  SetPopupMenuL(nullptr);
  SetPopupMenuR(nullptr);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

HWND TTaskTray::NotifyWindow() { return TrayNotifyWindow; }

bool TTaskTray::Busy() { return TrayBusy; }

void TTaskTray::SetPopupMenuL(TPopupMenu* menu) {
  TPopupMenu* old = popupL_;
  popupL_ = menu;
  if (old != nullptr && old != popupR_) old->RemoveFreeNotification(this);
  if (menu != nullptr) menu->FreeNotification(this);
}

void TTaskTray::SetPopupMenuR(TPopupMenu* menu) {
  TPopupMenu* old = popupR_;
  popupR_ = menu;
  if (old != nullptr && old != popupL_) old->RemoveFreeNotification(this);
  if (menu != nullptr) menu->FreeNotification(this);
}

void TTaskTray::Notification(TPopupMenu* menu) {
  if (popupL_ == menu) popupL_ = nullptr;
  if (popupR_ == menu) popupR_ = nullptr;
  menu->RemoveFreeNotification(this);
}

void TTaskTray::SetTipString(const std::string& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  ModifyIcon();
}

void TTaskTray::SetIcon(HICON icon) {
  if (icon != nullptr && icon == icon_) return;
  if (icon_ != nullptr) DestroyIcon(icon_);
  icon_ = nullptr;
  if (icon == nullptr) {
    DeleteIcon();
    return;
  }
  icon_ = CopyIcon(icon);
  ModifyIcon();
}

void TTaskTray::SetIconID(int id) {
  if (!AcceptIconIdChange(TrayIconList, iconId_, id)) return;
  if (registered_) {
    DeleteIcon();  // the icon leaves under its old ID ...
    registered_ = true;
  }
  iconId_ = id;
  TrayIconList.Rename(this, id);
  ModifyIcon();  // ... and comes back under the new one
}

void TTaskTray::SetRegistered(bool registered) {
  if (registered == registered_) return;
  if (!registered) {
    DeleteIcon();
    return;
  }
  if (icon_ == nullptr) throw TrayIconError(kTrayNoIcon);
  registered_ = true;
  ModifyIcon();
}

void TTaskTray::ModifyIcon() {
  if (!registered_) return;
  if (TrayNotifyWindow == nullptr) TrayNotifyWindow = TrayNotifyHandler.Create(owner_);
  if (!iconAdded_) {
    data_.cbSize = kNotifyDataSize;
    data_.hWnd = TrayNotifyWindow;
    data_.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
  }
  data_.uID = static_cast<UINT>(iconId_);
  data_.uFlags = NIF_MESSAGE | NIF_ICON | (tip_.empty() ? 0 : NIF_TIP);
  data_.hIcon = icon_;
  const std::string tip = CutTrayTip(tip_);
  std::memset(data_.szTip, 0, sizeof data_.szTip);
  std::memcpy(data_.szTip, tip.data(), tip.size());
  if (!shell_(iconAdded_ ? NIM_MODIFY : NIM_ADD, data_)) throw TrayIconError(kTrayRefused);
  iconAdded_ = true;
}

void TTaskTray::DeleteIcon() {
  if (iconAdded_) shell_(NIM_DELETE, data_);  // a failed delete is ignored
  iconAdded_ = false;
  registered_ = false;
}

void TTaskTray::ShellRestarted() {
  if (!registered_) return;
  // A shell that still has the icon takes the refresh; a new one knows no
  // icon and takes it afresh, exactly once.
  if (iconAdded_ && shell_(NIM_MODIFY, data_)) return;
  iconAdded_ = false;
  try {
    ModifyIcon();
  } catch (const TrayIconError&) {
    // Not ready yet: its next announcement tries again.
  }
}

void TTaskTray::Dispatch(LPARAM mouseMessage, POINT cursor) {
  const TrayEvent event = TrayEventFor(static_cast<std::uintptr_t>(mouseMessage));
  switch (event.kind) {
    case TrayEventKind::MouseMove: MouseMove(cursor.x, cursor.y); break;
    case TrayEventKind::MouseDown: MouseDown(event.button, ShiftOf(event.button), cursor.x, cursor.y); break;
    case TrayEventKind::MouseUp: MouseUp(event.button, ShiftOf(event.button), cursor.x, cursor.y); break;
    case TrayEventKind::DblClick: DblClick(event.button); break;
    case TrayEventKind::None: break;
  }
}

void TTaskTray::DblClick(TrayButton button) {
  if (OnDblClick) OnDblClick(*this, button);
}

void TTaskTray::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, 0, x, y);
}

void TTaskTray::MouseUp(TrayButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TTaskTray::MouseDown(TrayButton button, TShiftState shift, int x, int y) {
  if (owner_ != nullptr) {
    // The menu closes properly only when its owner is in the foreground.
    SetForegroundWindow(owner_);
    ProcessPendingMessages();
  }
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  if (button == TrayButton::Left && popupL_ != nullptr) {
    popupL_->Popup(x, y);
    PostMessageA(owner_, TRAY_MENU_CLOSED_MESSAGE, 1, 0);
  } else if (button == TrayButton::Right && popupR_ != nullptr) {
    popupR_->Popup(x, y);
    PostMessageA(owner_, TRAY_MENU_CLOSED_MESSAGE, 0, 1);
  }
}
