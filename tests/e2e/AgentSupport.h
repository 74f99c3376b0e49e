// The agent under test: a private copy of its files in a scratch folder,
// started and observed from outside.
#pragma once

#include <windows.h>

#include <cstdint>
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
// The agent's title window (class TBannerWindow), or null.
HWND AgentTitleWindow(DWORD pid);

// Waits for a message box of process `pid` one of whose texts contains
// `part`; the box, or null. (A box's window comes before its texts.)
HWND WaitForMessageBox(DWORD pid, const std::string& part, DWORD timeoutMs = 10000);

// The three slots of the shared block (empty when it does not exist), and
// whether they hold a pair of hook handles: the agent watches a host.
std::vector<std::uint32_t> HookSlots();
bool HookAttached();

// Writes the agent's settings file beside `install` with `folder` as the
// attachment folder.
void WriteAttachFolder(const AgentInstall& install, const std::string& folder);

// The entries of a list box of another process (read as UTF-16, which
// Wine gives across processes, and converted to the code page).
std::vector<std::string> ListBoxEntries(HWND list);

// The parts of the agent's link window (its main form), found from outside.
struct LinkWindowParts {
  HWND form = nullptr;
  HWND list = nullptr;
  HWND label1 = nullptr;
  HWND label2 = nullptr;
  HWND cancel = nullptr;  // "やめとく"
};
LinkWindowParts FindLinkWindowParts(HWND agentWindow);
// Clicks "やめとく" and waits for the link window to go; false when it
// stayed. A click made as the window appears can reach the host's memo
// below it (the host logs it there): it is made again (ClickCentreUntil).
// `clickedAt` gets the point clicked.
bool DismissLinkWindow(const LinkWindowParts& parts, POINT* clickedAt = nullptr);
std::string WindowText(HWND window);

// The colour the screen shows at (x, y), as a person sees it. Under Wine
// with a window manager, another process's idea of where a window is can
// lag behind the screen; the screen is what counts.
COLORREF ScreenPixel(int x, int y);
// The link window's background colour, the strip under its list.
inline constexpr COLORREF kLinkWindowColour = RGB(187, 187, 255);

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
