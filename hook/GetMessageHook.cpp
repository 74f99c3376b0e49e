#include "hook/GetMessageHook.h"

#include "hook/BlockView.h"
#include "hostaccess/HookSlots_win.h"
#include "hostaccess/AgentReports_win.h"

namespace {

// Per process: in the agent set by the install step, in the host read from
// the shared block by the first call of the procedure. Constant-initialised:
// the library runs no constructors.
constinit HHOOK GetMsgHook = nullptr;
constinit bool GetMsgFirstCall = true;

// The hook procedure runs for every message the host's GUI thread retrieves.
// It sends UM_LBUTTONUP and UM_DBLCLICK for messages addressed to a window:
// the host waits for the agent, but never longer than a second; a message
// posted to the thread itself has no window and is never reported.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (GetMsgFirstCall) {
    GetMsgFirstCall = false;
    GetMsgHook = SlotValueToHook(ReadBlockSlotOrReportError(SLOT_GETMSG_HOOK));
  }
  if (code >= 0) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg != nullptr && msg->hwnd != nullptr) {
      if (msg->message == WM_LBUTTONUP) ReportButtonUp(msg->hwnd);
      if (msg->message == WM_LBUTTONDBLCLK) ReportDoubleClick(msg->hwnd);
    }
  }
  // The handle passed on is read from the shared block anew for every
  // message, not taken from GetMsgHook.
  return CallNextHookEx(SlotValueToHook(ReadBlockSlotOrReportError(SLOT_GETMSG_HOOK)), code, wParam, lParam);
}

}  // namespace

HHOOK InstallGetMessageHook(HMODULE module, DWORD thread) noexcept {
  GetMsgHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, module, thread);
  WriteBlockSlotOrReportError(HookToSlotValue(GetMsgHook), SLOT_GETMSG_HOOK);
  return GetMsgHook;
}

void RemoveGetMessageHook(SlotErrorReport report) noexcept {
  if (GetMsgHook == nullptr) return;
  UnhookWindowsHookEx(GetMsgHook);
  GetMsgHook = nullptr;
  if (TryWriteBlockSlot(0, SLOT_GETMSG_HOOK)) return;
  if (report == SlotErrorReport::Send) ReportError(errSlotWrite);
  else PostErrorReport(errSlotWrite);
}
