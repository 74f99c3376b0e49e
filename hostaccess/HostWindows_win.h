// The host's windows and the agent's window as both deliverables find them,
// and the error report the hook library sends the agent.
#pragma once

#include <windows.h>

#include "hostaccess/HostIdentifiers.h"

// The agent's main window (class TSorvik), or null.
HWND FindAgentWindow() noexcept;

// Sends UM_ERROR (wParam 100, lParam detail) to the agent's main window and
// returns once it has been handled; does nothing when there is no agent.
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
