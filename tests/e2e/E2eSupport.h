// What the end-to-end tests share: child processes, waiting while pumping
// messages, the stand-in host's command channel and log, a fake agent
// window of class TSorvik, the shared block seen from outside, and evidence
// (a screenshot and the host's log) for a failing test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/RoutedWindow_win.h"
#include "tests/support/Pump_win.h"

namespace e2e {

// The folder of the test driver, where the test build puts the stand-in
// host and the test-only programs; ends with a backslash.
std::string BinDir();
// The release folder that `make dist` made, whose Sorvik.exe and
// sorvikhook.dll are the binaries under test (the same bytes as the zip's):
// the environment variable SORVIK_RELEASE names it. Ends with a backslash.
// Fails the test when it names no release: the tests never fall back to
// another build of ours.
std::string ReleaseDir();
// A fresh, empty scratch folder for the current test (under the build
// folder); ends with a backslash.
std::string ScratchDir();
void CopyFileOrDie(const std::string& from, const std::string& to);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A child process; killed when the object dies unless it has ended.
class ChildProcess {
 public:
  ChildProcess() = default;
  // Starts `exe` with the command line tail `arguments`; `directory` empty
  // means the exe's folder. Fails the test (and returns a dead object) when
  // the process cannot be started.
  static ChildProcess Start(const std::string& exe, const std::string& arguments = "",
                            const std::string& directory = "");
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ~ChildProcess();

  bool Running() const;
  // Waits (pumping messages) for the process to end; its exit code, or
  // nothing when it is still running after `timeoutMs`.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs);
  // TerminateProcess and wait for the end.
  void Kill();
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Waiting while this thread's messages are handled: sent messages from other
// processes (the hook library's reports) are answered while waiting.
using test_support::PumpFor;
using test_support::WaitUntil;

// The system-wide performance counter, the clock of the stand-in host's log.
long long Now();
// A span of the performance counter in milliseconds.
double Milliseconds(long long ticks);
// For measurements: polls closely (every millisecond, handling messages)
// until `condition` holds; the counter when it did, or 0 after `timeoutMs`.
long long WhenTrue(const std::function<bool()>& condition, DWORD timeoutMs);

// The stand-in host, started for one test with its own log file.
class StandinHost {
 public:
  struct Options {
    std::string caption;       // empty: the host's real caption
    int titleWindowMs = 0;     // 0 none, -1 until closed by command, else ms
    std::string exe;           // empty: standin-host.exe in BinDir()
    std::string friendBook;    // not empty: a sample friend book is written there
  };
  StandinHost() = default;
  // Starts the host and waits for its application window.
  bool Start(const Options& options);
  bool Start() { return Start(Options{}); }

  HWND Application() const { return app_; }
  // Sends one command of the channel; its answer, or nothing when the host
  // did not answer within 10 s.
  std::optional<LRESULT> Command(const std::string& text);
  HWND CommandHandle(const std::string& text);
  std::vector<std::string> LogLines() const;
  // The performance counter of the first log line whose event starts with
  // `prefix`, if any.
  std::optional<long long> LogTime(const std::string& prefix) const;
  const std::string& LogPath() const { return log_; }
  ChildProcess& Process() { return process_; }

 private:
  ChildProcess process_;
  HWND app_ = nullptr;
  std::string log_;
};

// One private message as the fake agent window received it.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool sentFromOtherThread;  // InSendMessageEx says ISMEX_SEND
  long long receivedAt;
  long long returnedAt;
};

// A hidden top-level window of class TSorvik that records every message in
// the private range (28000..28999). Only one may exist at a time.
class FakeAgentWindow : public MessageHandler {
 public:
  FakeAgentWindow();
  ~FakeAgentWindow() override;
  HWND Handle() const { return window_; }
  const std::vector<Received>& Messages() const { return received_; }
  std::vector<Received> MessagesFor(HWND window) const;
  void Clear() { received_.clear(); }
  // Called inside the handling of each recorded message (the sender, if it
  // sent, is still waiting).
  std::function<void(const Received&)> onMessage;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND window_ = nullptr;
  std::vector<Received> received_;
};

// The "SorvikCom" block seen from outside, without creating it.
bool SharedBlockExists();
// The three slots, or nothing when the block does not exist.
std::optional<std::vector<std::uint32_t>> ReadSharedSlots();
// Creates the block and writes the three slots; the returned handle keeps
// the block alive until it is closed.
HANDLE PlantSharedBlock(std::uint32_t slot0, std::uint32_t slot1, std::uint32_t slot2);

// Real mouse input from inside Wine. Every event carries the screen point
// it happens at: under Wine, a pointer put somewhere with SetCursorPos can
// be moved back by another process that reads the X server's enter or
// motion event of an earlier position late (the window that was under the
// pointer then), and a button event without a point of its own would land
// there.
// Button events (MOUSEEVENTF_LEFTDOWN, ...) at (x, y), in order.
void MouseEventsAt(int x, int y, std::initializer_list<DWORD> buttonEvents);
// A click, a double click, at (x, y); a double click at the centre of
// `window`. The pointer is first moved there, so the windows under it see
// it arrive as they would a user's.
void ClickAt(int x, int y);
void DoubleClickAt(int x, int y);
void DoubleClickCentre(HWND window);
// Clicks the centre of `window` until `done` holds (2 s after each click),
// three clicks at most; false when it never held. Wine shows a window on X
// a moment after other programs see it shown or in front, and a click made
// in between reaches the window that was there before. `clickedAt` gets the
// point clicked.
bool ClickCentreUntil(HWND window, const std::function<bool()>& done, POINT* clickedAt = nullptr);

// Saves the whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);
// The folder where evidence of this run goes; ends with a backslash.
std::string EvidenceDir();
// Saves a screenshot into the evidence folder as <name>.bmp (converted to PNG
// by the test run), for a person to look at.
void SaveEvidenceScreenshot(const std::string& name);

// The window of `className` (and `title`, if given) that belongs to process
// `pid`; null when there is none.
HWND FindProcessWindow(DWORD pid, const char* className, const char* title = nullptr);

}  // namespace e2e
