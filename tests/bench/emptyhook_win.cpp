// The baseline of the hook cost measurement: the same two hooks as the hook
// library, doing nothing but passing the message on.
#include <windows.h>

namespace {
HMODULE Self = nullptr;
HHOOK CallWnd = nullptr;
HHOOK GetMsg = nullptr;

LRESULT CALLBACK EmptyCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK EmptyGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI InstallEmptyHooks(DWORD thread) {
  CallWnd = SetWindowsHookExA(WH_CALLWNDPROC, EmptyCallWndProc, Self, thread);
  GetMsg = SetWindowsHookExA(WH_GETMESSAGE, EmptyGetMessage, Self, thread);
  return CallWnd != nullptr && GetMsg != nullptr;
}

extern "C" __declspec(dllexport) void WINAPI RemoveEmptyHooks() {
  if (GetMsg != nullptr) UnhookWindowsHookEx(GetMsg);
  if (CallWnd != nullptr) UnhookWindowsHookEx(CallWnd);
  GetMsg = CallWnd = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Self = instance;
  return TRUE;
}
