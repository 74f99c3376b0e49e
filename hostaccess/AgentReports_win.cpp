#include "hostaccess/AgentReports_win.h"

#include "hostaccess/HostWindows_win.h"

namespace {

void Send(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (HWND agent = FindAgentWindow()) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(agent, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, AGENT_REPORT_TIMEOUT_MS,
                        &result);
  }
}

void PostWithKind(UINT message, HWND window) noexcept {
  if (HWND agent = FindAgentWindow()) {
    PostMessageA(agent, message, reinterpret_cast<WPARAM>(window), ClassifyHostWindow(window));
  }
}

}  // namespace

HWND FindAgentWindow() noexcept { return FindWindowA(AGENT_WINDOW_CLASS, nullptr); }

void ReportWindowShown(HWND window) noexcept { PostWithKind(UM_WNDSHOWN, window); }
void ReportWindowClosed(HWND window) noexcept { PostWithKind(UM_WNDCLOSED, window); }

void ReportButtonUp(HWND window) noexcept { Send(UM_LBUTTONUP, reinterpret_cast<WPARAM>(window), 0); }
void ReportDoubleClick(HWND window) noexcept { Send(UM_DBLCLICK, reinterpret_cast<WPARAM>(window), 0); }

void ReportError(int detail) noexcept { Send(UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail)); }

void PostErrorReport(int detail) noexcept {
  if (HWND agent = FindAgentWindow()) PostMessageA(agent, UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail));
}
