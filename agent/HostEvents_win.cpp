#include "agent/HostEvents_win.h"

#include "agent/BannerWindow_win.h"
#include "agent/HostEvents.h"
#include "hook/sorvikhook.h"
#include "hostaccess/HookSlots_win.h"
#include "hostaccess/HostWindows_win.h"
#include "keys/SendKeys_win.h"
#include "toolbox/WindowUtils_win.h"

namespace {

int ScreenHeight() { return GetWindowSize(GetDesktopWindow()).height; }

// The first child of class `cls` (any title) inside the first "TPanel" of
// `window`; null when either is missing. A missing panel must not turn the
// second search into one over all top-level windows.
HWND InFirstPanel(HWND window, const char* cls, const char* title) {
  HWND panel = window != nullptr ? FindWindowExA(window, nullptr, HOST_PANEL_CLASS, nullptr) : nullptr;
  return panel != nullptr ? FindWindowExA(panel, nullptr, cls, title) : nullptr;
}

// Whether the host application `application` shows its title window now.
bool TitleWindowShown(HWND application) {
  TIntegerList windows;
  ListTopLevelWindows(windows, twVisible);
  for (int i = 0; i < windows.Count(); ++i) {
    HWND window = ListValueToWindow(windows.Get(i));
    if (GetWindow(window, GW_OWNER) == application &&
        GetClassNameString(window) == HostWindowClassName(hwTitleWnd)) {
      return true;
    }
  }
  return false;
}

// The hooks we watch a host with are also noted on its application window.
// An agent that ends without stopping its watch (killed, crashed) leaves
// them there; where the system does not remove a dead thread's hooks with
// it (Wine keeps them), they would go on reporting every event of the host
// to the next agent, a second time.
constexpr char kCallWndHookProperty[] = "SorvikCallWndHook";
constexpr char kGetMsgHookProperty[] = "SorvikGetMsgHook";

void NoteHooksOn(HWND application) {
  SetPropA(application, kCallWndHookProperty, SlotValueToHook(ReadHookSlotOrReportError(SLOT_CALLWND_HOOK)));
  SetPropA(application, kGetMsgHookProperty, SlotValueToHook(ReadHookSlotOrReportError(SLOT_GETMSG_HOOK)));
}

void ForgetHooksOn(HWND application) {
  RemovePropA(application, kCallWndHookProperty);
  RemovePropA(application, kGetMsgHookProperty);
}

// Only one agent runs: hooks still noted on the window are a dead one's.
void RemoveHooksLeftOn(HWND application) {
  for (const char* property : {kGetMsgHookProperty, kCallWndHookProperty}) {
    if (HANDLE hook = GetPropA(application, property)) UnhookWindowsHookEx(static_cast<HHOOK>(hook));
  }
  ForgetHooksOn(application);
}

// Whether synthesised keys would reach `control`: it has the focus of the
// thread whose window is in the foreground.
bool HasKeyboardFocus(HWND control) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  return control != nullptr && thread != 0 && GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
}

}  // namespace

void THostEvents::ShowBanner() {
  if (TBannerWindow* banner = form_.Banner()) banner->ShowOnTop();
}

void THostEvents::TimerWatchWndTimer() {
  // The banner is put back on top at every tick while the host's title
  // window is up.
  if (form_.Host().titleShowing) ShowBanner();
  HWND host = FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION);
  if (host != nullptr && form_.Host().attached && host != form_.Host().windows[hwApplication]) {
    // The host ended and another one started between two ticks: the hooks
    // of the old one are gone with its thread; the new one is watched anew.
    form_.Host().attached = false;
    SendMessageA(form_.Handle(), UM_WNDCLOSED, 0, hwApplication);
  }
  if (host != nullptr && !form_.Host().attached) {
    form_.Host().attached = true;
    SendMessageA(form_.Handle(), UM_WNDSHOWN, reinterpret_cast<WPARAM>(host), hwApplication);
    // The banner stands over the host's title window, and only while there
    // is one to stand over.
    if (TitleWindowShown(host)) {
      SendMessageA(form_.Handle(), UM_WNDSHOWN, reinterpret_cast<WPARAM>(host), hwTitleWnd);
    }
  } else if (host == nullptr && form_.Host().attached) {
    form_.Host().attached = false;
    SendMessageA(form_.Handle(), UM_WNDCLOSED, 0, hwApplication);
  }
}

