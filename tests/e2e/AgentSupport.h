// The agent under test: a private copy of its files in a scratch folder,
// started and observed from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

// A folder with Sorvik.exe (under `exeName`), sorvikhook.dll and the test
// Remote Access Service library reporting `connections` active connections.
struct AgentInstall {
  std::string dir;   // ends with a backslash
  std::string exe;   // full path
};
AgentInstall InstallAgent(const std::string& dir, const std::string& exeName = "Sorvik.exe",
                          int connections = 0);
// Changes how many dial-up connections the test library reports.
void SetFakeConnections(const AgentInstall& install, int connections);
// The hang-ups the test library recorded, in order ("RasHangUpA <handle>").
std::vector<std::string> FakeHangUps(const AgentInstall& install);

// Starts the agent of `install` with the test Remote Access Service library
// chosen over Wine's own.
ChildProcess StartAgent(const AgentInstall& install);
// Waits for the main window (class TSorvik) of the agent process `pid`.
HWND WaitForAgentWindow(DWORD pid, DWORD timeoutMs = 10000);
// The agent's title window (class TFormTitle), or null.
HWND AgentTitleWindow(DWORD pid);

// Waits for a message box of process `pid` one of whose texts contains
// `part`; the box, or null. (A box's window comes before its texts.)
HWND WaitForMessageBox(DWORD pid, const std::string& part, DWORD timeoutMs = 10000);

// A message box's text (its static control) and its caption.
std::string MessageBoxText(HWND box);
std::string MessageBoxCaption(HWND box);
// Presses the button `id` (IDOK, IDCANCEL, IDYES, IDNO) of a message box
// and waits for the box to go.
bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs = 5000);

bool IsTopmost(HWND window);
SIZE ClientSize(HWND window);
// True when `upper` is above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower);

}  // namespace e2e
