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

constexpr UINT_PTR kFieldsTimer = 1;
constexpr UINT_PTR kShowTimer = 2;

}  // namespace

HWND MailWindow::Create(WindowOwner& owner, HWND application, const MailWindowBuild& build) {
  auto* mail = new MailWindow(owner);
  if (!build.captionFirst) {
    // The title comes last, once the fields exist.
    HWND window =
        HostWindow::Create(mail, HOST_MAIL_CLASS, "", application, WS_OVERLAPPEDWINDOW, 240, 180, 520, 400);
    if (window == nullptr) return nullptr;
    mail->MakeFields(window);
    SetWindowTextA(window, HOST_MAIL_TITLE);
    ShowWindow(window, SW_SHOW);
    return window;
  }
  // As the host does it: the title first, so that the window can be found
  // before it has its fields.
  HWND window = HostWindow::Create(mail, HOST_MAIL_CLASS, HOST_MAIL_TITLE, application, WS_OVERLAPPEDWINDOW, 240,
                                   180, 520, 400);
  if (window == nullptr) return nullptr;
  Log("mailwindow-titled " + HandleText(window));
  if (build.fieldsDelayMs == 0) mail->MakeFields(window);
  if (build.fieldsDelayMs > 0) SetTimer(window, kFieldsTimer, static_cast<UINT>(build.fieldsDelayMs), nullptr);
  if (build.shownDelayMs == 0) ShowWindow(window, SW_SHOW);
  if (build.shownDelayMs > 0) SetTimer(window, kShowTimer, static_cast<UINT>(build.shownDelayMs), nullptr);
  return window;
}

void MailWindow::MakeFields(HWND window) {
  HWND panel = CreateWindowExA(0, HOST_PANEL_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 30, window, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND to = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 4, 420, 22, panel);
  HWND cc = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 34, 420, 22, window);
  HWND subject = Control(HOST_EDIT_CLASS, ES_AUTOHSCROLL, 60, 60, 420, 22, window);
  HWND body = Control(HOST_MEMO_CLASS, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0, 90, 500,
                      260, window);
  Log("mailwindow " + HandleText(window) + " to " + HandleText(to) + " cc " + HandleText(cc) + " subject " +
      HandleText(subject) + " body " + HandleText(body));
}

LRESULT MailWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && (wParam == kFieldsTimer || wParam == kShowTimer)) {
    KillTimer(window, wParam);
    if (wParam == kFieldsTimer) MakeFields(window);
    if (wParam == kShowTimer) ShowWindow(window, SW_SHOW);
    return 0;
  }
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
