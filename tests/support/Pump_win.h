// Waiting in the Win32 tests: this thread's messages are handled while it
// waits, sent ones from other threads and processes included, so windows of
// the test itself keep answering.
#pragma once

#include <windows.h>

#include <functional>

namespace test_support {

// Handles what is queued for this thread, after waiting up to `waitMs` for
// something to arrive.
inline void PumpOnce(DWORD waitMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps until `condition` holds or `timeoutMs` has passed; the condition's
// last value.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    PumpOnce(10);
  }
}

// Pumps for `ms` (to show that something does NOT happen within a time).
inline void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) PumpOnce(10);
}

}  // namespace test_support
