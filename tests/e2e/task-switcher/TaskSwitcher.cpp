// A test-only stand-in for the shell's task switch, which Wine does not do:
// it watches the keyboard with a low-level hook, and when Tab goes down
// while Alt is held it brings to the front the first window below the
// foreground one that a task switch would offer (visible, titled, not a
// tool window, and without a visible owner). It passes every key on.
//   task-switcher.exe <log>
// Writes "ready" to the log once the hook is in, and two lines per switch:
//   switch <from> <to>
//   classes <class of from> <class of to>
// For a second and a half after a switch it holds it: when the window
// switched from becomes the foreground again (under Wine a focus event
// that the window manager sends late can do that; the shell's switch
// stands), it brings the one switched to back, writing "held <to>".
// Ends when its window gets WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* Log = nullptr;
bool AltDown = false;

void Write(const std::string& line) {
  if (Log == nullptr) return;
  std::fprintf(Log, "%s\n", line.c_str());
  std::fflush(Log);
}

std::string HandleText(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

std::string ClassText(HWND window) {
  char name[64] = {};
  if (window == nullptr || GetClassNameA(window, name, sizeof name) == 0) return "-";
  return name;
}

bool Offered(HWND window) {
  if (!IsWindowVisible(window) || GetWindowTextLengthA(window) == 0) return false;
  if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return false;
  HWND owner = GetWindow(window, GW_OWNER);
  return owner == nullptr || !IsWindowVisible(owner);
}

// The last switch, held for a while: the shell's task switch stands, but
// under Wine a focus event that the window manager sends late for the
// window switched from can make it the foreground again.
HWND Window = nullptr;  // the program's message window
HWND SwitchedFrom = nullptr;
HWND SwitchedTo = nullptr;
DWORD SwitchedAt = 0;
constexpr DWORD kHoldMs = 1500;
constexpr UINT_PTR kHoldTimer = 1;

void SwitchTask() {
  HWND from = GetForegroundWindow();
  HWND to = from != nullptr ? GetWindow(from, GW_HWNDNEXT) : GetTopWindow(nullptr);
  while (to != nullptr && !Offered(to)) to = GetWindow(to, GW_HWNDNEXT);
  Write("switch " + HandleText(from) + " " + HandleText(to));
  Write("classes " + ClassText(from) + " " + ClassText(to));
  if (to == nullptr) return;
  SetForegroundWindow(to);
  SwitchedFrom = from;
  SwitchedTo = to;
  SwitchedAt = GetTickCount();
  SetTimer(Window, kHoldTimer, 20, nullptr);
}

void HoldSwitch() {
  if (GetTickCount() - SwitchedAt > kHoldMs || !IsWindow(SwitchedTo)) {
    KillTimer(Window, kHoldTimer);
    return;
  }
  if (GetForegroundWindow() == SwitchedFrom) {
    Write("held " + HandleText(SwitchedTo));
    SetForegroundWindow(SwitchedTo);
  }
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (key->vkCode == VK_MENU || key->vkCode == VK_LMENU || key->vkCode == VK_RMENU) AltDown = down;
    if (key->vkCode == VK_TAB && down && (AltDown || (key->flags & LLKHF_ALTDOWN) != 0)) SwitchTask();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kHoldTimer) {
    HoldSwitch();
    return 0;
  }
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  Log = std::fopen(__argv[1], "ab");
  // A message-only window, so that the test can end the program politely.
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = "SorvikTestTaskSwitcher";
  RegisterClassA(&wc);
  Window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, instance, 0);
  if (hook == nullptr) return 3;
  Write("ready");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  UnhookWindowsHookEx(hook);
  if (Log != nullptr) std::fclose(Log);
  return 0;
}
