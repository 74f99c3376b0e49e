// The one window trampoline of the project: a window class whose messages go
// to a C++ object. The object is handed over in CreateWindowExA's last
// argument, stored at WM_NCCREATE and called for every later message.
#pragma once

#include <windows.h>

class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  // Called for every message of the window; return DefWindowProcA(...) for
  // what is not handled.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct WindowClassOptions {
  UINT style = 0;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;  // null: the arrow
};

// Registers `className` (once per process; later calls are no-ops) with the
// trampoline as its window procedure. False when registration failed.
bool RegisterRoutedClass(const char* className, const WindowClassOptions& options = {});

// CreateWindowExA for a class registered with RegisterRoutedClass; `handler`
// receives every message from WM_NCCREATE on and must outlive the window.
HWND CreateRoutedWindow(MessageHandler* handler, DWORD exStyle, const char* className,
                        const char* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menu = nullptr);
