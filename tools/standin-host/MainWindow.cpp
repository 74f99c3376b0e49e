#include "tools/standin-host/MainWindow.h"

#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HostMailWindows.h"
#include "tools/standin-host/Log.h"

namespace standin {

MainWindow* MainWindow::Create(WindowOwner& owner, HWND application) {
  auto* main = new MainWindow(owner);
  if (HostWindow::Create(main, HostWindowClassName(hwMainWnd).data(), "モチル", application,
                         WS_OVERLAPPEDWINDOW, 100, 100, 640, 480) == nullptr) {
    return nullptr;
  }
  main->memo = CreateWindowExA(0, HOST_MEMO_CLASS, "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                               0, 0, 600, 400, main->handle, nullptr, GetModuleHandleA(nullptr), nullptr);
  Log("created " + std::string(HOST_MEMO_CLASS) + " " + HandleText(main->memo));
  SendMessageA(main->memo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  SetWindowTextA(main->memo, "モチルのメモです。\r\nhttp://example.com/ と mail@example.com\r\n3行目");
  ShowWindow(main->handle, SW_SHOW);
  RECT client;
  GetClientRect(main->handle, &client);
  MoveWindow(main->memo, 0, 0, client.right, client.bottom, TRUE);
  return main;
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && memo != nullptr) MoveWindow(memo, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
  if (message == WM_COMMAND && wParam == HOST_CMD_NEW_MAIL && lParam == 0) {
    Log("command " + ClassOf(window) + " " + HandleText(window) + " " + std::to_string(HOST_CMD_NEW_MAIL));
    if (onNewMail) onNewMail();
    return 0;
  }
  return HostWindow::HandleMessage(window, message, wParam, lParam);
}

}  // namespace standin
