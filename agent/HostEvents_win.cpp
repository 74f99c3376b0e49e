#include "agent/HostEvents_win.h"

#include "agent/MainForm_win.h"
#include "agent/TitleWindow_win.h"
#include "hook/sorvikhook.h"
#include "hostaccess/HostWindows_win.h"

void THostEvents::TimerWatchWndTimer() {
  // The banner is put back on top at every tick while the host's title
  // window is up.
  if (form_.TitleShowing) form_.ShowTitleBanner();
  HWND host = FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION);
  if (host != nullptr && !form_.HostAttached) {
    form_.HostAttached = true;
    SendMessageA(form_.Handle(), UM_WNDSHOWN, reinterpret_cast<WPARAM>(host), hwApplication);
    SendMessageA(form_.Handle(), UM_WNDSHOWN, reinterpret_cast<WPARAM>(host), hwTitleWnd);
  } else if (host == nullptr && form_.HostAttached) {
    form_.HostAttached = false;
    SendMessageA(form_.Handle(), UM_WNDCLOSED, 0, hwApplication);
  }
}

void THostEvents::Attach(HWND application) {
  form_.HostAttached = true;
  form_.HostWindows[hwApplication] = application;
  form_.HostWindows[hwMainWnd] = FindHostMainWindow(application);
  WatchMochiruSubWnd(application);  // a failed attach leaves us attached without events
}

void THostEvents::Detach() {
  form_.HostAttached = false;
  StopMochiruSubWnd();
  form_.HostWindows[hwApplication] = nullptr;
}

void THostEvents::WMHostWindowShown(WPARAM wParam, LPARAM lParam) {
  const auto kind = KindFromLParam(lParam);
  if (!kind) return;
  HWND window = reinterpret_cast<HWND>(wParam);
  switch (*kind) {
    case hwApplication:
      Attach(window);
      break;
    case hwMainWnd:
      form_.HostWindows[hwMainWnd] = window;
      break;
    case hwRxWnd:
      form_.HostWindows[hwRxWnd] = window;  // the mail commands read from it
      break;
    case hwTitleWnd:
      form_.TitleShowing = true;
      form_.ShowTitleBanner();
      break;
    default:
      break;
  }
}

void THostEvents::WMHostWindowClosed(WPARAM, LPARAM lParam) {
  const auto kind = KindFromLParam(lParam);
  if (!kind) return;
  switch (*kind) {
    case hwApplication:
      Detach();
      break;
    case hwMainWnd:
      // Offer to hang up the dial-up line the host used. Close and destroy
      // are both reported; the second report finds the prompt up already.
      if (form_.FormTitle != nullptr) form_.FormTitle->ShowHangUpPrompt();
      form_.HostWindows[hwMainWnd] = nullptr;
      break;
    case hwRxWnd:
      form_.HostWindows[hwRxWnd] = nullptr;
      break;
    case hwTitleWnd:
      form_.TitleShowing = false;
      if (form_.FormTitle != nullptr) form_.FormTitle->HideForm();
      break;
    default:
      break;
  }
}
