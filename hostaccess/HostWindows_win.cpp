#include "hostaccess/HostWindows_win.h"

#include <cstring>


HWND FindAgentWindow() noexcept { return FindWindowA(AGENT_WINDOW_CLASS, nullptr); }

void ReportError(int detail) noexcept {
  if (HWND agent = FindAgentWindow()) {
    SendMessageA(agent, UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail));
  }
}

HostWindowKind ClassifyHostWindow(HWND window) noexcept {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return ClassifyHostClassName(std::string_view(name, length > 0 ? length : 0));
}

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
    if (std::strcmp(name, HostWindowClassNames[hwMainWnd].data()) == 0) search->found = window;
  }
  return TRUE;  // never stop early: the last one enumerated wins
}

}  // namespace

HWND FindHostMainWindow(HWND application) noexcept {
  MainWindowSearch search{application, nullptr};
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
