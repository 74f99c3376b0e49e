// "TRxWnd": the host's received-mail list. Command 52 (print) opens the
// print preview of the selected mail after the scenario's delay, or never.
#pragma once

#include "tools/standin-host/HostWindow.h"
#include "tools/standin-host/MailScenario.h"

namespace standin {

class ReceivedMailWindow : public HostWindow {
 public:
  // Creates and shows the window owned by `application`; null when it
  // cannot be made.
  static HWND Create(WindowOwner& owner, HWND application, const MailScenario& scenario);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ReceivedMailWindow(WindowOwner& owner, const MailScenario& scenario)
      : HostWindow(owner), owner_(owner), scenario_(scenario) {}
  void OpenPreview();

  WindowOwner& owner_;
  const MailScenario& scenario_;
};

}  // namespace standin
