// A top-level window of the stand-in host, of any class the host has (or of
// one it lacks): owned by the application window, it logs its life and can
// refuse to close. Windows that imitate a particular kind of host window
// derive from it, each in a file of its own.
#pragma once

#include <windows.h>

#include <string>

#include "base/RoutedWindow_win.h"

namespace standin {

// Told when one of its windows is gone.
class WindowOwner {
 public:
  virtual ~WindowOwner() = default;
  virtual void WindowDestroyed(HWND window) = 0;
};

class HostWindow : public MessageHandler {
 public:
  explicit HostWindow(WindowOwner& owner) : owner_(owner) {}

  // Creates the window for `handler` (allocated with new; it deletes itself
  // with its window) under class `cls`, registered on first use. Null when
  // the window cannot be made (the handler is then deleted).
  static HWND Create(HostWindow* handler, const std::string& cls, const std::string& title, HWND owner,
                     DWORD style, int x, int y, int width, int height);

  // The options of every window class of the host, the application
  // window's included (a test may show another window of that class).
  static WindowClassOptions ClassOptions();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND handle = nullptr;
  bool refuseClose = false;

 private:
  WindowOwner& owner_;
};

}  // namespace standin
