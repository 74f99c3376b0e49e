#include "tests/e2e/ShellStandIns.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace e2e {

namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

bool RegisterShellRecorder(const std::string& classKey, const std::string& logPath) {
  const std::string command = "\"" + BinDir() + "shell-recorder.exe\" \"" + logPath + "\" %1";
  HKEY key = nullptr;
  const std::string path = classKey + "\\shell\\open\\command";
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG set = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                  static_cast<DWORD>(command.size() + 1));
  RegCloseKey(key);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, (classKey + "\\shell\\open\\ddeexec").c_str());
  return set == ERROR_SUCCESS;
}

std::vector<std::string> RecordedOpens(const std::string& logPath) { return Lines(logPath); }

std::vector<int> RecordedShowCommands(const std::string& logPath) {
  std::vector<int> shows;
  for (const std::string& line : Lines(logPath + ".show")) shows.push_back(std::atoi(line.c_str()));
  return shows;
}

TaskSwitcher::TaskSwitcher(const std::string& logPath) : log_(logPath) {
  DeleteFileA(log_.c_str());
  process_ = ChildProcess::Start(BinDir() + "task-switcher.exe", "\"" + log_ + "\"");
  const bool ready = WaitUntil(
      [&] {
        const auto lines = Lines(log_);
        return !lines.empty() && lines[0] == "ready";
      },
      10000);
  EXPECT_TRUE(ready) << "the task switcher did not start";
}

TaskSwitcher::~TaskSwitcher() {
  if (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, "SorvikTestTaskSwitcher", nullptr)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    process_.WaitForExit(5000);
  }
}

std::vector<std::string> TaskSwitcher::Switches() const {
  std::vector<std::string> switches;
  for (const std::string& line : Lines(log_)) {
    if (line.rfind("switch ", 0) == 0) switches.push_back(line);
  }
  return switches;
}

namespace {
constexpr char kStandInClass[] = "SorvikTestForeground";
// How long the stand-in must keep the foreground to be taken as in front,
// and how long it is brought there again at most.
constexpr DWORD kSteadyForegroundMs = 300;
constexpr DWORD kActivateLimitMs = 10000;
}  // namespace

ForegroundStandIn::ForegroundStandIn() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kStandInClass;
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, kStandInClass, "tray menu", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 1000, 900, 200, 60,
                            nullptr, nullptr, wc.hInstance, nullptr);
  EXPECT_NE(window_, nullptr);
}

ForegroundStandIn::~ForegroundStandIn() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool ForegroundStandIn::Activate() {
  // Wine asks the window manager for the focus of a window it activates and
  // hears back later: a late answer for the window brought to the front just
  // before can take the foreground back from the stand-in. It is in front
  // once it has kept the foreground for a moment.
  const DWORD start = GetTickCount();
  do {
    if (!BringToFront(window_)) return false;
    if (KeepsForeground(window_, kSteadyForegroundMs, 2 * kSteadyForegroundMs)) return true;
  } while (GetTickCount() - start < kActivateLimitMs);
  return false;
}

bool BringToFront(HWND window, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        // Activated and on top of the others, as a click on it would leave
        // it (Wine does not always raise a window it activates). Always-on-top
        // windows (the tray, a banner) stay above it.
        HWND top = GetTopWindow(nullptr);
        while (top != nullptr && (!IsWindowVisible(top) || (GetWindowLongPtrA(top, GWL_EXSTYLE) & WS_EX_TOPMOST))) {
          top = GetWindow(top, GW_HWNDNEXT);
        }
        if (GetForegroundWindow() == window && top == window) return true;
        SetForegroundWindow(window);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return false;
      },
      timeoutMs);
}

bool KeepsForeground(HWND window, DWORD steadyMs, DWORD timeoutMs) {
  DWORD since = GetTickCount();
  bool held = false;
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() != window) {
          held = false;
          return false;
        }
        if (!held) {
          held = true;
          since = GetTickCount();
        }
        return GetTickCount() - since >= steadyMs;
      },
      timeoutMs);
}

}  // namespace e2e
