#include "hostaccess/HostWindows_win.h"

HWND FindAgentWindow() noexcept { return FindWindowA(AGENT_WINDOW_CLASS, nullptr); }

void SendReportToAgent(HWND agent, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(agent, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, AGENT_REPORT_TIMEOUT_MS,
                      &result);
}

void ReportError(int detail) noexcept {
  if (HWND agent = FindAgentWindow()) SendReportToAgent(agent, UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail));
}

void PostErrorReport(int detail) noexcept {
  if (HWND agent = FindAgentWindow()) {
    PostMessageA(agent, UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail));
  }
}

HostWindowKind ClassifyHostWindow(HWND window) noexcept {
  // Left uninitialised: only the `length` bytes the call wrote are read (this
  // runs in the host for every window shown or closed).
  char name[256];
  const int length = GetClassNameA(window, name, sizeof name);
  return ClassifyHostClassName(std::string_view(name, length > 0 ? length : 0));
}
