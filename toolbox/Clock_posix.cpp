// The native build's stand-in for the system's millisecond counter: a
// monotonic clock, truncated to 32 bits like the real one.
#include <time.h>

#include "toolbox/Timeout.h"

std::uint32_t SystemMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}
