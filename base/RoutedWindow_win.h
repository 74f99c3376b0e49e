// The one window trampoline of the project: a window class whose messages go
// to a C++ object. The object is handed over in CreateWindowExA's last
// argument, stored at WM_NCCREATE and called for every later message.
//
// No exception crosses user32: one that leaves a handler is caught by the
// trampoline, shown in the program's error box, and the message is answered
// with 0. The program goes on, as it does after any failed command.
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

  friend bool operator==(const WindowClassOptions&, const WindowClassOptions&) = default;
};

// Registers `className` with the trampoline as its window procedure. Asking
// again with the same options is a no-op; asking with other options fails,
// since one class cannot carry two looks. False when registration failed.
bool RegisterRoutedClass(const char* className, const WindowClassOptions& options = {});

// CreateWindowExA for a class registered with RegisterRoutedClass; `handler`
// receives every message from WM_NCCREATE on and must outlive the window.
HWND CreateRoutedWindow(MessageHandler* handler, DWORD exStyle, const char* className,
                        const char* title, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menu = nullptr);

// The program's error box: shows `what` to the user (an exception's text).
// The default is a plain message box with an error icon; a program sets its
// own once at start. Never throws.
using ErrorBoxFunction = void (*)(const char* what);
void SetErrorBox(ErrorBoxFunction show);
void ShowErrorBox(const char* what) noexcept;
