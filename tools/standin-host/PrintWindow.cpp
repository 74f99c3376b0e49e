#include "tools/standin-host/PrintWindow.h"

#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HostMailWindows.h"
#include "tools/standin-host/Log.h"

namespace standin {

namespace {

HWND Control(const char* cls, const char* title, DWORD style, int x, int y, int w, int h, HWND parent) {
  HWND control = CreateWindowExA(0, cls, title, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

constexpr DWORD kReadOnlyText = WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;

}  // namespace

HWND PrintWindow::Create(WindowOwner& owner, HWND application, const std::string& headerText) {
  auto* preview = new PrintWindow(owner);
  // The title comes last, once the controls exist: the agent finds the
  // preview by it.
  HWND window = HostWindow::Create(preview, HOST_PRINT_CLASS, "", application, WS_OVERLAPPEDWINDOW, 150, 120,
                                   520, 420);
  if (window == nullptr) return nullptr;
  HWND toolbar = Control(HOST_PANEL_CLASS, "ツールバー", 0, 0, 0, 500, 60, window);
  HWND decoyText = Control(HOST_RICHEDIT_CLASS, "", kReadOnlyText, 4, 4, 300, 50, toolbar);
  SetWindowTextA(decoyText, "not the preview's text");
  Control(HOST_BUTTON_CLASS, HOST_PRINT_CANCEL_CAPTION, BS_PUSHBUTTON, 320, 4, 80, 24, toolbar);

  HWND panel = Control(HOST_PANEL_CLASS, "", 0, 0, 60, 500, 320, window);
  Control(HOST_BUTTON_CLASS, "印刷", BS_PUSHBUTTON, 4, 4, 80, 24, panel);
  HWND text = Control(HOST_RICHEDIT_CLASS, "", kReadOnlyText, 4, 32, 490, 240, panel);
  // Its content, not its title: found by the empty title it was made with.
  SetWindowTextA(text, headerText.c_str());
  preview->cancel_ = Control(HOST_BUTTON_CLASS, HOST_PRINT_CANCEL_CAPTION, BS_PUSHBUTTON, 100, 280, 80, 24, panel);
  Log("preview " + HandleText(window) + " text " + HandleText(text) + " cancel " + HandleText(preview->cancel_));
  SetWindowTextA(window, HOST_PRINT_TITLE);
  ShowWindow(window, SW_SHOW);
  return window;
}

LRESULT PrintWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    HWND button = reinterpret_cast<HWND>(lParam);
    char caption[64] = {};
    GetWindowTextA(button, caption, sizeof caption);
    Log("clicked " + std::string(caption) + " " + HandleText(button));
    // The preview's own cancel button closes it.
    if (button == cancel_) PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return HostWindow::HandleMessage(window, message, wParam, lParam);
}

}  // namespace standin
