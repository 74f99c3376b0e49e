// What the soak runs share: the agent beside the stand-in host with a
// received-mail window, its tray icon, a friend book and the shell's
// recorders; the work of each kind a user gives it, repeated; the figures
// of the agent process; and a watch on how long the host's queue waits.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "agent/TrayMenu.h"
#include "hostaccess/HostIdentifiers.h"
#include "tests/e2e/MailFixture.h"
#include "tests/e2e/ShellStandIns.h"

namespace soak {

// The kinds of host window the load opens and closes: every kind of the
// host's table but the application window (the hole stands for a class the
// table does not know); and how many of each at scale 1.
inline constexpr int kWindowKinds = HostWindowKindCount - 1;
inline constexpr int kWindowsPerKind = 154;

// The longest a ping may wait in the host's queue. The agent holds the
// host for a second at most per report it is sent (the end-to-end tests
// check that bound on its own); the host's own windowing under Wine, on a
// machine that other work keeps busy, has kept its queue waiting for up to
// 1.2 s with no report pending (a window shown or closed, another
// program's windows going), and Wine waits up to 2 s for the window manager.
inline constexpr DWORD kLongestPingMs = 2000;

// How many times the default amounts each run does (--scale).
double Scale();
void SetScale(double scale);
// `amount` at the current scale, at least `minimum`.
int Scaled(int amount, int minimum = 1);

// The agent process's counts as Windows (or Wine) reports them; a count
// Wine does not report is 0.
struct ProcessFigures {
  DWORD handles = 0;
  unsigned long long privateBytes = 0;
  unsigned long long workingSet = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
};
ProcessFigures FiguresOf(HANDLE process);
std::string Describe(const ProcessFigures& figures);

// Posts a ping to the host's application window every 50 ms from a thread
// of its own; the host notes how long each waited in its queue.
class HostPinger {
 public:
  HostPinger();
  ~HostPinger();
  HostPinger(const HostPinger&) = delete;
  HostPinger& operator=(const HostPinger&) = delete;
  void Target(HWND application) { target_ = application; }

 private:
  std::atomic<HWND> target_{nullptr};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Prints one line of figures, flushed (the run's output is read live).
void Report(const std::string& line);

class SoakRun : public e2e::MailFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the host (with its received-mail window) and the agent, and
  // waits for the agent's window, its tray icon and its watch.
  void StartHostAndAgent();
  void StartHost();
  // Starts the agent and waits for its window, its new icon in the tray
  // and its watch of the host.
  // When `boxPart` is given, the agent first shows a message box with that
  // text, which is answered.
  void StartAgent(const std::string& boxPart = "");
  // Ends the agent as "終了(&X)" does; its exit code 0 and its icon gone.
  void EndAgent();

  // The longest time the host's queue kept a ping waiting since the last
  // look; the step fails when it is over kLongestPingMs.
  void ExpectHostResponsive(const std::string& step);
  // No Shift, Ctrl, Alt or Windows key left down.
  void ExpectNoModifierDown(const std::string& step);
  // The cost of one host message (with whatever hooks are in it), in ns:
  // the best of a few runs of the host's own measurement.
  long long HostMessageCost();
  // The same with an empty pair of hooks (tests/bench/emptyhook) added to
  // the host's thread: what Wine's hooks cost by themselves.
  long long HostMessageCostWithEmptyHooks();
  // How much this process's private memory grows when it reads the
  // clipboard's text `reads` times as the agent does, each time after
  // another window put a new Unicode text there: what Wine's clipboard
  // itself costs a reader, for comparison with the agent's figures.
  long long ClipboardReadGrowth(int reads);

  // The work, `count` times each.
  void OpenAndCloseWindows(int count);
  void DoubleClickLinks(int count);
  void OpenTrayMenus(int count);
  void RunMailCommands(int count);

  // The user clicks into the body of the host's mail-writing window `mail`,
  // where a paste goes; false when the body did not take the focus.
  bool ClickIntoBody(HWND mail);
  // Moves a host window that stays open out of the memo's way.
  void PutAsideOfTheMemo(HWND window);
  // A real double click on line `line` of the host's memo, at `at`; false
  // (and a failure) when the memo has no such line.
  bool DoubleClickMemoLine(int line, POINT& at);
  // One double click on a memo line and its link window read back and
  // dismissed.
  void DoubleClickLine(int line);
  // The agent attached to the current host: a "TTakaraWnd" it shows is
  // maximised.
  void ExpectHostArranged(const std::string& step);
  // How many times the clipboard changes for one double click on `line`
  // (its link window read back and dismissed).
  DWORD ClipboardChangesOfDoubleClick(int line);

  HWND memo_ = nullptr;
  HWND rx_ = nullptr;  // the host's received-mail window
  HWND icon_ = nullptr;
  std::vector<HWND> iconsBefore_;
  std::unique_ptr<e2e::TaskSwitcher> switcher_;
  std::unique_ptr<HostPinger> pinger_;
  DWORD longestPing_ = 0;
  int doubleClicks_ = 0;
  int mailCommands_ = 0;
  // Where the last link window was dismissed ("やめとく" clicked), for the
  // report of a double click that went wrong.
  POINT lastDismissal_{-1, -1};

 private:
  void RunMailCommand(MenuCommand command);
  void CopyCommand(unsigned command, const std::string& expected);
  void NewMailCommand(unsigned command, const std::string& subject);
  void MailerCommand(unsigned command, const std::string& url);
  void FriendCommand(unsigned command);
  // Chooses one friend in the agent's friend dialog; false (and a failure)
  // when no dialog came.
  bool Choose(int friendIndex);
  // The task switches the helper made since the `since`th, with the
  // windows they went from and to, for the one who reads a failed paste.
  void ReportTaskSwitches(std::size_t since, HWND mail, HWND standIn);
};

// Whether a process of one of our programs (the agent, the stand-in host,
// the test helpers) is running; their names.
std::vector<std::string> OursRunning();

}  // namespace soak