void THostEvents::Attach(HWND application) {
  form_.Host().attached = true;
  // Watching the same window again would stack a second pair of hooks, and
  // every event would be reported twice.
  if (application == form_.Host().windows[hwApplication]) return;
  if (form_.Host().windows[hwApplication] != nullptr) StopHooks();
  form_.Host().windows[hwApplication] = application;
  form_.Host().windows[hwMainWnd] = FindHostMainWindow(application);
  RemoveHooksLeftOn(application);
  WatchMochiruSubWnd(application);  // a failed attach leaves us attached without events
  NoteHooksOn(application);
}

void THostEvents::StopHooks() {
  StopMochiruSubWnd();
  if (IsWindow(form_.Host().windows[hwApplication])) ForgetHooksOn(form_.Host().windows[hwApplication]);
}

void THostEvents::Detach() {
  form_.Host().attached = false;
  StopHooks();
  form_.Host().windows[hwApplication] = nullptr;
  // No host, no title window to stand over: the banner goes. A hang-up
  // prompt, which the host's main window closing brought up, stays.
  if (form_.Host().titleShowing) {
    form_.Host().titleShowing = false;
    if (form_.Banner() != nullptr && !form_.Banner()->ShowsHangUpPrompt()) form_.Banner()->HideForm();
  }
}

void THostEvents::StopWatching() {
  if (form_.Host().windows[hwApplication] == nullptr) return;
  StopHooks();
  form_.Host().windows[hwApplication] = nullptr;
  form_.Host().attached = false;
}

void THostEvents::WMHostWindowShown(WPARAM wParam, LPARAM lParam) {
  const auto kind = KindFromLParam(lParam);
  if (!kind) return;
  HWND window = reinterpret_cast<HWND>(wParam);
  auto& windows = form_.Host().windows;
  switch (*kind) {
    case hwApplication:
      Attach(window);
      break;
    case hwMainWnd:
    case hwTxWnd:
    case hwRxWnd:
      windows[*kind] = window;
      break;
    case hwMailWnd:
      SetUpMailWindow(window);
      break;
    case hwTakaraWnd:
      SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      break;
    case hwOtomodatiWnd: {
      windows[hwOtomodatiWnd] = window;
      RECT rect{};
      GetWindowRect(window, &rect);
      MoveWindow(window, rect.left, 0, rect.right - rect.left, ScreenHeight() - kStretchedWindowMarginPx, TRUE);
      break;
    }
    case hwOmochaWnd:
      windows[hwOmochaWnd] = window;
      form_.Host().putButton = InFirstPanel(window, HOST_BUTTON_CLASS, "置く");
      break;
    case hwOyatsuWnd: {
      windows[hwOyatsuWnd] = window;
      form_.Host().giveButton = InFirstPanel(window, HOST_BUTTON_CLASS, "あげる");
      RECT rect{};
      GetWindowRect(window, &rect);
      MoveWindow(window, 0, 0, rect.right - rect.left, ScreenHeight() - kStretchedWindowMarginPx, TRUE);
      break;
    }
    case hwReadWnd:
      ShowWindow(window, SW_SHOWMAXIMIZED);
      break;
    case hwTitleWnd:
      form_.Host().titleShowing = true;
      ShowBanner();
      break;
    case hwUnknown:
    case hwDeleteWnd:
    case hwPrintWnd:
      break;
  }
}

