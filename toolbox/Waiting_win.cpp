#include "toolbox/Waiting_win.h"

void PauseAnsweringSentMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    // Wakes for a message sent by another thread only; posted messages and
    // input do not end the wait.
    const DWORD woke = MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, QS_SENDMESSAGE, 0);
    if (woke != WAIT_OBJECT_0) return;
    // Peeking for sent messages only handles them and takes nothing off
    // the queue.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The end of the program belongs to the main loop: leave it queued.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
