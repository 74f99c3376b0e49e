#include "base/RoutedWindow_win.h"

#include <exception>
#include <map>
#include <string>

namespace {

// What each class of the process was registered with.
std::map<std::string, WindowClassOptions>& RegisteredClasses() {
  static std::map<std::string, WindowClassOptions> classes;
  return classes;
}

void DefaultErrorBox(const char* what) { MessageBoxA(nullptr, what, "", MB_OK | MB_ICONERROR); }

ErrorBoxFunction ErrorBox = DefaultErrorBox;

LRESULT CALLBACK RoutedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    handler = static_cast<MessageHandler*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handler));
  }
  if (handler == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = handler->HandleMessage(window, message, wParam, lParam);
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox("予期しないエラーが発生しました");
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return result;
}

}  // namespace

bool RegisterRoutedClass(const char* className, const WindowClassOptions& options) {
  auto& classes = RegisteredClasses();
  if (const auto found = classes.find(className); found != classes.end()) {
    return found->second == options;
  }
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = options.style;
  wc.lpfnWndProc = RoutedWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = options.icon;
  wc.hIconSm = options.icon;
  wc.hCursor = options.cursor != nullptr ? options.cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = options.background;
  wc.lpszClassName = className;
  if (RegisterClassExA(&wc) == 0) return false;
  classes.emplace(className, options);
  return true;
}

HWND CreateRoutedWindow(MessageHandler* handler, DWORD exStyle, const char* className,
                        const char* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menu) {
  return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleA(nullptr), handler);
}

void SetErrorBox(ErrorBoxFunction show) { ErrorBox = show != nullptr ? show : DefaultErrorBox; }

void ShowErrorBox(const char* what) noexcept {
  try {
    ErrorBox(what);
  } catch (...) {
    // Nothing more can be said.
  }
}