void THostEvents::WMHostWindowClosed(WPARAM, LPARAM lParam) {
  const auto kind = KindFromLParam(lParam);
  if (!kind) return;
  auto& windows = form_.Host().windows;
  switch (*kind) {
    case hwApplication:
      Detach();
      break;
    case hwMainWnd:
      // Offer to hang up the dial-up line the host used. Close and destroy
      // are both reported; the second report finds the prompt up already.
      if (form_.Banner() != nullptr) form_.Banner()->ShowHangUpPrompt();
      windows[hwMainWnd] = nullptr;
      break;
    case hwTxWnd:
    case hwRxWnd:
    case hwOtomodatiWnd:
      windows[*kind] = nullptr;
      break;
    case hwOmochaWnd:
      form_.Host().putButton = nullptr;
      windows[hwOmochaWnd] = nullptr;
      break;
    case hwOyatsuWnd:
      form_.Host().giveButton = nullptr;
      windows[hwOyatsuWnd] = nullptr;
      break;
    case hwTitleWnd:
      form_.Host().titleShowing = false;
      if (form_.Banner() != nullptr) form_.Banner()->HideForm();
      break;
    default:
      break;
  }
}

void THostEvents::SetUpMailWindow(HWND mailWindow) {
  // The host's friend window closes when a mail-writing window opens; its
  // entry is cleared by the host's close report.
  if (HWND friends = form_.Host().windows[hwOtomodatiWnd]) PostMessageA(friends, WM_CLOSE, 0, 0);

  // A click 10 pixels inside the top right corner of the inner panel.
  HWND outer = FindWindowExA(mailWindow, nullptr, HOST_PANEL_CLASS, nullptr);
  HWND inner = outer != nullptr ? FindWindowExA(outer, nullptr, HOST_PANEL_CLASS, nullptr) : nullptr;
  if (inner != nullptr) {
    RECT rect{};
    GetWindowRect(inner, &rect);
    POINT at{rect.right - 10, rect.top + 10};
    ScreenToClient(inner, &at);
    const LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageA(inner, WM_LBUTTONDOWN, 0, point);
    PostMessageA(inner, WM_LBUTTONUP, 0, point);
  }

  // The body takes the focus: only a thread attached to the host's input
  // may give it.
  HWND body = FindWindowExA(mailWindow, nullptr, HOST_MEMO_CLASS, nullptr);
  const DWORD hostThread = GetWindowThreadProcessId(mailWindow, nullptr);
  const DWORD ownThread = GetCurrentThreadId();
  AttachThreadInput(ownThread, hostThread, TRUE);
  SetFocus(body);
  AttachThreadInput(ownThread, hostThread, FALSE);
}

void THostEvents::WMHostButtonUp(WPARAM wParam) {
  HWND button = reinterpret_cast<HWND>(wParam);
  if (button == nullptr) return;
  // Posted: the host handles the release first, and the window closes after.
  if (button == form_.Host().giveButton) PostMessageA(form_.Host().windows[hwOyatsuWnd], WM_CLOSE, 0, 0);
  if (button == form_.Host().putButton) PostMessageA(form_.Host().windows[hwOmochaWnd], WM_CLOSE, 0, 0);
}

void THostEvents::WMHostDoubleClick(WPARAM wParam) {
  HWND control = reinterpret_cast<HWND>(wParam);
  switch (ActionForDoubleClick(GetClassNameString(control), GetClassNameString(GetParent(control)))) {
    case DoubleClickAction::CopyLine:
      CopyCurrentLine(control);
      break;
    case DoubleClickAction::ReleaseGiveButton:
      PostMessageA(form_.Handle(), UM_LBUTTONUP, reinterpret_cast<WPARAM>(form_.Host().giveButton), 0);
      break;
    case DoubleClickAction::ReleasePutButton:
      PostMessageA(form_.Handle(), UM_LBUTTONUP, reinterpret_cast<WPARAM>(form_.Host().putButton), 0);
      break;
    case DoubleClickAction::Nothing:
      break;
  }
}

void THostEvents::CopyCurrentLine(HWND control) {
  if (!HasKeyboardFocus(control)) return;
  // Home, then Shift+End: the line at the caret is selected.
  SendKeys("{HOME}+{END}", true);
  form_.Host().copyRequested = true;
  // Ctrl+C, which the host handles once this report has returned.
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('C', 0, 0, 0);
  keybd_event('C', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}
