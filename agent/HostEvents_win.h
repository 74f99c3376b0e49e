// What the agent does with the host's reports and with its own watch of the
// host: attaching the hook library when the host appears and detaching it
// when it goes, the title banner while the host starts, the host's windows
// as they are shown and closed, and the clicks the host reports.
#pragma once

#include <windows.h>

#include <array>

#include "hostaccess/HostIdentifiers.h"

class TBannerWindow;

// What the agent knows of the host: kept up to date by the host events and
// read by the other capabilities. The main form owns it.
struct HostState {
  // The host's windows by kind, as far as the agent keeps them; null when
  // none is known.
  std::array<HWND, HostWindowKindCount> windows{};
  HWND giveButton = nullptr;  // "あげる" in the snack window ("TOyatsuWnd")
  HWND putButton = nullptr;   // "置く" in the toy window ("TOmochaWnd")
  bool attached = false;      // the host's application window is watched
  bool titleShowing = false;  // the host's title window is up, the banner over it
  // A double click had the host copy its line: the next clipboard change
  // opens the link window.
  bool copyRequested = false;
};

// What the host events need of the main form, and no more.
class HostEventsForm {
 public:
  // The form's window, to which the watch reports the host's coming and
  // going as the hook library would.
  virtual HWND Handle() const = 0;
  virtual HostState& Host() = 0;
  // The banner window, which is also the hang-up prompt; null while there
  // is none.
  virtual TBannerWindow* Banner() = 0;

 protected:
  ~HostEventsForm() = default;
};

class THostEvents {
 public:
  explicit THostEvents(HostEventsForm& form) : form_(form) {}

  // The 2000 ms watch: attaches when the host's application window
  // appears, detaches when it goes, and attaches anew when another one has
  // taken its place since the last tick.
  void TimerWatchWndTimer();
  // UM_WNDSHOWN and UM_WNDCLOSED: wParam a window, the low byte of lParam
  // its kind; a number that is no kind does nothing.
  void WMHostWindowShown(WPARAM wParam, LPARAM lParam);
  void WMHostWindowClosed(WPARAM wParam, LPARAM lParam);
  // UM_LBUTTONUP and UM_DBLCLICK: wParam the window the host's thread
  // retrieved the button release or the double click for. The host waits
  // while these run: they only post messages or synthesise keys.
  void WMHostButtonUp(WPARAM wParam);
  void WMHostDoubleClick(WPARAM wParam);

  // At the agent's end: the host is watched no longer. (Windows takes the
  // hooks of an ended program away by itself; Wine keeps them reporting,
  // to whichever agent comes next.)
  void StopWatching();

  // Selects the line at the caret of the host's text control `control` and
  // copies it; the clipboard change that follows opens the link window.
  // The keys go to whatever has the keyboard focus: nothing is typed unless
  // that is still `control` (a report the host stopped waiting for can come
  // after the user has gone elsewhere).
  void CopyCurrentLine(HWND control);

 private:
  void Attach(HWND application);
  void Detach();
  // Removes our hooks and their notes on the host's application window.
  void StopHooks();
  void SetUpMailWindow(HWND mailWindow);
  // Shows the banner topmost without activating it.
  void ShowBanner();

  HostEventsForm& form_;
};
