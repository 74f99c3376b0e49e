// The host's windows as both deliverables find them. (The agent's window
// and the reports to it: hostaccess/AgentReports_win.h.)
#pragma once

#include <windows.h>

#include "hostaccess/HostIdentifiers.h"

// The kind of a host window by its class name, against the rows of
// HostWindowKinds that the hook library reports: "TPrintWnd" and every
// unlisted class give hwUnknown.
HostWindowKind ClassifyHostWindow(HWND window) noexcept;

// The top-level window owned by `application` whose class is "TMainWnd";
// when several qualify, the last one enumerated; null when none does.
HWND FindHostMainWindow(HWND application) noexcept;
