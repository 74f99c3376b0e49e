#include "tools/standin-host/ReadWindow.h"

#include "hostaccess/HostIdentifiers.h"
#include "tools/standin-host/Controls.h"

namespace standin {

ReadWindow* ReadWindow::Create(WindowOwner& owner, HWND application, const std::string& title) {
  auto* read = new ReadWindow(owner);
  if (HostWindow::Create(read, HostWindowClassName(hwReadWnd).data(), "", application, WS_OVERLAPPEDWINDOW,
                         150, 120, 560, 420) == nullptr) {
    return nullptr;
  }
  constexpr DWORD kText = WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
  read->memo = CreateControl(HOST_MEMO_CLASS, "", kText, 0, 0, 100, 100, read->handle);
  read->richEdit = CreateControl(HOST_RICHEDIT_CLASS, "", kText | ES_READONLY, 0, 100, 100, 100, read->handle);
  RECT client;
  GetClientRect(read->handle, &client);
  read->Layout(client.right, client.bottom);
  SetWindowTextA(read->handle, title.c_str());
  ShowWindow(read->handle, SW_SHOW);
  return read;
}

void ReadWindow::Layout(int width, int height) {
  MoveWindow(memo, 0, 0, width, height / 2, TRUE);
  MoveWindow(richEdit, 0, height / 2, width, height - height / 2, TRUE);
}

LRESULT ReadWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && memo != nullptr) Layout(LOWORD(lParam), HIWORD(lParam));
  return HostWindow::HandleMessage(window, message, wParam, lParam);
}

}  // namespace standin
