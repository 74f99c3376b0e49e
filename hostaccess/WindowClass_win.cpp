#include "hostaccess/WindowClass_win.h"

namespace {

LRESULT CALLBACK RoutedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    handler = static_cast<MessageHandler*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handler));
  }
  if (handler == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = handler->HandleMessage(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return result;
}

}  // namespace

bool RegisterRoutedClass(const char* className, const WindowClassOptions& options) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, className, &existing)) return true;

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = options.style;
  wc.lpfnWndProc = RoutedWindowProc;
  wc.hInstance = instance;
  wc.hIcon = options.icon;
  wc.hIconSm = options.icon;
  wc.hCursor = options.cursor != nullptr ? options.cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = options.background;
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateRoutedWindow(MessageHandler* handler, DWORD exStyle, const char* className,
                        const char* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menu) {
  return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleA(nullptr), handler);
}
