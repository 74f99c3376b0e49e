#include "tools/standin-host/ButtonListWindows.h"

#include "hostaccess/HostIdentifiers.h"
#include "tools/standin-host/Controls.h"

namespace standin {

ButtonListWindow* ButtonListWindow::Create(WindowOwner& owner, HWND application, const std::string& cls) {
  const char* caption = nullptr;
  if (cls == HostWindowClassName(hwOyatsuWnd)) caption = "あげる";
  if (cls == HostWindowClassName(hwOmochaWnd)) caption = "置く";
  if (caption == nullptr) return nullptr;
  auto* window = new ButtonListWindow(owner);
  if (HostWindow::Create(window, cls, "", application, WS_OVERLAPPEDWINDOW, 300, 200, 260, 300) == nullptr) {
    return nullptr;
  }
  window->list = CreateControl(HOST_LISTBOX_CLASS, "", WS_BORDER | LBS_NOTIFY, 10, 10, 230, 160, window->handle);
  for (const char* item : {"おせんべい", "ドーナツ", "りんご"}) {
    SendMessageA(window->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  window->panel = CreateControl(HOST_PANEL_CLASS, "", 0, 0, 200, 260, 60, window->handle);
  window->button = CreateControl(HOST_BUTTON_CLASS, caption, BS_PUSHBUTTON, 80, 10, 90, 30, window->panel);
  SetWindowTextA(window->handle, cls == HostWindowClassName(hwOyatsuWnd) ? "おやつ" : "おもちゃ");
  ShowWindow(window->handle, SW_SHOW);
  return window;
}

}  // namespace standin
