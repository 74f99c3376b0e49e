#include "tools/standin-host/HostWindow.h"

#include "tools/standin-host/Log.h"

namespace standin {

WindowClassOptions HostWindow::ClassOptions() {
  WindowClassOptions options;
  options.style = CS_DBLCLKS;
  options.background = GetSysColorBrush(COLOR_WINDOW);
  return options;
}

HWND HostWindow::Create(HostWindow* handler, const std::string& cls, const std::string& title, HWND owner,
                        DWORD style, int x, int y, int width, int height) {
  HWND window = nullptr;
  if (RegisterRoutedClass(cls.c_str(), ClassOptions())) {
    window = CreateRoutedWindow(handler, 0, cls.c_str(), title.c_str(), style, x, y, width, height, owner);
  }
  if (window == nullptr) {
    delete handler;
    return nullptr;
  }
  handler->handle = window;
  Log("created " + cls + " " + HandleText(window));
  return window;
}

LRESULT HostWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (refuseClose) {
        Log("close-refused " + ClassOf(window) + " " + HandleText(window));
        return 0;
      }
      Log("close " + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_SHOWWINDOW:
      Log(std::string(wParam ? "shown " : "hidden ") + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_LBUTTONDBLCLK:
      Log("dblclick " + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_PAINT: {
      // Each window shows its class, so a screenshot tells them apart.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      const std::string label = ClassOf(window);
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, label.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_NCDESTROY: {
      Log("destroyed " + HandleText(window));
      owner_.WindowDestroyed(window);
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      delete this;
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace standin
