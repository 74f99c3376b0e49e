// "TMainWnd": the host's main window, with a "TMemo" text control that
// fills it and holds a few lines (tests put their own in). Command 4 (a new
// mail) is handed to whoever opens mail-writing windows.
#pragma once

#include <functional>

#include "tools/standin-host/HostWindow.h"

namespace standin {

class MainWindow : public HostWindow {
 public:
  // Creates and shows the main window owned by `application`; null when it
  // cannot be made.
  static MainWindow* Create(WindowOwner& owner, HWND application);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND memo = nullptr;
  // Called for WM_COMMAND 4.
  std::function<void()> onNewMail;

 private:
  using HostWindow::HostWindow;
};

}  // namespace standin
