// What the agent does with the host's reports and with its own watch of the
// host: attaching the hook library when the host appears and detaching it
// when it goes, the title banner while the host starts, and the host's
// windows as they are shown and closed.
#pragma once

#include <windows.h>

class TSorvik;

class THostEvents {
 public:
  explicit THostEvents(TSorvik& form) : form_(form) {}

  // The 2000 ms watch: attaches when the host's application window
  // appears, detaches when it goes.
  void TimerWatchWndTimer();
  // UM_WNDSHOWN and UM_WNDCLOSED: wParam a window, the low byte of lParam
  // its kind; kinds above 13 do nothing.
  void WMHostWindowShown(WPARAM wParam, LPARAM lParam);
  void WMHostWindowClosed(WPARAM wParam, LPARAM lParam);

 private:
  void Attach(HWND application);
  void Detach();

  TSorvik& form_;
};
