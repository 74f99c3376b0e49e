// Agent only: kept apart from the lookups the hook library takes, which link
// no C runtime.
#include "hostaccess/HostWindows_win.h"

#include <cstring>

namespace {

struct MainWindowSearch {
  HWND application;
  HWND found;
};

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<MainWindowSearch*>(context);
  if (GetWindow(window, GW_OWNER) == search->application) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, HostWindowClassName(hwMainWnd).data()) == 0) search->found = window;
  }
  return TRUE;  // never stop early: the last one enumerated wins
}

}  // namespace

HWND FindHostMainWindow(HWND application) noexcept {
  MainWindowSearch search{application, nullptr};
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
