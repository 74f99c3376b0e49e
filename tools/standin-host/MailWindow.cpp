#include "tools/standin-host/MailWindow.h"

#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HostMailWindows.h"
#include "tools/standin-host/Log.h"

namespace standin {

namespace {

HWND Control(const char* cls, DWORD style, int x, int y, int w, int h, HWND parent) {
  HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w,
                                 h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

}  // namespace

HWND MailWindow::Create(WindowOwner& owner, HWND application) {
  auto* mail = new MailWindow(owner);
  // The title comes last, once the fields exist: the agent finds the
  // window by it.
  HWND window =
      HostWindow::Create(mail, HOST_MAIL_CLASS, "", application, WS_OVERLAPPEDWINDOW, 240, 180, 520, 400);
  if (window == nullptr) return nullptr;
  HWND panel = CreateWindowExA(0, HOST_PANEL_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 30, window, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND to = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 4, 420, 22, panel);
  HWND cc = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 34, 420, 22, window);
  HWND subject = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 60, 420, 22, window);
  HWND body = Control(HOST_MEMO_CLASS, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0, 90, 500,
                      260, window);
  Log("mailwindow " + HandleText(window) + " to " + HandleText(to) + " cc " + HandleText(cc) + " subject " +
      HandleText(subject) + " body " + HandleText(body));
  SetWindowTextA(window, HOST_MAIL_TITLE);
  ShowWindow(window, SW_SHOW);
  return window;
}

LRESULT MailWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus != nullptr && IsChild(window, focus)) focus_ = focus;
    } else if (focus_ != nullptr && IsWindow(focus_)) {
      SetFocus(focus_);
      return 0;
    }
  }
  return HostWindow::HandleMessage(window, message, wParam, lParam);
}

}  // namespace standin
