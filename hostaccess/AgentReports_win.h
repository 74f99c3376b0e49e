// Every message that reaches the agent's window from the hook library, and
// the error report, which the agent's own slot operations make too. The
// agent's window (class TSorvik) is found anew for each report; when there
// is none, the report is dropped. None of these throws or allocates: the
// hook library calls them from its hook procedures, in the host.
//
// Posted reports never make the host wait. Sent ones make it wait until the
// agent has handled them, but never longer than AGENT_REPORT_TIMEOUT_MS and
// not at all for a hung agent; the host answers messages sent to it
// meanwhile. A sent report the host stopped waiting for may still reach the
// agent later.
#pragma once

#include <windows.h>

#include "hostaccess/HostIdentifiers.h"

// The agent's main window, or null.
HWND FindAgentWindow() noexcept;

// UM_WNDSHOWN / UM_WNDCLOSED with `window` and its kind (classified only
// when there is an agent), posted: a host window is being shown; an owned
// host window is closing or being destroyed.
void ReportWindowShown(HWND window) noexcept;
void ReportWindowClosed(HWND window) noexcept;

// UM_LBUTTONUP / UM_DBLCLICK with the window the host's thread retrieved the
// button release or the double click for, sent.
void ReportButtonUp(HWND window) noexcept;
void ReportDoubleClick(HWND window) noexcept;

// UM_ERROR (wParam 100, lParam `detail`), sent; PostErrorReport posts it,
// for code that must never wait for another process (a library being
// unloaded under the loader lock).
void ReportError(int detail) noexcept;
void PostErrorReport(int detail) noexcept;
