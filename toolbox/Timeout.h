// The program-wide timeout by which the agent's waits are bounded. Portable:
// the millisecond clock is the system's (timeGetTime on Windows) unless a
// test replaces it.
#pragma once

#include <cstdint>

// One timeout for the whole program: StartTimeout replaces the previous one,
// also while a caller is still polling it. Neither call sleeps; callers poll.
// GUI thread only.
void StartTimeout(std::uint32_t durationMs);
// True once the clock has moved strictly more than the duration since
// StartTimeout, counted modulo 2^32 so that the counter's wrap-around after
// 49.7 days does no harm. Before any StartTimeout the duration is 0.
bool TimedOut();

// The system's millisecond counter (timeGetTime on Windows).
std::uint32_t SystemMilliseconds();

// The clock the timeout reads. Tests replace it; null restores
// SystemMilliseconds. Returns the clock it replaced.
using MillisecondClock = std::uint32_t (*)();
MillisecondClock SetTimeoutClock(MillisecondClock clock);

// The waits of the toolbox's Win32 pieces.
// The pause between two polls of a waiting loop (Waiting_win.h).
inline constexpr unsigned kPollPauseMs = 5;
// How long opening the clipboard is retried before giving up, and the
// pause between two tries (Clipboard_win.h).
inline constexpr unsigned kClipboardOpenLimitMs = 1000;
inline constexpr unsigned kClipboardOpenRetryMs = 10;
// How long a control of another program is given to answer a question
// about its text before it counts as hung (WindowUtils_win.h).
inline constexpr unsigned kControlAnswerMs = 5000;
