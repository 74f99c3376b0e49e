#include <windows.h>
#include <mmsystem.h>

#include "toolbox/Timeout.h"

std::uint32_t SystemMilliseconds() { return timeGetTime(); }
