// The hook library's boundary.
//
// Exports (stdcall, plain names), called by the agent on its GUI thread:
//   WatchMochiruSubWnd(window) installs a WH_CALLWNDPROC and a WH_GETMESSAGE
//     hook on the thread that created `window` and stores their handles in
//     slots 1 and 2 of the shared block "SorvikCom". Returns false when both
//     hooks were installed, true when installation failed. It does not check
//     for an active watch: a second call installs a second pair and keeps
//     only the new handles.
//   StopMochiruSubWnd() removes the get-message hook (writing 0 into slot 2),
//     then the call-window-procedure hook (slot 1 keeps its stale value).
//
// The system loads this library into the host's process to run the hook
// procedures on its GUI thread. Each process has its own copy of the
// variables below; in the host each procedure takes its handle from the
// shared block on its first call. The procedures post UM_WNDSHOWN and
// UM_WNDCLOSED and send UM_LBUTTONUP and UM_DBLCLICK to the agent's window,
// found anew at every event. Nothing escapes a hook procedure: they are
// noexcept, allocate nothing, and every path ends in CallNextHookEx.
//
// When the library is unloaded from a process it calls StopMochiruSubWnd
// there.

#include <windows.h>

#define SORVIKHOOK_BUILDING
#include "hook/sorvikhook.h"
#include "hook/GetMessageHook.h"
#include "hostaccess/HookSlots_win.h"
#include "hostaccess/HostWindows_win.h"

namespace {

HMODULE LibraryModule = nullptr;
HHOOK CallWndHook = nullptr;
bool CallWndFirstCall = true;

// Sees the messages sent to the host thread's window procedures. Reports a
// window being shown (any window, child controls included) and an owned
// window receiving WM_CLOSE or WM_DESTROY. The reports are posted: the host
// never waits for the agent here.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (CallWndFirstCall) {
    CallWndFirstCall = false;
    CallWndHook = SlotValueToHook(ReadHookSlot(SLOT_CALLWND_HOOK));
  }
  if (code >= 0) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call != nullptr) {
      UINT report = 0;
      if (call->message == WM_SHOWWINDOW) {
        if (call->wParam != 0) report = UM_WNDSHOWN;
      } else if (call->message == WM_CLOSE || call->message == WM_DESTROY) {
        if (GetWindow(call->hwnd, GW_OWNER) != nullptr) report = UM_WNDCLOSED;
      }
      if (report != 0) {
        if (HWND agent = FindAgentWindow()) {
          PostMessageA(agent, report, reinterpret_cast<WPARAM>(call->hwnd),
                       ClassifyHostWindow(call->hwnd));
        }
      }
    }
  }
  return CallNextHookEx(CallWndHook, code, wParam, lParam);
}

}  // namespace

SORVIKHOOK_API BOOLEAN WINAPI WatchMochiruSubWnd(HWND window) {
  if (DWORD thread = GetWindowThreadProcessId(window, nullptr)) {
    CallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, LibraryModule, thread);
    WriteHookSlot(HookToSlotValue(CallWndHook), SLOT_CALLWND_HOOK);
  }
  if (CallWndHook == nullptr) return TRUE;

  HHOOK getMessage = nullptr;
  if (DWORD thread = GetWindowThreadProcessId(window, nullptr)) {
    getMessage = InstallGetMessageHook(LibraryModule, thread);
  }
  return getMessage == nullptr ? TRUE : FALSE;
}

SORVIKHOOK_API void WINAPI StopMochiruSubWnd() {
  RemoveGetMessageHook();
  if (CallWndHook != nullptr) {
    UnhookWindowsHookEx(CallWndHook);
    CallWndHook = nullptr;
  }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      LibraryModule = instance;
      break;
    case DLL_PROCESS_DETACH:
      StopMochiruSubWnd();
      break;
    default:
      break;
  }
  return TRUE;
}
