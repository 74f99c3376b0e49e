#include "tools/standin-host/ReceivedMailWindow.h"

#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HostMailWindows.h"
#include "tools/standin-host/Log.h"
#include "tools/standin-host/PrintWindow.h"

namespace standin {

namespace {
constexpr UINT_PTR kPreviewTimer = 1;
}  // namespace

HWND ReceivedMailWindow::Create(WindowOwner& owner, HWND application, const MailScenario& scenario) {
  HWND window = HostWindow::Create(new ReceivedMailWindow(owner, scenario), HostWindowClassName(hwRxWnd).data(),
                                   "受信簿", application, WS_OVERLAPPEDWINDOW, 60, 60, 360, 260);
  if (window != nullptr) ShowWindow(window, SW_SHOW);
  return window;
}

void ReceivedMailWindow::OpenPreview() {
  PrintWindow::Create(owner_, GetWindow(handle, GW_OWNER), scenario_.printText);
}

LRESULT ReceivedMailWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && wParam == HOST_CMD_PRINT && lParam == 0) {
    Log("command " + ClassOf(window) + " " + HandleText(window) + " " + std::to_string(HOST_CMD_PRINT));
    if (scenario_.printDelayMs == MailScenario::kNever) {
      Log("preview-never");
    } else if (scenario_.printDelayMs == 0) {
      OpenPreview();
    } else {
      SetTimer(window, kPreviewTimer, static_cast<UINT>(scenario_.printDelayMs), nullptr);
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kPreviewTimer) {
    KillTimer(window, kPreviewTimer);
    OpenPreview();
    return 0;
  }
  return HostWindow::HandleMessage(window, message, wParam, lParam);
}

}  // namespace standin
