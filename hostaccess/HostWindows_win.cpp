#include "hostaccess/HostWindows_win.h"

HostWindowKind ClassifyHostWindow(HWND window) noexcept {
  // Left uninitialised: only the `length` bytes the call wrote are read (this
  // runs in the host for every window shown or closed).
  char name[256];
  const int length = GetClassNameA(window, name, sizeof name);
  return ClassifyHostClassName(std::string_view(name, length > 0 ? length : 0));
}
