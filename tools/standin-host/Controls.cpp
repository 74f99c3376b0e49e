#include "tools/standin-host/Controls.h"

#include <windows.h>

#include <map>

#include "hostaccess/HostIdentifiers.h"
#include "tools/standin-host/Log.h"

namespace standin {

namespace {

std::map<std::string, WNDPROC> BaseProcs;

// For the text controls, after " | ": where on the screen the mouse
// message happened, the control's first visible line and its caret (the
// start of its selection) as the message arrives, before the control acts
// on it. Whoever reads a click that landed elsewhere sees where it went.
std::string TextControlState(HWND window, const std::string& cls) {
  if (cls != HOST_MEMO_CLASS && cls != HOST_EDIT_CLASS && cls != HOST_RICHEDIT_CLASS) return {};
  const DWORD at = GetMessagePos();
  DWORD caret = 0;
  SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  return " | screen " + std::to_string(static_cast<short>(LOWORD(at))) + "," +
         std::to_string(static_cast<short>(HIWORD(at))) + " top " +
         std::to_string(SendMessageA(window, EM_GETFIRSTVISIBLELINE, 0, 0)) + " caret " + std::to_string(caret);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string cls = ClassOf(window);
  switch (message) {
    case WM_LBUTTONDBLCLK: Log("dblclick " + cls + " " + HandleText(window) + TextControlState(window, cls)); break;
    case WM_LBUTTONDOWN:
      Log("lbuttondown " + cls + " " + HandleText(window) + " " + std::to_string(static_cast<short>(LOWORD(lParam))) +
          " " + std::to_string(static_cast<short>(HIWORD(lParam))) + TextControlState(window, cls));
      break;
    case WM_LBUTTONUP: Log("lbuttonup " + cls + " " + HandleText(window) + TextControlState(window, cls)); break;
    case WM_SETFOCUS: Log("focus " + cls + " " + HandleText(window)); break;
    default: break;
  }
  auto base = BaseProcs.find(cls);
  if (base == BaseProcs.end()) {
    // A panel passes its controls' notifications on to its window.
    if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const LRESULT result = CallWindowProcA(base->second, window, message, wParam, lParam);
  if (message == WM_PASTE) {
    // What the control holds after the paste.
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    Log("paste " + cls + " " + HandleText(window) + " " + OneLine(text));
  }
  return result;
}

void RegisterSuperclass(const char* name, const char* base) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (base != nullptr) {
    if (!GetClassInfoExA(nullptr, base, &wc)) return;
    BaseProcs[name] = wc.lpfnWndProc;
  } else {
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

}  // namespace

void RegisterControlClasses() {
  RegisterSuperclass(HOST_EDIT_CLASS, "EDIT");
  RegisterSuperclass(HOST_MEMO_CLASS, "EDIT");
  // A rich edit control of another process does not answer for its text
  // under Wine: the stand-in's is an edit control under the host's name,
  // created read-only and multi-line.
  RegisterSuperclass(HOST_RICHEDIT_CLASS, "EDIT");
  RegisterSuperclass(HOST_BUTTON_CLASS, "BUTTON");
  RegisterSuperclass(HOST_LISTBOX_CLASS, "LISTBOX");
  RegisterSuperclass(HOST_PANEL_CLASS, nullptr);
}

HWND CreateControl(const char* cls, const char* title, DWORD style, int x, int y, int width, int height,
                   HWND parent) {
  HWND control = CreateWindowExA(0, cls, title, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
  Log("created " + std::string(cls) + " " + HandleText(control));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return control;
}

bool IsControlClass(const std::string& cls) { return BaseProcs.count(cls) != 0 || cls == HOST_PANEL_CLASS; }

}  // namespace standin
