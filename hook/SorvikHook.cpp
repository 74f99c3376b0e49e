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
// found anew at every event; the host waits a second at most for a sent
// report. Nothing escapes a hook procedure: they are
// noexcept, allocate nothing, and every path ends in CallNextHookEx.
//
// The host pays for this library on every message it retrieves, so it is
// built without the C and C++ runtimes: no constructors, no thread-local
// storage, nothing but KERNEL32 and USER32 (see CMakeLists.txt). DllMain is
// the entry point itself.
//
// Each process keeps one view of the shared block from the first time a
// slot is needed (hook/BlockView.h): the host reads a slot for every
// message it retrieves.
//
// Unloading runs under the loader lock. When the library is freed from a
// process that goes on running, it stops the watch there as
// StopMochiruSubWnd does, except that a failed write of slot 2 is posted to
// the agent instead of sent: a sent message would hold the loader lock, and
// with it the whole process, until another process answers; then it
// unmaps and closes its view of the block. When the
// process itself is ending it does nothing: its threads, and with them the
// hooks they own or that were set on them, are gone with it. (Windows
// discards an ended thread's hooks. Wine keeps them until the hooked thread
// ends, so under Wine an agent that ended normally leaves its hooks
// reporting to whichever agent window comes next.)

#include <windows.h>

#define SORVIKHOOK_BUILDING
#include "hook/sorvikhook.h"
#include "hook/GetMessageHook.h"
#include "hook/BlockView.h"
#include "hostaccess/HookSlots_win.h"
#include "hostaccess/AgentReports_win.h"

namespace {

// Per process, constant-initialised: the library runs no constructors.
constinit HMODULE LibraryModule = nullptr;
constinit HHOOK CallWndHook = nullptr;
constinit bool CallWndFirstCall = true;

// Sees the messages sent to the host thread's window procedures. Reports a
// window being shown (any window, child controls included) and an owned
// window receiving WM_CLOSE or WM_DESTROY. The reports are posted: the host
// never waits for the agent here.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (CallWndFirstCall) {
    CallWndFirstCall = false;
    CallWndHook = SlotValueToHook(ReadBlockSlotOrReportError(SLOT_CALLWND_HOOK));
  }
  if (code >= 0) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call != nullptr) {
      if (call->message == WM_SHOWWINDOW) {
        if (call->wParam != 0) ReportWindowShown(call->hwnd);
      } else if (call->message == WM_CLOSE || call->message == WM_DESTROY) {
        if (GetWindow(call->hwnd, GW_OWNER) != nullptr) ReportWindowClosed(call->hwnd);
      }
    }
  }
  return CallNextHookEx(CallWndHook, code, wParam, lParam);
}

// Get-message hook first, then the call-window-procedure hook.
void StopWatching(SlotErrorReport report) noexcept {
  RemoveGetMessageHook(report);
  if (CallWndHook != nullptr) {
    UnhookWindowsHookEx(CallWndHook);
    CallWndHook = nullptr;
  }
}

}  // namespace

SORVIKHOOK_API BOOLEAN WINAPI WatchMochiruSubWnd(HWND window) {
  if (DWORD thread = GetWindowThreadProcessId(window, nullptr)) {
    CallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, LibraryModule, thread);
    WriteBlockSlotOrReportError(HookToSlotValue(CallWndHook), SLOT_CALLWND_HOOK);
  }
  if (CallWndHook == nullptr) return TRUE;

  HHOOK getMessage = nullptr;
  if (DWORD thread = GetWindowThreadProcessId(window, nullptr)) {
    getMessage = InstallGetMessageHook(LibraryModule, thread);
  }
  return getMessage == nullptr ? TRUE : FALSE;
}

SORVIKHOOK_API void WINAPI StopMochiruSubWnd() { StopWatching(SlotErrorReport::Send); }

// The library's entry point (there is no runtime start-up code before it).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      LibraryModule = instance;
      // Nothing to do when the host starts or ends a thread: spare it the call.
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      if (reserved == nullptr) {
        StopWatching(SlotErrorReport::Post);
        ReleaseBlockView();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
