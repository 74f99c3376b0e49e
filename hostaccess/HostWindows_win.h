// The host's windows and the agent's window as both deliverables find them,
// and the error report the hook library sends the agent.
#pragma once

#include <windows.h>

#include "hostaccess/HostIdentifiers.h"

// The agent's main window (class TSorvik), or null.
HWND FindAgentWindow() noexcept;

// Sends `message` to the agent's window `agent` and returns once the agent
// has handled it, or after AGENT_REPORT_TIMEOUT_MS, or at once when the
// agent is hung; messages sent to the calling thread meanwhile are
// answered. The report is then left to the agent, which may handle it
// after the caller went on.
void SendReportToAgent(HWND agent, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Sends UM_ERROR (wParam 100, lParam detail) to the agent's main window as
// SendReportToAgent does; does nothing when there is no agent.
void ReportError(int detail) noexcept;

// The same report posted: it returns at once, whether or not the agent
// answers. For code that must never wait for another process.
void PostErrorReport(int detail) noexcept;

// The kind of a host window by its class name, against the hook library's
// 13 entries: "TPrintWnd" and every unlisted class give hwUnknown.
HostWindowKind ClassifyHostWindow(HWND window) noexcept;

// The top-level window owned by `application` whose class is "TMainWnd";
// when several qualify, the last one enumerated; null when none does.
HWND FindHostMainWindow(HWND application) noexcept;
