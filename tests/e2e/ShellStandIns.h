// Stand-ins for the shell in the test prefix: a recorder of what the shell
// is asked to open, and the task switch (Alt+Tab) that Wine does not do.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

// Registers the recorder as the open command of `classKey` under
// HKEY_CLASSES_ROOT (a protocol such as "mailto" or "http", a file type, or
// "Folder"), writing to `logPath`; any DDE conversation of the key is
// removed, so that the command is used. False when the registry refused.
bool RegisterShellRecorder(const std::string& classKey, const std::string& logPath);
// What the recorder was asked to open, one entry per open, in order.
std::vector<std::string> RecordedOpens(const std::string& logPath);
// The show command each of those opens started the program with (SW_HIDE,
// SW_SHOWNORMAL, ...; -1 when the shell gave none), in the same order.
std::vector<int> RecordedShowCommands(const std::string& logPath);

// The shell's Alt+Tab while the object lives: a helper process whose
// low-level keyboard hook brings the next window a task switch offers to
// the front (tests/e2e/task-switcher).
class TaskSwitcher {
 public:
  // Starts the helper and waits until its hook is in; the test fails when
  // it is not.
  explicit TaskSwitcher(const std::string& logPath);
  ~TaskSwitcher();
  TaskSwitcher(const TaskSwitcher&) = delete;
  TaskSwitcher& operator=(const TaskSwitcher&) = delete;
  // The switches made, "switch <from> <to>".
  std::vector<std::string> Switches() const;

 private:
  std::string log_;
  ChildProcess process_;
};

// A visible window of the test that stands for what the tray menu takes
// from the user's window: brought to the front above the window the user
// worked in, so that the agent's Alt+Tab goes back to that one. Without a
// system menu, so that an Alt released over it opens none.
class ForegroundStandIn {
 public:
  ForegroundStandIn();
  ~ForegroundStandIn();
  ForegroundStandIn(const ForegroundStandIn&) = delete;
  ForegroundStandIn& operator=(const ForegroundStandIn&) = delete;
  HWND Handle() const { return window_; }
  // Brings it to the front; false when it did not get there.
  bool Activate();

 private:
  HWND window_ = nullptr;
};

// Brings `window` to the front and waits until it is the foreground window.
bool BringToFront(HWND window, DWORD timeoutMs = 5000);

// Waits until `window` has been the foreground window for `steadyMs` on end.
bool KeepsForeground(HWND window, DWORD steadyMs, DWORD timeoutMs);

}  // namespace e2e
