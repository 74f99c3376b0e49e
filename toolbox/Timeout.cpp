// The program-wide timeout. Unsynchronised: only the GUI thread uses it.
#include "toolbox/Timeout.h"

namespace {
MillisecondClock timeoutClock = SystemMilliseconds;
std::uint32_t timeoutStart = 0;
std::uint32_t timeoutDuration = 0;
}  // namespace

MillisecondClock SetTimeoutClock(MillisecondClock clock) {
  const MillisecondClock previous = timeoutClock;
  timeoutClock = clock != nullptr ? clock : SystemMilliseconds;
  return previous;
}

void StartTimeout(std::uint32_t durationMs) {
  timeoutStart = timeoutClock();
  timeoutDuration = durationMs;
}

bool TimedOut() {
  // Unsigned subtraction: the elapsed time is right across the wrap-around.
  const std::uint32_t elapsed = timeoutClock() - timeoutStart;
  return elapsed > timeoutDuration;
}
